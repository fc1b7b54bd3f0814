#include "render/CapTexture.h"

#include <GL/gl.h>

int CapTextureSide(int extent) {
    int side = 2;
    while (side < extent && side < (1 << 30))
        side *= 2;
    return side;
}

CapTextureFactors UploadCapTexture(CutCap& cap) {
    if (cap.textureName != 0) glDeleteTextures(1, &cap.textureName);
    cap.textureName = 0;
    if (cap.pixels == nullptr || cap.textureWidth <= 0 || cap.textureHeight <= 0) return {};

    glGenTextures(1, &cap.textureName);
    glBindTexture(GL_TEXTURE_2D, cap.textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const int width = CapTextureSide(cap.textureWidth);
    const int height = CapTextureSide(cap.textureHeight);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, cap.textureWidth, cap.textureHeight, GL_RGB, GL_UNSIGNED_BYTE,
                    cap.pixels);
    return {static_cast<float>(width) / static_cast<float>(cap.textureWidth),
            static_cast<float>(height) / static_cast<float>(cap.textureHeight)};
}
