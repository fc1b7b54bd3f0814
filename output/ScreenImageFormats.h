#pragma once
// The file formats Save Image offers, in the order of its filter list. Each format writes the whole
// file itself, so an encoder that comes with its own file writer (a JPEG writer taking a path and a
// quality) is one more entry in the list; the command picks the entry by the filter the user left
// selected, never by the extension typed.

#include <functional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "render/ReadPixels.h"

struct ScreenImageFormat {
    FileFilter filter;      // e.g. "BMP Files (*.bmp)" with "*.bmp"
    std::string extension;  // without the dot
    // Writes `picture` to `path` through the safe save (the earlier file stays whole on failure);
    // `quality` (1..100) is for lossy formats. True when the file was written.
    std::function<bool(const std::string& path, const BgrImage& picture, int quality)> write;
};

// BMP (24-bit, uncompressed) first, then JPEG (of the quality the caller gives), then PNG (lossless).
std::vector<ScreenImageFormat> ScreenImageFormats();
