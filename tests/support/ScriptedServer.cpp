#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

ScriptedServer::ScriptedServer(Reply reply, int connections)
    : ScriptedServer(std::vector<Reply>(static_cast<std::size_t>(connections), reply))
{
}

ScriptedServer::ScriptedServer(std::vector<Reply> replies)
    : m_replies(std::move(replies)), m_listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)),
      m_stop(eventfd(0, EFD_CLOEXEC))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || m_stop < 0 ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_listener, static_cast<int>(m_replies.size())) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot start the scripted server");
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&ScriptedServer::serve, this);
}

ScriptedServer::~ScriptedServer()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stop, &one, sizeof one);
    if (m_thread.joinable())
        m_thread.join();
    close(m_listener);
    close(m_stop);
}

std::string ScriptedServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string ScriptedServer::request()
{
    const std::vector<std::string> all = requests();
    return all.empty() ? std::string() : all.front();
}

std::vector<std::string> ScriptedServer::requests()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_requests;
}

// False when the server is being stopped.
bool ScriptedServer::waitFor(int fd, short events)
{
    pollfd entries[] = {{fd, events, 0}, {m_stop, POLLIN, 0}};
    while (poll(entries, 2, -1) < 0) {
    }
    return entries[1].revents == 0;
}

bool ScriptedServer::sendAll(int fd, std::string_view bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        if (!waitFor(fd, POLLOUT))
            return false;
        const ssize_t part = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (part <= 0)
            return false;
        sent += static_cast<std::size_t>(part);
    }
    return true;
}

// Each piece is a write of its own, sent at once, so that the client can
// find a reply split anywhere.
bool ScriptedServer::sendInPieces(int fd, const Reply& reply)
{
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    std::string_view rest = reply.bytes;
    for (std::size_t piece : reply.pieces) {
        piece = std::min(piece, rest.size());
        if (!sendAll(fd, rest.substr(0, piece)))
            return false;
        rest.remove_prefix(piece);
    }
    return sendAll(fd, rest);
}

void ScriptedServer::serve()
{
    for (const Reply& reply : m_replies) {
        if (!waitFor(m_listener, POLLIN))
            return;
        const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            return;
        answer(connection, reply);
        close(connection);
    }
}

void ScriptedServer::answer(int connection, const Reply& reply)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && waitFor(connection, POLLIN)) {
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    m_requests.push_back(std::move(request));
    m_requestReceived = true;
    bool open = sendInPieces(connection, reply);
    while (open && !reply.repeat.empty())
        open = sendAll(connection, reply.repeat);
    // Silent until the client closes its end.
    while (open && reply.holdOpen && waitFor(connection, POLLIN))
        open = recv(connection, buffer, sizeof buffer, 0) > 0;
    if (reply.reset) {
        const linger none{1, 0};
        setsockopt(connection, SOL_SOCKET, SO_LINGER, &none, sizeof none);
    }
}
