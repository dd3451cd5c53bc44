#include "EventPump.h"

#include <utility>

namespace {

std::function<void()>& eventPump()
{
    static std::function<void()> pump;
    return pump;
}

} // namespace

void setEventPump(std::function<void()> pump)
{
    eventPump() = std::move(pump);
}

void pumpEvents()
{
    // A copy, so that a pump which replaces itself keeps running to its end.
    const std::function<void()> pump = eventPump();
    if (pump)
        pump();
}
