// The resample command of pexora-cli on a small generated dataset.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "CliRun.h"
#include "dataset/SliceBuffer.h"
#include "import/ModelFileBytes.h"
#include "support/BmpSliceBytes.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Resample(const CliArguments& arguments) {
    CliArguments all{"resample"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunCommand(all);
}

}  // namespace

TEST(ResampleCommand, WritesPlanesAndProjectionsThroughThePlateGiven) {
    ScratchDirectory directory;
    for (int number = 0; number < 6; ++number) {
        BmpSlice slice;
        slice.width = 20, slice.height = 10;
        slice.index = [number](int column, int) { return uint8_t(10 * number + column); };
        char name[32];
        std::snprintf(name, sizeof name, "ct_%03d.bmp", number);
        directory.Write(name, BmpSliceBytes(slice));
    }
    const std::string slice = directory.File("ct_000.bmp");
    const std::string prefix = directory.File("out_");

    // The plate turned upright (its y along the slices' z) 3 units up: each output row crosses
    // slice 3 only, and the image is 20 x 4 pixels.
    const CliArguments upright{"--plate-rotation", "1", "0", "0", "0", "0", "-1", "0", "1", "0",
                               "--plate-position", "0", "3", "0"};
    CliArguments arguments{slice, prefix,        "-n",  "3",  "--count", "2", "--spacing",
                           "2",   "--plate-box", "-10", "-2", "10",      "2", "--timings"};
    arguments.insert(arguments.end(), upright.begin(), upright.end());
    CliRun run = Resample(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 11), "written: 2\n");
    EXPECT_NE(run.out.find("time_read: "), std::string::npos);
    EXPECT_NE(run.out.find("time_resample: "), std::string::npos);
    EXPECT_NE(run.out.find("time_write: "), std::string::npos);
    std::vector<uint8_t> bytes = ReadWholeFile(directory.File("out_0002.bmp"));
    ASSERT_EQ(bytes.size(), 1078u + 20 * 4);
    // Plane offset +1 lies at z 4, which slices 3, 4 and 5 accept (step 1): the last gives the value.
    EXPECT_EQ(bytes[1078], 50);
    EXPECT_EQ(bytes[1078 + 19], 69);
    EXPECT_EQ(ReadWholeFile(directory.File("out_0000.bmp"))[1078], 30);

    arguments = {slice, prefix, "-n", "3", "--mip", "--count", "3", "--background", "0"};
    arguments.insert(arguments.end(), upright.begin(), upright.end());
    run = Resample(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "written: 1\n");
    // The smallest of slices 1 to 5 where the plate's 200 x 200 extent crosses the slices, else 0.
    bytes = ReadWholeFile(directory.File("out__mip.bmp"));
    ASSERT_EQ(bytes.size(), 1078u + 200 * 200);
    EXPECT_EQ(bytes[1078 + 100 * 200 + 90], 10);
    EXPECT_EQ(bytes[1078 + 100 * 200 + 89], 0);

    // JPEG slices of the quality asked, read back as grey slices.
    arguments = {slice, prefix, "-n", "3", "--type", "jpg", "--quality", "90"};
    arguments.insert(arguments.end(), upright.begin(), upright.end());
    run = Resample(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    SliceBuffer jpeg;
    EXPECT_EQ(ReadSlice(directory.File("out_0000.jpg"), jpeg), SliceJpeg);
    EXPECT_EQ(jpeg.width, 200);
}

TEST(ResampleCommand, RefusesWhatItCannotDo) {
    ScratchDirectory directory;
    BmpSlice slice;
    slice.width = slice.height = 4;
    const std::string path = directory.Write("ct_0000.bmp", BmpSliceBytes(slice));
    EXPECT_EQ(Resample({path}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--count"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--count", "x"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--background", "2"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--type", "png"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--plate-rotation", "1", "0"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "--unknown"}).status, 2);
    EXPECT_EQ(Resample({path, "p_", "-n", "0"}).status, 2);

    CliRun run = Resample({directory.File("none_0000.bmp"), directory.File("p_")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, 7), "error: ");
    run = Resample({path, directory.File("p_"), "--plate-scale", "0.001"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("less than one pixel"), std::string::npos);
    run = Resample({path, directory.File("p_"), "--count", "-1"});
    EXPECT_EQ(run.status, 1);
    run = Resample({path, directory.File("missing/p_"), "--count", "2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "written: 0\n");
    EXPECT_NE(run.err.find("2 of 2 files could not be written"), std::string::npos);
}
