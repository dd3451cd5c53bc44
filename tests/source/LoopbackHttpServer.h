#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 at a port the kernel picks. Its thread answers a
// given number of connections, each with the same scripted reply after the
// request's blank line, then closes it. finish() joins the thread and gives
// the requests received.
class LoopbackHttpServer
{
public:
    LoopbackHttpServer(std::string reply, int connections);
    ~LoopbackHttpServer();

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return m_port; }
    std::string url(const std::string& path) const;
    std::vector<std::string> finish();

private:
    void serve(int connections);

    std::string m_reply;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};
