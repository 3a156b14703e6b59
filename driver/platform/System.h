#pragma once
// Threads, sleeping and clocks.
#include <cstdint>

namespace platform {

using ThreadProc = unsigned (*)(void*);

// Starts a detached worker thread at once; false when it could not be started.
bool startThread(ThreadProc proc, void* argument);

void sleepMs(unsigned milliseconds);

// Milliseconds from an arbitrary start, wrapping at 2^32 like the native tick count.
std::uint32_t tickCount();

// Seconds since 1970.
std::int64_t timeOfDay();

}  // namespace platform
