#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <utility>

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
};

// A server on 127.0.0.1, on a port the kernel picks, that takes one
// connection on its own thread, reads the request up to its empty line and
// answers with exact bytes, then closes. The destructor stops and joins it.
class ScriptedServer
{
public:
    explicit ScriptedServer(Reply reply);
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
    // Waits for the server to finish, then gives the bytes it received.
    std::string request();

private:
    void serve();
    bool waitFor(int fd, short events);
    bool sendAll(int fd, const std::string& bytes);

    Reply m_reply;
    int m_listener;
    int m_stop;
    int m_port;
    std::string m_request;
    std::atomic<bool> m_requestReceived{false};
    std::thread m_thread;
};
