// libFuzzer entry point of the .p3g reader: any bytes must be parsed or refused cleanly.
#include <cstddef>
#include <cstdint>

#include "CheckParsedModel.h"
#include "import/ByteSource.h"
#include "import/P3gReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    ParsedModel model;
    CheckParsedModel(ParseP3g(source, model), model);
    return 0;
}
