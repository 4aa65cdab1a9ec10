#pragma once
// Work that waits on the file system goes side by side: on a file server every open, stat
// and read waits a round trip, and thousands of them one after another add up to seconds.

#include <atomic>
#include <cstddef>
#include <functional>

namespace qel {

// How many file calls are under way at once (bench/latency.sh chose it; the environment
// variable QEL_FILES_IN_FLIGHT overrides it for measuring).
int filesInFlight();

// Calls work(i) for every i below `count` on the file threads, at most filesInFlight() at
// once, and returns when every call begun has ended. `ended(n)` is called on the calling
// thread now and then as they end (n ended so far, the last call with n == count unless
// stopped). Once `stop` is set no further call begins.
void forEachFile(std::size_t count, const std::function<void(std::size_t index)> &work,
                 const std::function<void(std::size_t ended)> &ended = {},
                 const std::atomic<bool> *stop = nullptr);

} // namespace qel
