#include "render/PlateRecord.h"

#include "render/DrawOrder.h"

void InitPlateExtent(Scene& scene, const ProgramSettings& settings) {
    SceneObject& plate = scene.objects[PlateIndexInRange(scene)];
    const float halfX = static_cast<float>(settings.plateSizeX / 2);
    const float halfZ = static_cast<float>(settings.plateSizeY / 2);
    plate.boxMin[0] = -halfX;
    plate.boxMin[1] = 0.0f;
    plate.boxMin[2] = -halfZ;
    plate.boxMax[0] = halfX;
    plate.boxMax[1] = 0.0f;
    plate.boxMax[2] = halfZ;
}

void InitPlateRecord(SceneObject& plate, int plateVisible) {
    plate.movable = 1;
    plate.facetCount = 2;
    plate.vertexCount = 4;
    plate.visible = plateVisible;
    plate.colour[0] = 144;
    plate.colour[1] = 160;
    plate.colour[2] = 176;
    plate.colour[3] = 128;
    SetRecordText(plate.name, "plate");
    SetRecordText(plate.location, "(internal)");
    plate.centered = 0;
    plate.centre[0] = plate.centre[1] = plate.centre[2] = 0.0f;
}
