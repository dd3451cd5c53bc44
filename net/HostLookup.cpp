#include "HostLookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <system_error>
#include <thread>

struct HostLookup::State
{
    State() : fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
        if (fd < 0)
            throw std::system_error(errno, std::generic_category());
    }
    ~State() { close(fd); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    const int fd;
    std::atomic<bool> done{false};
    bool found = false;        // written before done is set
    std::uint32_t address = 0; // network byte order
};

namespace {

void resolve(const std::string& name, bool& found, std::uint32_t& address)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &result) != 0)
        return;
    if (result && result->ai_family == AF_INET) {
        address = reinterpret_cast<const sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
        found = true;
    }
    freeaddrinfo(result);
}

} // namespace

HostLookup::HostLookup(const std::string& name) : m_state(std::make_shared<State>())
{
    std::thread([state = m_state, name] {
        resolve(name, state->found, state->address);
        state->done.store(true, std::memory_order_release);
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(state->fd, &one, sizeof one);
    }).detach();
}

int HostLookup::notifyFd() const
{
    return m_state->fd;
}

std::optional<std::uint32_t> HostLookup::address() const
{
    if (!m_state->done.load(std::memory_order_acquire) || !m_state->found)
        return std::nullopt;
    return m_state->address;
}
