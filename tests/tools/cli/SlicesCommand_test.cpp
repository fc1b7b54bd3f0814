#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "CliRun.h"
#include "import/ModelFileBytes.h"
#include "support/BmpSliceBytes.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Slices(const CliArguments& arguments) {
    return RunCommand(arguments, RunSlicesCommand);
}

BmpSlice Tagged() {
    BmpSlice slice;
    slice.width = 101;
    slice.height = 3;
    slice.trailer = true;
    slice.valueA = 7;
    slice.valueB = -3;
    slice.pixelsPerMetre = 20000;
    return slice;
}

}  // namespace

TEST(SlicesCommand, DatasetStatisticsThenTheSliceAsRead) {
    ScratchDirectory directory;
    const std::vector<uint8_t> bytes = BmpSliceBytes(Tagged());
    for (const char* name : {"s_0002.bmp", "s_0004.bmp", "s_0006.BMP", "s_0010.bmp"})
        directory.Write(name, bytes);
    // Not of the dataset: other digits, other counts of digits, another stem or extension.
    for (const char* name : {"s_12a0.bmp", "s_007.bmp", "s_00011.bmp", "t_0001.bmp", "s_0003.jpg"})
        directory.Write(name, bytes);

    CliRun run = Slices({directory.File("s_0004.bmp")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "found: 4\nlowest: 2\nhighest: 10\nstep: 2\nresult: 1\nwidth: 101\nheight: 3\nstride: 104\n"
              "trailer: yes\nvalue_a: 7\nvalue_b: -3\npixels_per_metre: 20000\n");
    EXPECT_EQ(run.err, "");

    // Three digits: only s_007.bmp belongs to that dataset; the slice named need not be one of it.
    run = Slices({"-n", "3", directory.File("s_007.bmp")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find("result")), "found: 1\nlowest: 7\nhighest: 7\nstep: 0\n");
}

TEST(SlicesCommand, InvertedPaletteAbsentOrForeignTrailer) {
    ScratchDirectory directory;
    BmpSlice inverted = Tagged();
    inverted.trailer = false;
    inverted.pixelsPerMetre = 3780;
    inverted.colour = [](int i) { return std::array<uint8_t, 3>{uint8_t(255 - i), uint8_t(255 - i), 0}; };
    CliRun run = Slices({directory.Write("inv_0000.bmp", BmpSliceBytes(inverted))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(run.out.find("result")),
              "result: 3\nwidth: 101\nheight: 3\nstride: 104\ntrailer: no\nvalue_a: 0\nvalue_b: 0\n"
              "pixels_per_metre: 3780\n");

    // A trailer whose first bytes are not the tag counts as absent.
    std::vector<uint8_t> foreign = BmpSliceBytes(Tagged());
    foreign[1078] = 'k';
    run = Slices({directory.Write("foreign_0000.bmp", foreign)});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("trailer: no\nvalue_a: 0\nvalue_b: 0\n"), std::string::npos) << run.out;
}

TEST(SlicesCommand, UnreadableSlicesAndBadArguments) {
    ScratchDirectory directory;
    std::vector<uint8_t> colour = BmpSliceBytes(Tagged());
    colour[28] = 24;  // bits per pixel
    std::vector<uint8_t> truncated = BmpSliceBytes(Tagged());
    truncated.resize(truncated.size() - 1);
    for (const std::string& path : {directory.Write("c_0000.bmp", colour), directory.File("missing_0000.bmp"),
                                    directory.Write("short_0000.bmp", truncated),
                                    directory.Write("model.p3g", BmpSliceBytes(Tagged()))}) {
        const CliRun run = Slices({path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "error: " + path + ": not a readable slice\n");
    }
    for (const CliArguments& misuse :
         {CliArguments{}, CliArguments{"-n", "4"}, CliArguments{"a_0000.bmp", "-n"},
          CliArguments{"a_0000.bmp", "-n", "0"}, CliArguments{"a_0000.bmp", "-n", "x"},
          CliArguments{"a_0000.bmp", "-n", "10"}, CliArguments{"a_0000.bmp", "b_0000.bmp"},
          CliArguments{"a_0000.bmp", "--timings"}}) {
        const CliRun run = Slices(misuse);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "usage: pexora-cli slices SLICE [-n DIGITS]\n");
    }
}
