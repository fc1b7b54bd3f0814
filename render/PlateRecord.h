#pragma once
// Values of the plate record that need no GL: its extent from the settings and its material.

#include "platform/ProgramSettings.h"
#include "scene/Scene.h"

// Plate extent from "PlateSizeX"/"PlateSizeY" into the plate record (record count): x from
// -PlateSizeX/2 to +PlateSizeX/2, y 0, z from -PlateSizeY/2 to +PlateSizeY/2, integer halves.
void InitPlateExtent(Scene& scene, const ProgramSettings& settings);

// A fresh plate: movable, 4 vertices and 2 facets, colour (144, 160, 176) with opacity 128, name
// "plate", location "(internal)", not centred; shown when `plateVisible` is non-zero.
void InitPlateRecord(SceneObject& plate, int plateVisible);
