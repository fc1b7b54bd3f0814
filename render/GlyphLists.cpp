#include "render/GlyphLists.h"

#include <QChar>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <GL/gl.h>

#include <vector>

namespace {

// Glyph `code` as a bitmap: rows bottom-up, one bit per pixel from the high bit, rows byte-aligned.
// The glyph's tight box in Qt's coordinates (y down from the baseline) is `box`.
std::vector<GLubyte> GlyphBits(const QFont& font, QChar character, const QRect& box) {
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(-box.left(), -box.top(), QString(character));
    painter.end();

    const int rowBytes = (box.width() + 7) / 8;
    std::vector<GLubyte> bits(static_cast<size_t>(rowBytes) * static_cast<size_t>(box.height()), 0);
    for (int y = 0; y < box.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(box.height() - 1 - y));
        GLubyte* out = bits.data() + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
        for (int x = 0; x < box.width(); ++x) {
            if (qAlpha(row[x]) >= 128) out[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
        }
    }
    return bits;
}

}  // namespace

void BuildGlyphLists(const QFont& font) {
    QFont bitmapFont(font);
    bitmapFont.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(bitmapFont);

    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int code = 0; code < kGlyphCount; ++code) {
        const QChar character(static_cast<char16_t>(code));  // Latin-1 codes are their Unicode points
        glNewList(kGlyphListBase + static_cast<GLuint>(code), GL_COMPILE);
        if (character.isPrint()) {
            const QRect box = metrics.boundingRect(character);
            const float advance = static_cast<float>(metrics.horizontalAdvance(character));
            if (box.isEmpty()) {
                // A blank pixel rather than an empty bitmap, which some drivers refuse to compile.
                const GLubyte blank = 0;
                glBitmap(1, 1, 0.0f, 0.0f, advance, 0.0f, &blank);
            } else {
                const std::vector<GLubyte> bits = GlyphBits(bitmapFont, character, box);
                // Qt's pixel row -1 sits on the baseline, GL's row 0 at the raster position.
                glBitmap(box.width(), box.height(), static_cast<float>(-box.left()),
                         static_cast<float>(box.bottom() + 1), advance, 0.0f, bits.data());
            }
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}
