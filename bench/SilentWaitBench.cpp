// Processor time of a fetch that waits on a server that never answers, with
// no time limit: once ended by a cancel from the event pump (as the editor
// would), once by the server closing the connection.
#include "Errors.h"
#include "EventPump.h"
#include "TNMHTTP.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

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

} // namespace

BENCHMARK(cancelledFromThePump)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(endedByTheServerClosing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
