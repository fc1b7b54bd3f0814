#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "dataset/ResampleDataset.h"
#include "scene/SceneObject.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliNumbers.h"
#include "tools/cli/GeometryCommandSupport.h"

namespace {

constexpr const char* kUsage =
    "usage: pexora-cli resample SLICE PREFIX [-n DIGITS] [--mip] [--count N] [--spacing N] [--background "
    "0|1]\n"
    "       [--type bmp|jpg] [--quality Q] [--plate-rotation R0 .. R8] [--plate-position X Y Z]\n"
    "       [--plate-box MINX MINZ MAXX MAXZ] [--plate-scale S] [--object-rotation R0 .. R8]\n"
    "       [--object-position X Y Z] [--object-centre X Y Z] [--object-scale S] [--timings]\n";

struct ResampleArguments {
    SceneObject object;
    SceneObject plate;
    ResampleOptions options;
    bool timings = false;
};

// Reads `count` numbers after the option at `i` into `values`; false when they are missing or not numbers.
bool TakeNumbers(const CliArguments& arguments, size_t& i, int count, float* values) {
    if (i + static_cast<size_t>(count) >= arguments.size()) return false;
    for (int k = 0; k < count; ++k) {
        const std::optional<float> number = ScanNumber(arguments[++i]);
        if (!number) return false;
        values[k] = *number;
    }
    return true;
}

bool TakeInteger(const CliArguments& arguments, size_t& i, int& value) {
    if (i + 1 >= arguments.size()) return false;
    const std::optional<int> number = ScanInteger(arguments[++i]);
    if (!number) return false;
    value = *number;
    return true;
}

bool Parse(const CliArguments& arguments, ResampleArguments& parsed) {
    parsed.plate.boxMin[0] = parsed.plate.boxMin[2] = -100;
    parsed.plate.boxMax[0] = parsed.plate.boxMax[2] = 100;
    std::string slice;
    int paths = 0;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        float box[4];
        bool ok = true;
        if (a == "-n") {
            ok = TakeInteger(arguments, i, parsed.object.postfixLength);
        } else if (a == "--mip") {
            parsed.options.projection = true;
        } else if (a == "--count") {
            ok = TakeInteger(arguments, i, parsed.options.count);
        } else if (a == "--spacing") {
            ok = TakeInteger(arguments, i, parsed.options.spacing);
        } else if (a == "--background") {
            ok = TakeInteger(arguments, i, parsed.options.background) &&
                 (parsed.options.background == 0 || parsed.options.background == 1);
        } else if (a == "--type") {
            ok = i + 1 < arguments.size() && (arguments[i + 1] == "bmp" || arguments[i + 1] == "jpg");
            if (ok) parsed.options.jpeg = arguments[++i] == "jpg";
        } else if (a == "--quality") {
            ok = TakeInteger(arguments, i, parsed.options.jpegQuality);
        } else if (a == "--plate-rotation") {
            ok = TakeNumbers(arguments, i, 9, parsed.plate.rotation);
        } else if (a == "--plate-position") {
            ok = TakeNumbers(arguments, i, 3, parsed.plate.position);
        } else if (a == "--plate-box") {
            ok = TakeNumbers(arguments, i, 4, box);
            parsed.plate.boxMin[0] = box[0], parsed.plate.boxMin[2] = box[1];
            parsed.plate.boxMax[0] = box[2], parsed.plate.boxMax[2] = box[3];
        } else if (a == "--plate-scale") {
            ok = TakeNumbers(arguments, i, 1, &parsed.plate.scale);
        } else if (a == "--object-rotation") {
            ok = TakeNumbers(arguments, i, 9, parsed.object.rotation);
        } else if (a == "--object-position") {
            ok = TakeNumbers(arguments, i, 3, parsed.object.position);
        } else if (a == "--object-centre") {
            ok = TakeNumbers(arguments, i, 3, parsed.object.centre);
        } else if (a == "--object-scale") {
            ok = TakeNumbers(arguments, i, 1, &parsed.object.scale);
        } else if (a == "--timings") {
            parsed.timings = true;
        } else if (paths < 2 && !a.starts_with("-")) {
            (paths++ == 0 ? slice : parsed.options.prefix) = a;
        } else {
            ok = false;
        }
        if (!ok) return false;
    }
    if (paths != 2 || parsed.object.postfixLength < 1) return false;
    SetRecordText(parsed.object.datasetPath, slice.c_str());
    return slice.size() < sizeof parsed.object.datasetPath;
}

}  // namespace

int RunResampleCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    ResampleArguments parsed;
    if (!Parse(arguments, parsed)) {
        err << kUsage;
        return 2;
    }
    const ResampleResult result = ResampleDataset(parsed.object, parsed.plate, parsed.options, {});
    switch (result.status) {
        case ResampleStatus::Incompatible:
            err << "error: the slice cannot be read as a dataset slice\n";
            return 1;
        case ResampleStatus::NoImage:
            err << "error: the plate's scaled extent is less than one pixel\n";
            return 1;
        case ResampleStatus::NegativeCount:
            err << "error: the count is negative\n";
            return 1;
        case ResampleStatus::OutOfMemory:
            err << "error: not enough memory\n";
            return 1;
        case ResampleStatus::Done:
            break;
    }
    PrintCount(out, "written", result.filesWritten);
    if (parsed.timings) {
        PrintSeconds(out, "time_read", result.secondsReading);
        PrintSeconds(out, "time_resample", result.secondsResampling);
        PrintSeconds(out, "time_write", result.secondsWriting);
    }
    if (result.filesFailed > 0) {
        err << "error: " << result.filesFailed << " of " << result.filesFailed + result.filesWritten
            << " files could not be written\n";
        return 1;
    }
    return 0;
}
