#include "render/ImageCube.h"

#include <QImage>
#include <QString>

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/TexturePath.h"
#include "render/ListNames.h"
#include "render/LoadPicture.h"

// The built-in faces are compiled into this static library; its resources must be registered by
// name, outside any namespace.
static void RegisterBuiltInFaces() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(stage);
        return true;
    }();
    (void)registered;
}

std::optional<CubeFacePictures> LoadCubeFacePictures(const std::string& programDirectory,
                                                     const std::string& texture) {
    if (texture.empty()) RegisterBuiltInFaces();
    CubeFacePictures pictures;
    for (int face = 0; face < kCubeFaceCount; ++face) {
        std::optional<BgrImage> picture =
            texture.empty()
                ? PictureFromImage(QImage(QStringLiteral(":/stage/") + QLatin1String(kCubeFaceFiles[face])))
                : LoadPicture(CubeFacePath(programDirectory, texture, kCubeFaceFiles[face]));
        if (!picture) return std::nullopt;
        pictures[face] = std::move(*picture);
    }
    return pictures;
}

void ImageCube::SetPictures(const CubeFacePictures& pictures) {
    glDeleteTextures(kCubeFaceCount, textures_.data());
    glGenTextures(kCubeFaceCount, textures_.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the pictures' rows are padded to 4 bytes
    for (int face = 0; face < kCubeFaceCount; ++face) {
        const BgrImage& picture = pictures[face];
        glBindTexture(GL_TEXTURE_2D, textures_[face]);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, picture.width, picture.height, GL_BGR, GL_UNSIGNED_BYTE,
                          picture.bytes.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

uint32_t ImageCube::BuildList(uint32_t list, int32_t stageSize) const {
    list = RenewList(list);
    if (list == 0) return 0;
    const CubeFaceCorners faces = StageCubeFaces(stageSize);
    const float texCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

    glNewList(list, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int face = 0; face < kCubeFaceCount; ++face) {
        glBindTexture(GL_TEXTURE_2D, textures_[face]);
        glBegin(GL_QUADS);
        for (int corner = 0; corner < 4; ++corner) {
            glTexCoord2fv(texCoords[corner]);
            glVertex3fv(faces[face][corner].data());
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glEndList();
    return list;
}
