#include "tools/cli/GeometryCommandSupport.h"

#include <cstdio>
#include <ostream>

double PhaseClock::Lap() {
    const auto now = std::chrono::steady_clock::now();
    const std::chrono::duration<double> elapsed = now - start_;
    start_ = now;
    return elapsed.count();
}

void PrintCount(std::ostream& out, const char* name, int64_t value) {
    out << name << ": " << value << "\n";
}

void PrintSeconds(std::ostream& out, const char* name, double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", seconds);
    out << name << ": " << text << "\n";
}
