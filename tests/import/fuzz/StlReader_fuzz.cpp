// libFuzzer entry point of the .stl reader: any bytes must be parsed or refused cleanly.
#include <cstddef>
#include <cstdint>

#include "CheckParsedModel.h"
#include "import/ByteSource.h"
#include "import/StlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    ParsedModel model;
    CheckParsedModel(ParseStl(source, model), model);
    return 0;
}
