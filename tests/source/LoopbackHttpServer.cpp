#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A client that never comes must not hang the test run.
constexpr int GiveUpMilliseconds = 20000;

bool waitReadable(int socket)
{
    pollfd entry{socket, POLLIN, 0};
    return ::poll(&entry, 1, GiveUpMilliseconds) == 1;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::string reply, int connections) : m_reply(std::move(reply))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, connections) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("loopback server cannot listen");
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this, connections] { serve(connections); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    finish();
    ::close(m_listener);
}

std::string LoopbackHttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> LoopbackHttpServer::finish()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_requests;
}

void LoopbackHttpServer::serve(int connections)
{
    for (int i = 0; i < connections && waitReadable(m_listener); ++i) {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            return;
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && waitReadable(client)) {
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        m_requests.push_back(request);
        for (std::size_t sent = 0; sent < m_reply.size();) {
            const ssize_t put = ::send(client, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
            if (put <= 0)
                break;
            sent += static_cast<std::size_t>(put);
        }
        ::close(client);
    }
}
