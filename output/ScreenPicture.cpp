#include "output/ScreenPicture.h"

#include <algorithm>

#include "render/CPexoraView.h"

BgrImage CutToWholeQuads(const BgrImage& view) {
    BgrImage picture;
    picture.width = std::max(0, view.width) / 4 * 4;
    picture.height = std::max(0, view.height);
    const size_t rowBytes = BgrStride(picture.width);
    const size_t viewStride = BgrStride(view.width);
    if (view.bytes.size() < viewStride * static_cast<size_t>(picture.height)) return BgrImage{};
    picture.bytes.resize(rowBytes * static_cast<size_t>(picture.height));
    for (int row = 0; row < picture.height; ++row)
        std::copy_n(view.bytes.begin() + static_cast<std::ptrdiff_t>(row * viewStride), rowBytes,
                    picture.bytes.begin() + static_cast<std::ptrdiff_t>(row * rowBytes));
    return picture;
}

BgrImage CaptureScreenPicture(CPexoraView& view) {
    return CutToWholeQuads(view.ReadPixels());
}
