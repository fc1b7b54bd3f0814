#include <algorithm>
#include <cctype>

#include "dataset/BmpSlice.h"
#include "dataset/SliceBuffer.h"

SliceReadResult ReadSlice(const std::string& path, SliceBuffer& buffer) {
    if (path.size() < 3) return SliceReadFailed;
    std::string extension = path.substr(path.size() - 3);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != "bmp") return SliceReadFailed;
    FileSource file;
    std::string error;
    if (!file.Open(path, error)) return SliceReadFailed;
    return ReadBmpSlice(file, buffer);
}
