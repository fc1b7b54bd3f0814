#include "tools/cli/CliModel.h"

#include <ostream>

#include "import/ModelLoader.h"
#include "platform/Tones.h"
#include "scene/Scene.h"

namespace {

// A command line program reports problems as text; the viewer's tones stay silent.
class SilentTones : public Tones {
public:
    void Beep(int, int) override {}
};

}  // namespace

int LoadCliModel(Scene& scene, const std::string& path, std::ostream& err) {
    const int index = scene.AddModelSlot();
    SilentTones tones;
    std::string problem;
    if (index == 0 || LoadModelFile(scene, index, path, tones, &problem) == 0) {
        err << "error: " << path << ": " << (index == 0 ? kSceneFullMessage : problem) << "\n";
        return 0;
    }
    return index;
}
