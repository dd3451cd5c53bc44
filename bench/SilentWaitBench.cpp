// Processor time of a fetch that waits on a server that never answers, with
// no time limit: once ended by a cancel from the event pump (as the editor
// would), once by the server closing the connection, once over TLS. Then the
// time from a Cancel (a request from another thread, seen by the event pump
// as a click would be) to the end of the fetch, at each stage of an https fetch.
#include "Errors.h"
#include "EventPump.h"
#include "ScriptedServer.h"
#include "ServerProcess.h"
#include "TNMHTTP.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto silence = std::chrono::seconds(3);

// A listener on 127.0.0.1; connections complete in its backlog even when
// nobody accepts them, so the client waits for a reply that never comes.
class SilentListener
{
public:
    SilentListener() : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_fd, reinterpret_cast<sockaddr*>(&address), length);
        listen(m_fd, 1);
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~SilentListener() { close(m_fd); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int fd() const { return m_fd; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/team.htm"; }

private:
    int m_fd;
    int m_port = 0;
};

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs one Get and reports the waiting thread's processor time as a share of one core.
void useTemporaryFiles(TNMHTTP& http)
{
    const std::string dir = std::filesystem::temp_directory_path().string();
    http.FileName = dir + "/te-silent-body.htm";
    http.HeaderName = dir + "/te-silent-head.txt";
}

void measureGet(benchmark::State& state, TNMHTTP& http, const std::string& url)
{
    const std::string dir = std::filesystem::temp_directory_path().string();
    http.FileName = dir + "/te-silent-body.htm";
    http.HeaderName = dir + "/te-silent-head.txt";
    for (auto _ : state) {
        const double cpuStart = threadCpuSeconds();
        const auto wallStart = Clock::now();
        try {
            http.Get(url);
        } catch (const TeamEditorError&) {
            // Cancelled, or a reply cut short: the wait is what is measured.
        }
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        state.counters["cpu_percent"] = 100.0 * (threadCpuSeconds() - cpuStart) / wall;
        state.SetIterationTime(wall);
    }
}

void cancelledFromThePump(benchmark::State& state)
{
    SilentListener server;
    TNMHTTP http;
    const auto end = Clock::now() + silence;
    setEventPump([&] {
        if (Clock::now() >= end)
            http.Abort();
    });
    measureGet(state, http, server.url());
    setEventPump(nullptr);
}

void endedByTheServerClosing(benchmark::State& state)
{
    SilentListener server;
    std::thread closer([&server] {
        const int connection = accept(server.fd(), nullptr, nullptr);
        char request[4096];
        [[maybe_unused]] const ssize_t got = recv(connection, request, sizeof request, 0);
        std::this_thread::sleep_for(silence);
        close(connection);
    });
    TNMHTTP http;
    measureGet(state, http, server.url());
    closer.join();
}

void trustTestCertificates()
{
    setenv("SSL_CERT_FILE", TestCertificates::file("ca.pem").c_str(), 1);
}

// A TLS server that completes the handshake, reads the request and stays silent.
void tlsCancelledFromThePump(benchmark::State& state)
{
    trustTestCertificates();
    ServerProcess server({.certificate = "server", .holdOpen = true});
    TNMHTTP http;
    http.ReplyTimeOut = 0;
    const auto end = Clock::now() + silence;
    setEventPump([&] {
        if (Clock::now() >= end)
            http.Abort();
    });
    measureGet(state, http, server.url("/team.htm"));
    setEventPump(nullptr);
}

// Runs Get on url; once stageReached holds, another thread asks for a cancel
// and the time from that request to the end of Get is the iteration's time.
void measureCancel(benchmark::State& state, const std::string& url,
                   const std::function<bool(TNMHTTP&)>& stageReached)
{
    TNMHTTP http;
    useTemporaryFiles(http);
    http.ReportLevel = 2;
    for (auto _ : state) {
        std::atomic<bool> requested{false};
        std::atomic<bool> started{false};
        Clock::time_point asked;
        std::thread canceller;
        setEventPump([&] {
            if (!started && stageReached(http)) {
                started = true;
                canceller = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    asked = Clock::now();
                    requested = true;
                });
            }
            if (requested)
                http.Abort();
        });
        try {
            http.Get(url);
        } catch (const TeamEditorError&) {
            // The cancel itself.
        }
        const auto ended = Clock::now();
        if (canceller.joinable())
            canceller.join();
        setEventPump(nullptr);
        state.SetIterationTime(std::chrono::duration<double>(ended - asked).count());
    }
}

void cancelWhileConnecting(benchmark::State& state)
{
    // Once its queue of connections waiting to be accepted is full, the
    // listener ignores a new one, which then stays in its connect.
    SilentListener server;
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(server.url().substr(17))));
        connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    measureCancel(state, "https" + server.url().substr(4),
                  [](TNMHTTP& http) { return http.Status() == "Connecting"; });
    for (const int filler : fillers)
        close(filler);
}

void cancelInTheHandshake(benchmark::State& state)
{
    trustTestCertificates();
    ScriptedServer staller(Reply("", "", true), 100);
    measureCancel(state, "https://127.0.0.1:" + std::to_string(staller.port()) + "/",
                  [](TNMHTTP& http) { return http.Status() == "Securing Connection"; });
}

void cancelInTheBody(benchmark::State& state)
{
    trustTestCertificates();
    ServerProcess endless({.certificate = "server",
                           .reply = "HTTP/1.0 200 OK\r\nContent-Length: 60000000\r\n\r\n",
                           .repeat = std::string(16 * 1024, 'e'),
                           .connections = 100});
    measureCancel(state, endless.url(),
                  [](TNMHTTP& http) { return http.Status() == "Capture File" && http.BytesRecvd() > 0; });
}

} // namespace

BENCHMARK(cancelledFromThePump)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(endedByTheServerClosing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tlsCancelledFromThePump)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(cancelWhileConnecting)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(cancelInTheHandshake)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(cancelInTheBody)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
