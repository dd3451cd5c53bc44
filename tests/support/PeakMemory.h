#pragma once

#include <sys/resource.h>

// The process's peak resident memory so far, in kilobytes.
inline long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// AddressSanitizer keeps freed memory aside and shadows all of it, so a bound
// on the peak memory of the code under test cannot hold under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoryIsShadowed = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool memoryIsShadowed = true;
#else
constexpr bool memoryIsShadowed = false;
#endif
#else
constexpr bool memoryIsShadowed = false;
#endif
