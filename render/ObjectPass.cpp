#include "render/ObjectPass.h"

#include <GL/gl.h>

#include "render/BoundingBox.h"
#include "render/DrawOrder.h"
#include "render/Material.h"
#include "scene/CutCap.h"

ObjectPass::ObjectPass(const ControlledScene& scene, const ProgramSettings& settings,
                       const DisplayState& display)
    : scene_(scene), settings_(settings), display_(display) {}

void ObjectPass::Draw(const uint8_t (&drawOrder)[kRecordCount], int mode, int drawBoxesWhenMoving) const {
    if (drawBoxesWhenMoving != 0 && mode == 1) {
        DrawBoxesAndAxes(false);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        return;
    }
    DrawBoxesAndAxes(true);
    if (mode == -1) {
        DrawInOrder(drawOrder);
        DrawAxesOnTop();
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (mode == 0) {
        // Far and near transparent surfaces all blend in first; the second pass settles depth.
        glDepthMask(GL_FALSE);
        DrawInOrder(drawOrder);
        glDepthMask(GL_TRUE);
    }
    DrawInOrder(drawOrder);
    glDisable(GL_BLEND);
    DrawAxesOnTop();
}

void ObjectPass::DrawInOrder(const uint8_t (&drawOrder)[kRecordCount]) const {
    const int plate = PlateIndexInRange(scene_);
    for (int position = 1; position <= plate; ++position)
        DrawObject(drawOrder[position]);
}

void ObjectPass::DrawObject(int index) const {
    const SceneObject& record = scene_.objects[index];
    if (record.vertexCount == 0 || record.visible == 0 || record.colour[3] == 0) return;
    if (glIsList(record.listBase) != GL_TRUE) return;

    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, record.surfaceMode == 0 ? GL_LINE : GL_FILL);
    ApplyTransform(index);
    const uint8_t rgb[3] = {record.colour[0], record.colour[1], record.colour[2]};
    ApplyMaterial(rgb, record.diffuse, record.emission, record.reflection, record.colour[3]);
    for (int32_t k = 0; k < record.listCount; ++k)
        glCallList(record.listBase + static_cast<GLuint>(k));

    for (const CutCap* cap = record.caps; cap != nullptr; cap = cap->next) {
        if (glIsList(cap->displayList) != GL_TRUE) continue;
        if (cap->fill == 0 || cap->fill == 1) {
            ApplyMaterial(cap->fillColour, cap->fillDiffuse, cap->fillEmission, cap->fillReflection,
                          record.colour[3]);
        }
        glCallList(cap->displayList);
    }
    glPopAttrib();
    glPopMatrix();
}

void ObjectPass::DrawBoxesAndAxes(bool onlyFlagged) const {
    const int plate = PlateIndexInRange(scene_);
    for (int index = 1; index <= plate; ++index) {
        const SceneObject& record = scene_.objects[index];
        if (record.vertexCount == 0 || record.visible == 0) continue;
        if (onlyFlagged && record.showBox == 0) continue;
        glPushMatrix();
        ApplyTransform(index);
        if (settings_.bbMode != 0) {
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        } else {
            const uint8_t rgb[3] = {record.colour[0], record.colour[1], record.colour[2]};
            ApplyMaterial(rgb, record.diffuse, record.emission, record.reflection, 255);
        }
        DrawBox(record, onlyFlagged);
        if (record.showAxes != 0) CallAxesList();
        glPopMatrix();
    }
}

void ObjectPass::DrawAxesOnTop() const {
    const int plate = PlateIndexInRange(scene_);
    for (int index = 1; index <= plate; ++index) {
        const SceneObject& record = scene_.objects[index];
        if (record.vertexCount == 0 || record.visible == 0 || record.showAxes == 0) continue;
        glPushMatrix();
        ApplyTransform(index);
        CallAxesList();
        glPopMatrix();
    }
}

// The record's controller rotation, then its scale, then its position: the translation acts in the
// object's rotated and scaled frame.
void ObjectPass::ApplyTransform(int index) const {
    const SceneObject& record = scene_.objects[index];
    glMultMatrixf(scene_.controllers[index].CurrentMatrix().m);
    glScalef(record.scale, record.scale, record.scale);
    glTranslated(record.position[0], record.position[1], record.position[2]);
}

void ObjectPass::CallAxesList() const {
    if (display_.axesList != 0) glCallList(display_.axesList);
}
