#include "output/BmpImageFile.h"

#include <algorithm>

#include "import/LittleEndian.h"

std::vector<uint8_t> EncodeScreenBmp(const BgrImage& picture) {
    std::vector<uint8_t> file(kBmpHeadersSize + picture.bytes.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    StoreInt32(file.data() + 2, static_cast<int32_t>(kBmpHeadersSize + picture.bytes.size()));
    StoreInt32(file.data() + 10, kBmpHeadersSize);
    uint8_t* info = file.data() + 14;
    StoreInt32(info + 0, 40);
    StoreInt32(info + 4, picture.width);
    StoreInt32(info + 8, picture.height);
    StoreUint16(info + 12, 1);
    StoreUint16(info + 14, 24);
    std::copy(picture.bytes.begin(), picture.bytes.end(), file.begin() + kBmpHeadersSize);
    return file;
}
