#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Looks a host name up on a worker thread so that the calling thread can keep
// dispatching events. The lookup cannot be stopped once started; a caller that
// gives up (time-out, cancel) simply drops this object and the worker finishes
// on its own, holding the shared state alive until then.
class HostLookup
{
public:
    explicit HostLookup(const std::string& name);

    // Becomes readable (poll POLLIN) when the lookup has ended.
    int notifyFd() const;

    // The first IPv4 address, in network byte order, once the lookup has
    // ended; empty when the name did not resolve.
    std::optional<std::uint32_t> address() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};
