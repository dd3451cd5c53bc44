#include "TemporaryFiles.h"

#include "ByteText.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

namespace {

// What a signal handler may read: fixed buffers, and a flag per slot that is
// set only once its path is complete and cleared before the path is reused.
struct Slot
{
    char path[PATH_MAX];
    volatile std::sig_atomic_t used;
};

Slot temporarySlots[TemporaryFiles::capacity];

extern "C" void removeAndEnd(int signalNumber)
{
    for (Slot& slot : temporarySlots) {
        if (slot.used)
            unlink(slot.path);
    }
    // The usual ending for the signal: its default action, so that the
    // parent sees the process killed by it.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

constexpr std::size_t randomDigits = 16;

} // namespace

int TemporaryFiles::add(const std::string& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int index = 0; index < capacity; ++index) {
        Slot& slot = temporarySlots[index];
        if (slot.used)
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.used = 1;
        return index;
    }
    return -1;
}

void TemporaryFiles::forget(int slot)
{
    if (slot >= 0 && slot < capacity)
        temporarySlots[slot].used = 0;
}

void TemporaryFiles::removeOnSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    // One handler at a time: the second signal waits until the first has
    // removed the files and ended the process.
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        // A signal the process was started to ignore stays ignored.
        struct sigaction previous
        {
        };
        sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(signalNumber, &action, nullptr);
    }
}

std::string temporarySibling(const std::string& target)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::size_t slash = target.rfind('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    const std::string folder = base == 0 ? std::string(".") : target.substr(0, base);
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    // "." before the name, "." and the digits after it.
    const std::size_t room = nameMax > randomDigits + 3 ? nameMax - randomDigits - 2 : 1;
    char digits[randomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    return target.substr(0, base) + "." +
           std::string(wholeCharacterPrefix(std::string_view(target).substr(base), room)) + "." + digits;
}
