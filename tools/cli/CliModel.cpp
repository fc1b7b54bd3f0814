#include "tools/cli/CliModel.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "import/ModelLoader.h"
#include "import/P3gWriter.h"
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

bool WriteCliModel(const Poly3gon& mesh, const std::string& path, std::ostream& err) {
    // The writer leaves the failing call's errno behind; a mesh it refuses before touching a file
    // leaves it 0.
    errno = 0;
    if (WriteP3g(mesh, path)) return true;
    const int reason = errno;
    err << "error: " << path << ": cannot write the .p3g file: "
        << (reason != 0 ? std::strerror(reason) : "the mesh does not fit the format") << "\n";
    return false;
}
