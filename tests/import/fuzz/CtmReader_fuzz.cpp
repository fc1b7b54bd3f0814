// libFuzzer entry point of the .ctm reader: any bytes must be parsed or refused cleanly.
#include <cstddef>
#include <cstdint>

#include "CheckParsedModel.h"
#include "import/ByteSource.h"
#include "import/CtmReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    ParsedModel model;
    CheckParsedModel(ParseCtm(source, model), model);
    return 0;
}
