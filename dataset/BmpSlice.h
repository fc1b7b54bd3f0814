#pragma once
// BMP slices: 8 bits per pixel, uncompressed, rows bottom-up.

#include "dataset/SliceBuffer.h"
#include "import/ByteSource.h"

// Reads a BMP slice from `source`. Refused (result 0): not "BM", not 8 bits per pixel, compressed,
// top-down or empty, or shorter than its headers and pixels announce (checked before anything is
// allocated). A palette of fewer than 256 entries is read with the missing entries black; after a
// longer (later) info header the palette and trailer are found behind it, and `info` gets the
// 40-byte header. A failure
// after the file header keeps the buffer's earlier info, pixels and trailer.
SliceReadResult ReadBmpSlice(ByteSource& source, SliceBuffer& buffer);
