#include "platform/ParallelFor.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

void ParallelFor(int64_t count, const std::function<void(int64_t begin, int64_t end)>& body) {
    if (count <= 0) return;
    const int64_t cores = std::max<int64_t>(1, std::thread::hardware_concurrency());
    const int64_t parts = std::min(cores, count);
    std::vector<std::thread> workers;
    int64_t begin = 0;
    for (int64_t part = 0; part + 1 < parts; ++part) {
        const int64_t end = begin + count / parts + (part < count % parts ? 1 : 0);
        try {
            workers.emplace_back(body, begin, end);
        } catch (const std::system_error&) {
            body(begin, end);  // no thread to spare: this one does the range
        }
        begin = end;
    }
    body(begin, count);
    for (std::thread& worker : workers)
        worker.join();
}
