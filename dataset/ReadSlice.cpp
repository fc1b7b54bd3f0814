#include <algorithm>
#include <cctype>

#include "dataset/BmpSlice.h"
#include "dataset/JpegSlice.h"
#include "dataset/SliceBuffer.h"

SliceReadResult ReadSlice(const std::string& path, SliceBuffer& buffer) {
    if (path.size() < 3) return SliceReadFailed;
    std::string extension = path.substr(path.size() - 3);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != "bmp" && extension != "jpg") return SliceReadFailed;
    FileSource file;
    std::string error;
    if (!file.Open(path, error)) return SliceReadFailed;
    if (extension == "bmp") return ReadBmpSlice(file, buffer);
    // The decoder takes the whole file image; View refuses a file that shrank or memory that ran out.
    const uint8_t* bytes = file.Size() > 0 ? file.View(0, static_cast<size_t>(file.Size())) : nullptr;
    return bytes != nullptr ? DecodeJpegSlice(bytes, static_cast<size_t>(file.Size()), buffer)
                            : SliceReadFailed;
}
