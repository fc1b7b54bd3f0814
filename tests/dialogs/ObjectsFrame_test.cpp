// The Objects dialog on a real main frame: its command, Move to Object, and a model taken through
// optimisation, a cut, a restore and its deletion.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "geometry/TestMeshes.h"
#include "import/ModelFileBytes.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"

namespace {

// Binary .stl bytes of `m`: 80 header bytes, the facet count, then per facet a zero normal, its three
// corners and a zero attribute word.
std::vector<uint8_t> StlBytes(const TestMesh& m) {
    FileBytes stl;
    stl.Zeros(80).Int32(static_cast<int32_t>(m.facets.size() / 3));
    for (size_t f = 0; f < m.facets.size(); f += 3) {
        stl.Floats({0, 0, 0});
        for (int k = 0; k < 3; ++k) {
            const float* v = &m.vertices[m.facets[f + k] * 3];
            stl.Floats({v[0], v[1], v[2]});
        }
        stl.Uint16(0);
    }
    return stl.bytes;
}

struct ObjectsFrameTest : ::testing::Test {
    void SetUp() override {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->Settings().stageSize = 40;
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    QAction* Command(int id) {
        frame->Commands().Refresh();
        return frame->Commands().Action(id);
    }
    QWidget* Dialog() { return frame->findChild<QWidget*>(QString::number(kIdObjectsDialog)); }
    template <class Widget>
    Widget* Find(int id) {
        return FindControl<Widget>(Dialog(), id);
    }
    QString Text(int id) { return Find<QLineEdit>(id)->text(); }

    ScratchDirectory folder;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(ObjectsFrameTest, TheCommandTogglesTheDialogAndMoveToObjectFollowsIt) {
    QAction* objects = Command(kIdObjects);
    ASSERT_TRUE(objects->isEnabled());
    EXPECT_FALSE(objects->isChecked());
    EXPECT_FALSE(Command(kIdMoveToObject)->isEnabled());
    frame->RefreshObjectsDialogMaterial();  // closed: nothing to refresh

    objects->trigger();
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Command(kIdObjects)->isChecked());
    EXPECT_TRUE(Command(kIdMoveToObject)->isEnabled()) << "the plate is index 1";

    // Move to Object brings the selected object's box centre to the origin.
    SceneObject& plate = frame->GetScene().objects[1];
    plate.boxMin[0] = 2;
    plate.boxMax[0] = 6;
    Command(kIdMoveToObject)->trigger();
    EXPECT_FLOAT_EQ(plate.position[0], -4.0f);

    Dialog()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_FALSE(Command(kIdObjects)->isChecked());
    EXPECT_FALSE(Command(kIdMoveToObject)->isEnabled());
}

TEST_F(ObjectsFrameTest, AModelIsOptimisedCutRestoredAndDeleted) {
    const TestMesh torus = Torus(12, 8, 8, 3, 0, 0, 0);  // genus 1: 192 facets, 96 distinct vertices
    const std::string path = folder.Write("ring.stl", StlBytes(torus));
    Command(kIdObjects)->trigger();
    ASSERT_NE(Dialog(), nullptr);

    // Loading refreshes the open dialog's list.
    scripted.files.answers.push_back(FileDialogResult{path, 3});
    Command(kIdLoadObject)->trigger();
    auto* list = Find<QListWidget>(kIdObjectList);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("ring"));
    list->setCurrentRow(0);
    Scene& scene = frame->GetScene();
    SceneObject& model = scene.objects[1];
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("192"));
    EXPECT_EQ(Text(kIdVertexesText), QStringLiteral("576"));
    EXPECT_EQ(Find<QComboBox>(kIdSurfaceCombo)->count(), 2);

    // Optimise: welding shares the vertices, the smooth modes become available.
    auto* optimized = Find<QCheckBox>(kIdOptimizedCheck);
    ASSERT_TRUE(optimized->isVisible());
    optimized->click();
    Find<QPushButton>(kIdSurfaceApplyButton)->click();
    EXPECT_EQ(model.optimized, 1);
    EXPECT_EQ(model.vertexCount, 96) << "F/2 + 2 - 2g with g = 1";
    EXPECT_EQ(Text(kIdVertexesText), QStringLiteral("96"));
    EXPECT_FALSE(optimized->isVisible());
    EXPECT_EQ(Find<QComboBox>(kIdSurfaceCombo)->count(), 4);
    EXPECT_NE(model.listBase, 0u);

    // Cut by the plate through the ring's middle: two caps close the halves.
    auto* surface = Find<QComboBox>(kIdSurfaceCombo);
    surface->setCurrentIndex(3);
    Find<QPushButton>(kIdCutButton)->click();
    EXPECT_EQ(model.surfaceMode, 3);
    ASSERT_NE(model.caps, nullptr);
    EXPECT_EQ(Text(kIdFacetsText), QString::number(model.facetCount));
    EXPECT_EQ(Text(kIdVertexesText), QString::number(model.vertexCount));
    EXPECT_NE(model.facetCount, 192);

    // Restore reads the file again: a soup once more.
    Find<QPushButton>(kIdRestoreButton)->click();
    EXPECT_EQ(model.caps, nullptr);
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("192"));
    EXPECT_EQ(Text(kIdVertexesText), QStringLiteral("576"));
    EXPECT_TRUE(optimized->isVisible());
    EXPECT_FALSE(optimized->isChecked());
    EXPECT_EQ(Find<QComboBox>(kIdSurfaceCombo)->count(), 2);

    // Delete, after the question.
    scripted.messages.answers.push_back(MessageAnswer::Ok);
    Find<QPushButton>(kIdDeleteButton)->click();
    EXPECT_EQ(scripted.messages.Texts(), std::vector<std::string>{"Delete object < ring > now?"});
    EXPECT_EQ(scene.ModelCount(), 0);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(frame->StatusPanes().PaneText(3), QStringLiteral("0 models, 0 facets"));
}

TEST_F(ObjectsFrameTest, ResetPositionsRefreshesTheList) {
    Command(kIdObjects)->trigger();
    ASSERT_NE(Dialog(), nullptr);
    SetRecordText(frame->GetScene().objects[1].name, "slab");
    Command(kIdResetPositions)->trigger();
    EXPECT_EQ(Find<QListWidget>(kIdObjectList)->item(0)->text(), QStringLiteral("slab"));
    EXPECT_EQ(frame->StatusPanes().PaneText(3), QStringLiteral("0 models, 0 facets"));
}

}  // namespace
