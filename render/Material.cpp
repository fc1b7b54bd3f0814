#include "render/Material.h"

#include <GL/gl.h>

uint8_t ScaledColourByte(uint8_t colour, float factor) {
    const float value = static_cast<float>(colour) * factor;
    if (!(value > 0.0f)) return 0;  // also NaN
    if (value >= 255.0f) return 255;
    return static_cast<uint8_t>(value);
}

void ApplyMaterial(const uint8_t (&rgb)[3], float diffuse, float emission, float reflection,
                   uint8_t opacity) {
    glColor4ub(ScaledColourByte(rgb[0], diffuse), ScaledColourByte(rgb[1], diffuse),
               ScaledColourByte(rgb[2], diffuse), opacity);
    const GLfloat emissive[4] = {rgb[0] * emission / 255.0f, rgb[1] * emission / 255.0f,
                                 rgb[2] * emission / 255.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emissive);
    const GLfloat specular[4] = {reflection, reflection, reflection, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
}
