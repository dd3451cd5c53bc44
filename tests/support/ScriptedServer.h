#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

// What the scripted server does once a request has arrived.
struct Reply
{
    Reply(std::string bytes, std::string repeat = {}, bool holdOpen = false)
        : bytes(std::move(bytes)), repeat(std::move(repeat)), holdOpen(holdOpen)
    {
    }

    std::string bytes;  // sent once
    std::string repeat; // then sent again and again until the client goes
    bool holdOpen;      // then kept open and silent until the client closes
    // Sizes of the separate writes that bytes goes out in (the rest in one);
    // none: all in one.
    std::vector<std::size_t> pieces{};
    bool reset = false; // ends the connection with a reset, not an orderly close
};

// A server on 127.0.0.1, on a port the kernel picks, that takes a given number
// of connections one after the other on its own thread, reads each request up
// to its empty line and answers with the same exact bytes (or each with the
// next of a list of replies), then closes it. The destructor stops and joins it.
class ScriptedServer
{
public:
    explicit ScriptedServer(Reply reply, int connections = 1);
    explicit ScriptedServer(std::vector<Reply> replies);
    explicit ScriptedServer(std::string bytes, std::string repeat = {}, bool holdOpen = false)
        : ScriptedServer(Reply(std::move(bytes), std::move(repeat), holdOpen))
    {
    }
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int port() const { return m_port; }
    std::string url(const std::string& path = "/") const;
    // Set once the whole request has arrived.
    bool requestReceived() const { return m_requestReceived; }
    // Wait for the server to finish, then give the bytes it received: of the
    // first request, or of every request in the order they came.
    std::string request();
    std::vector<std::string> requests();

private:
    void serve();
    void answer(int connection, const Reply& reply);
    bool waitFor(int fd, short events);
    bool sendAll(int fd, std::string_view bytes);
    bool sendInPieces(int fd, const Reply& reply);

    std::vector<Reply> m_replies;
    int m_listener;
    int m_stop;
    int m_port;
    std::vector<std::string> m_requests;
    std::atomic<bool> m_requestReceived{false};
    std::thread m_thread;
};
