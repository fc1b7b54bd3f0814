#include "output/BmpImageFile.h"

#include <algorithm>

#include "import/LittleEndian.h"

std::array<uint8_t, 40> ScreenInfoHeader(const BgrImage& picture) {
    std::array<uint8_t, 40> info{};
    StoreInt32(info.data() + 0, 40);
    StoreInt32(info.data() + 4, picture.width);
    StoreInt32(info.data() + 8, picture.height);
    StoreUint16(info.data() + 12, 1);
    StoreUint16(info.data() + 14, 24);
    return info;
}

std::vector<uint8_t> EncodeScreenBmp(const BgrImage& picture) {
    std::vector<uint8_t> file(kBmpHeadersSize + picture.bytes.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    StoreInt32(file.data() + 2, static_cast<int32_t>(kBmpHeadersSize + picture.bytes.size()));
    StoreInt32(file.data() + 10, kBmpHeadersSize);
    const std::array<uint8_t, 40> info = ScreenInfoHeader(picture);
    std::copy(info.begin(), info.end(), file.begin() + 14);
    std::copy(picture.bytes.begin(), picture.bytes.end(), file.begin() + kBmpHeadersSize);
    return file;
}
