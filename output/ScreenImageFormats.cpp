#include "output/ScreenImageFormats.h"

#include <QBuffer>
#include <QImage>

#include "dataset/WriteSlice.h"
#include "import/SafeFileWriter.h"
#include "output/BmpImageFile.h"

namespace {

// The picture as a top-down RGB image for Qt's encoders.
QImage ToQImage(const BgrImage& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    for (int y = 0; y < picture.height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* bgr = picture.PixelFromTop(x, y);
            line[x * 3 + 0] = bgr[2];
            line[x * 3 + 1] = bgr[1];
            line[x * 3 + 2] = bgr[0];
        }
    }
    return image;
}

bool WriteBmp(const std::string& path, const BgrImage& picture, int) {
    const std::vector<uint8_t> bytes = EncodeScreenBmp(picture);
    return SaveWholeFile(path, bytes.data(), bytes.size());
}

bool WriteJpegImage(const std::string& path, const BgrImage& picture, int quality) {
    SliceTrailer unused;  // only 8-bit pictures carry a trailer
    return WriteJpeg(path, ScreenInfoHeader(picture), picture.bytes, quality, unused);
}

bool WritePng(const std::string& path, const BgrImage& picture, int) {
    // Qt cannot encode an image without pixels; such a picture is no PNG file at all.
    if (picture.width <= 0 || picture.height <= 0) return false;
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!ToQImage(picture).save(&buffer, "PNG")) return false;
    return SaveWholeFile(path, encoded.constData(), static_cast<size_t>(encoded.size()));
}

}  // namespace

std::vector<ScreenImageFormat> ScreenImageFormats() {
    return {
        {{"BMP Files (*.bmp)", {"*.bmp"}}, "bmp", WriteBmp},
        {{"JPEG Files (*.jpg)", {"*.jpg"}}, "jpg", WriteJpegImage},
        {{"PNG Files (*.png)", {"*.png"}}, "png", WritePng},
    };
}
