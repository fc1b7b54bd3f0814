#pragma once
// Bitmap glyphs for text drawn at a raster position (the tick labels of bounding boxes): one
// display list per 8-bit character code, so a text is drawn with glListBase(kGlyphListBase) and
// glCallLists over its bytes. Needs the view's context current.

#include <QFont>

#include <cstdint>

inline constexpr uint32_t kGlyphListBase = 1000;
inline constexpr int kGlyphCount = 255;  // codes 0..254, lists 1000..1254

// Compiles lists kGlyphListBase + code for codes 0..254 (Latin-1) from `font`, rasterised without
// antialiasing: each draws its glyph with glBitmap and moves the raster position on by the glyph's
// advance; control codes draw nothing and do not move. Replaces whatever those lists held.
void BuildGlyphLists(const QFont& font);
