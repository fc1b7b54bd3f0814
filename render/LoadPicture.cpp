#include "render/LoadPicture.h"

#include <cstring>

#include "import/RegularFile.h"

std::optional<BgrImage> LoadPicture(const std::string& path) {
    // Qt's readers would wait for a writer on a named pipe: only regular files are handed to them.
    std::string reason;
    if (!RegularFile().Open(path, reason)) return std::nullopt;
    return PictureFromImage(QImage(QString::fromStdString(path)));
}

std::optional<BgrImage> PictureFromImage(const QImage& image) {
    if (image.isNull()) return std::nullopt;
    const QImage rows = image.convertToFormat(QImage::Format_BGR888);
    if (rows.isNull()) return std::nullopt;

    BgrImage picture;
    picture.width = rows.width();
    picture.height = rows.height();
    const size_t stride = BgrStride(picture.width);
    picture.bytes.assign(stride * static_cast<size_t>(picture.height), 0);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        // Qt keeps the top row first; the program's pictures start with the bottom row.
        std::memcpy(picture.bytes.data() + static_cast<size_t>(picture.height - 1 - y) * stride,
                    rows.constScanLine(y), rowBytes);
    }
    return picture;
}
