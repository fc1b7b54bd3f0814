// libFuzzer entry point of the JPEG slice reader (libjpeg-turbo and libexif behind it): any bytes
// must be read or refused cleanly, and a slice read must hold exactly the pixels its sizes promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dataset/JpegSlice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SliceBuffer slice;
    if (DecodeJpegSlice(data, size, slice) != SliceReadFailed &&
        (slice.width <= 0 || slice.height <= 0 || slice.stride < slice.width ||
         slice.pixels.size() != size_t(slice.stride) * size_t(slice.height)))
        std::abort();
    return 0;
}
