#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "persistence/MaterialFile.h"
#include "scene/SceneObject.h"

namespace {

struct MaterialLine {
    std::string text;
    // The field the line sets and the value the whole line gives it.
    std::function<float(const SceneObject&)> field;
    float value;
};

std::vector<MaterialLine> Lines() {
    return {
        {"[Material]\n", nullptr, 0},
        {"Red=200\n", [](const SceneObject& o) { return float(o.colour[0]); }, 200},
        {"Green=100\n", [](const SceneObject& o) { return float(o.colour[1]); }, 100},
        {"Blue=50\n", [](const SceneObject& o) { return float(o.colour[2]); }, 50},
        {"Opacity=25\n", [](const SceneObject& o) { return float(o.colour[3]); }, 25},
        {"Diffusion=35\n", [](const SceneObject& o) { return o.diffuse; }, 0.35f},
        {"Emission=7\n", [](const SceneObject& o) { return o.emission; }, 0.07f},
        {"Reflection=120\n", [](const SceneObject& o) { return o.reflection; }, 1.2f},
    };
}

}  // namespace

// Every prefix of a material file: the lines it holds whole are read, the lines it does not reach
// leave their fields as they were, and none of it is refused.
TEST(MaterialFileSweep, EveryPrefixReadsTheWholeLinesItHolds) {
    std::string text;
    for (const MaterialLine& line : Lines())
        text += line.text;
    ScratchDirectory directory;
    const SceneObject earlier;
    for (size_t length = 0; length <= text.size(); ++length) {
        const std::string path =
            directory.Write("cut.mat", std::vector<uint8_t>(text.begin(), text.begin() + length));
        SceneObject object;
        ASSERT_TRUE(LoadMaterial(object, path)) << length;
        size_t lineEnd = 0;
        for (const MaterialLine& line : Lines()) {
            const size_t lineStart = lineEnd;
            lineEnd += line.text.size();
            if (!line.field) continue;
            // A line cut short after its last digit still holds its whole value.
            if (length >= lineEnd - 1) {
                ASSERT_FLOAT_EQ(line.field(object), line.value) << length << " " << line.text;
            } else if (length <= lineStart + line.text.find('=')) {
                ASSERT_FLOAT_EQ(line.field(object), line.field(earlier)) << length << " " << line.text;
            }
        }
    }
}
