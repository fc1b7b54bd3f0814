#include <cstring>
#include <ostream>
#include <string>

#include "dataset/DatasetSlices.h"
#include "dataset/SliceBuffer.h"
#include "dataset/SliceStatistics.h"
#include "import/LittleEndian.h"
#include "tools/cli/CliCommands.h"

namespace {

constexpr int kDefaultDigits = 4;

// A count of digits as given after -n: decimal, 1 to 9; 0 when it is none.
int ParseDigits(const std::string& text) {
    if (text.empty() || text.size() > 1 || text[0] < '1' || text[0] > '9') return 0;
    return text[0] - '0';
}

}  // namespace

int RunSlicesCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    std::string path;
    int digits = kDefaultDigits;
    bool valid = true;
    for (size_t i = 0; i < arguments.size() && valid; ++i) {
        if (arguments[i] == "-n") {
            digits = i + 1 < arguments.size() ? ParseDigits(arguments[++i]) : 0;
            valid = digits != 0;
        } else if (path.empty() && !arguments[i].starts_with("-")) {
            path = arguments[i];
        } else {
            valid = false;
        }
    }
    if (!valid || path.empty()) {
        err << "usage: pexora-cli slices SLICE [-n DIGITS]\n";
        return 2;
    }

    SliceBuffer buffer;
    const SliceReadResult result = ReadSlice(path, buffer);
    if (result == SliceReadFailed) {
        err << "error: " << path << ": not a readable slice\n";
        return 1;
    }
    const SliceStatistics statistics = CountDatasetSlices(ListDatasetSlices(path, digits));
    const bool tagged = std::memcmp(buffer.trailer.tag, kSliceTag, sizeof kSliceTag) == 0;
    out << "found: " << statistics.found << "\n"
        << "lowest: " << statistics.lowest << "\n"
        << "highest: " << statistics.highest << "\n"
        << "step: " << statistics.step << "\n"
        << "result: " << int(result) << "\n"
        << "width: " << buffer.width << "\n"
        << "height: " << buffer.height << "\n"
        << "stride: " << buffer.stride << "\n"
        << "trailer: " << (tagged ? "yes" : "no") << "\n"
        << "value_a: " << buffer.trailer.valueA << "\n"
        << "value_b: " << buffer.trailer.valueB << "\n"
        << "pixels_per_metre: " << LoadInt32(buffer.info.data() + 24) << "\n";
    return 0;
}
