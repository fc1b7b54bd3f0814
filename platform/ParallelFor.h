#pragma once
// Splitting a loop over the machine's cores.

#include <cstdint>
#include <functional>

// Calls `body(begin, end)` on consecutive ranges covering [0, count), on up to one thread per core
// (the calling thread takes one of them); returns when all are done. Small counts run on the
// calling thread alone. `body` must not throw.
void ParallelFor(int64_t count, const std::function<void(int64_t begin, int64_t end)>& body);
