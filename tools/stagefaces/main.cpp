// pexora-stagefaces: writes the six built-in image-cube faces (front, left, right, top, bottom, back)
// as 256 x 256 BMP files with 8-bit palettes into a folder: a soft blue-grey room, dark at the floor
// and light towards the ceiling, with a faint grid. The faces meet without seams: the walls reach
// the floor's and the ceiling's edge shade exactly.
//
//     pexora-stagefaces <folder>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

constexpr int kSize = 256;
constexpr int kGridStep = 32;       // 8 x 8 cells per face
constexpr int kGridOffset = 16;     // lines between the faces' edges, never on them
constexpr int kGridLift = 9;        // palette steps the grid lines are lighter by
constexpr int kFloorShade = 30;     // palette index where walls meet the floor
constexpr int kCeilingShade = 200;  // palette index where walls meet the ceiling

enum class Kind { kWall, kCeiling, kFloor };

struct Face {
    const char* file;
    Kind kind;
    float tint[3];  // multiplies the light end of the palette, so that each face differs a little
};

constexpr Face kFaces[] = {
    {"front.bmp", Kind::kWall, {1.00f, 1.00f, 1.00f}},   {"left.bmp", Kind::kWall, {0.98f, 0.99f, 1.02f}},
    {"right.bmp", Kind::kWall, {1.02f, 1.00f, 0.98f}},   {"top.bmp", Kind::kCeiling, {1.02f, 1.02f, 1.03f}},
    {"bottom.bmp", Kind::kFloor, {0.96f, 0.98f, 1.00f}}, {"back.bmp", Kind::kWall, {0.99f, 1.00f, 1.01f}},
};

// Deep blue-grey at index 0 to a light, slightly cool grey at 255.
QRgb PaletteColour(int index, const float (&tint)[3]) {
    const float dark[3] = {16.0f, 20.0f, 28.0f};
    const float light[3] = {176.0f, 188.0f, 206.0f};
    const float s = static_cast<float>(index) / 255.0f;
    int channel[3];
    for (int c = 0; c < 3; ++c) {
        const float value = dark[c] + (light[c] * tint[c] - dark[c]) * s;
        channel[c] = value > 255.0f ? 255 : static_cast<int>(value + 0.5f);
    }
    return qRgb(channel[0], channel[1], channel[2]);
}

// Palette index at column x and row y counted from the picture's bottom.
int Shade(Kind kind, int x, int y) {
    // -1..1 across the face; (1 - u^2) vanishes at the edges, so edges stay at their exact shade.
    const float u = (static_cast<float>(x) + 0.5f) / (kSize / 2.0f) - 1.0f;
    const float v = (static_cast<float>(y) + 0.5f) / (kSize / 2.0f) - 1.0f;
    const float bulge = (1.0f - u * u) * (1.0f - v * v);
    float shade = 0.0f;
    switch (kind) {
        case Kind::kWall: {
            const float height = static_cast<float>(y) / (kSize - 1);
            shade = kFloorShade + (kCeilingShade - kFloorShade) * height * height * (3.0f - 2.0f * height) +
                    10.0f * (1.0f - u * u) * height * (1.0f - height) * 4.0f;
            break;
        }
        case Kind::kCeiling:
            shade = kCeilingShade + 45.0f * bulge;
            break;
        case Kind::kFloor:
            shade = kFloorShade + 28.0f * bulge;
            break;
    }
    const bool grid = (x % kGridStep) == kGridOffset || (y % kGridStep) == kGridOffset;
    const int index = static_cast<int>(shade + 0.5f) + (grid ? kGridLift : 0);
    return index > 255 ? 255 : index;
}

bool WriteFace(const QDir& folder, const Face& face) {
    QImage image(kSize, kSize, QImage::Format_Indexed8);
    image.setColorCount(256);
    for (int i = 0; i < 256; ++i)
        image.setColor(i, PaletteColour(i, face.tint));
    for (int row = 0; row < kSize; ++row) {
        uchar* line = image.scanLine(row);
        for (int x = 0; x < kSize; ++x)
            line[x] = static_cast<uchar>(Shade(face.kind, x, kSize - 1 - row));
    }
    return image.save(folder.filePath(QString::fromLatin1(face.file)), "BMP");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pexora-stagefaces <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "pexora-stagefaces: no folder %s\n", argv[1]);
        return 1;
    }
    for (const Face& face : kFaces) {
        if (!WriteFace(folder, face)) {
            std::fprintf(stderr, "pexora-stagefaces: cannot write %s\n", face.file);
            return 1;
        }
    }
    return 0;
}
