#pragma once
// The image cube: the inside of the stage covered with six pictures, one mipmapped texture per face.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "render/ReadPixels.h"
#include "render/StageCubeFaces.h"

// Picture file names of the faces in the order front, left, right, top, bottom, back; the built-in
// faces are the resources ":/stage/<name>".
inline constexpr std::array<const char*, kCubeFaceCount> kCubeFaceFiles = {
    "front.bmp", "left.bmp", "right.bmp", "top.bmp", "bottom.bmp", "back.bmp"};

using CubeFacePictures = std::array<BgrImage, kCubeFaceCount>;

// The six face pictures: the files CubeFacePath(programDirectory, texture, name) when `texture` is
// not empty, otherwise the built-in faces. None when any picture is missing or cannot be decoded.
// Needs no GL context.
std::optional<CubeFacePictures> LoadCubeFacePictures(const std::string& programDirectory,
                                                     const std::string& texture);

// The face textures, living in the view's context; the list that draws them is kept by the caller.
class ImageCube {
public:
    // Replaces the six textures by the pictures, each mipmapped (linear magnification, nearest
    // mipmap with linear filtering for minification). Needs the context current.
    void SetPictures(const CubeFacePictures& pictures);
    // Replaces `list` by a new list holding the textured cube of half-size `stageSize` in white
    // (so the pictures keep their colours); texturing is off again after it. Needs the context
    // current. Returns the new list, 0 when GL gives none.
    uint32_t BuildList(uint32_t list, int32_t stageSize) const;

private:
    std::array<uint32_t, kCubeFaceCount> textures_ = {};
};
