#pragma once
// Decoding pictures into the layout the program keeps them in (24-bit, blue-green-red, rows
// bottom-up, each row padded to 4 bytes), through Qt's image readers (any format Qt reads).

#include <QImage>

#include <optional>
#include <string>

#include "render/ReadPixels.h"

// The picture of file `path`; none when the file is missing, unreadable, no regular file (a pipe is
// refused without waiting) or not a picture.
// Safe on untrusted files: Qt's readers refuse what they cannot decode within their limits.
std::optional<BgrImage> LoadPicture(const std::string& path);

// `image` in that layout, whatever its format or depth (alpha is dropped); none for a null image.
std::optional<BgrImage> PictureFromImage(const QImage& image);
