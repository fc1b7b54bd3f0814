#pragma once
// The scene with a ball controller for each record: whoever turns or draws an object reaches its
// controller here, and a record's controller moves with the record.

#include "navigation/CBallController.h"
#include "scene/Scene.h"

class ControlledScene : public Scene {
public:
    using Scene::Scene;

    CBallController controllers[kRecordCount];

private:
    void CopyCompanions(int from, int to) override { controllers[to] = controllers[from]; }
};
