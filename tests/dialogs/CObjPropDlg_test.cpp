#include "dialogs/CObjPropDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <limits>

#include <memory>

#include "import/ModelFileBytes.h"
#include "import/ModelLoader.h"
#include "platform/ProgramSettings.h"
#include "platform/SettingsStore.h"
#include "render/PlateRecord.h"
#include "resources/DialogIds.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

struct ObjPropDlgTest : ::testing::Test {
    void SetUp() override {
        SceneObject& plate = scene->objects[1];
        InitPlateRecord(plate, 0);
        plate.boxMin[0] = plate.boxMin[2] = -250;
        plate.boxMax[0] = plate.boxMax[2] = 250;
    }
    void TearDown() override { delete dialog; }

    // A model record without a mesh, with made-up counts (nothing here draws it).
    SceneObject& AddModel(const char* name, int64_t facets, int fileType = kP3gFile) {
        const int index = scene->AddModelSlot();
        SceneObject& model = scene->objects[index];
        SetRecordText(model.name, name);
        model.fileType = fileType;
        model.optimized = fileType == kP3gFile ? 1 : 0;
        model.surfaceMode = 2;
        model.visible = 1;
        model.facetCount = facets;
        model.vertexCount = facets / 2 + 2;
        return model;
    }

    void Open() {
        ObjectsDialogHost host{*scene,
                               settings,
                               scripted.Services(),
                               graphics,
                               [this] { ++repaints; },
                               [this] { ++plateLists; },
                               [this](const std::string& text) { statusTexts.push_back(text); },
                               [this](const std::string& text) { messages.push_back(text); },
                               [this] { return recorderOpen; },
                               [this] { changingModels.push_back(scene->ModelCount()); }};
        dialog = new CObjPropDlg(std::move(host));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }

    template <class Widget>
    Widget* Find(int id) {
        return FindControl<Widget>(dialog, id);
    }
    bool Shown(int id) { return Find<QWidget>(id)->isVisible(); }
    QString Text(int id) { return Find<QLineEdit>(id)->text(); }
    void Click(int id) { Find<QAbstractButton>(id)->click(); }
    // The user picks row `index` of a combo box.
    void Choose(int id, int index) {
        auto* combo = Find<QComboBox>(id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QStringList Items(int id) {
        QStringList items;
        auto* combo = Find<QComboBox>(id);
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    void SelectRow(int row) { Find<QListWidget>(kIdObjectList)->setCurrentRow(row); }

    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    ProgramSettings settings;
    ScriptedServices scripted;
    RecordingSceneGraphics graphics;
    CObjPropDlg* dialog = nullptr;
    int repaints = 0;
    int plateLists = 0;
    bool recorderOpen = false;
    std::vector<int> changingModels;  // the model count each time a deletion was announced
    std::vector<std::string> statusTexts;
    std::vector<std::string> messages;  // status pane 0
};

constexpr int kModelGroup[] = {kIdCutButton,   kIdTextureCombo,  kIdCutIcon,
                               kIdTopCutCheck, kIdRestoreButton, kIdApplyToAllButton};
constexpr int kPlateGroup[] = {kIdPlateEditButton, kIdPlateDefaultButton, kIdPlateSizeLabel,
                               kIdPlateSizeXEdit, kIdPlateSizeYEdit};

TEST_F(ObjPropDlgTest, WithOnlyThePlateThePlateGroupShowsAndApplyKeepsItsVisibility) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Objects"));
    auto* list = Find<QListWidget>(kIdObjectList);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("plate"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(dialog->SelectedIndex(), 1);
    for (int id : kPlateGroup)
        EXPECT_TRUE(Shown(id)) << id;
    for (int id : kModelGroup)
        EXPECT_FALSE(Shown(id)) << id;
    for (int id : {kIdDeleteButton, kIdRenameButton, kIdCenteredCheck, kIdBoxCheck, kIdOptimizedCheck,
                   kIdSurfaceApplyButton, kIdSurfaceHint, kIdMaterialApplyButton, kIdRecutCheck})
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_EQ(Items(kIdSurfaceCombo), (QStringList{"Wire model", "Triangular facets"}));
    EXPECT_EQ(Text(kIdPlateSizeXEdit), QStringLiteral("500"));
    EXPECT_FALSE(Find<QLineEdit>(kIdPlateSizeXEdit)->isEnabled());

    Click(kIdVisibleCheck);
    EXPECT_EQ(scene->objects[1].visible, 1);
    Choose(kIdSurfaceCombo, 0);
    EXPECT_TRUE(Shown(kIdSurfaceApplyButton));
    Click(kIdSurfaceApplyButton);
    EXPECT_FALSE(Shown(kIdSurfaceApplyButton));
    EXPECT_EQ(scene->objects[1].surfaceMode, 0);
    EXPECT_EQ(scripted.settings.IntOr(kSettingsSection, kPlateVisibleKey, 7), 1u);
    EXPECT_EQ(plateLists, 1);
}

TEST_F(ObjPropDlgTest, ThePlateBesideModelsKeepsThePlateVisibilitySetting) {
    AddModel("bone", 12);
    Open();
    SelectRow(1);
    EXPECT_EQ(dialog->SelectedIndex(), 2);
    Choose(kIdSurfaceCombo, 0);
    Click(kIdSurfaceApplyButton);
    EXPECT_EQ(scene->objects[2].surfaceMode, 0);
    EXPECT_EQ(plateLists, 1);
    EXPECT_EQ(scripted.settings.IntOr(kSettingsSection, kPlateVisibleKey, 7), 7u);
}

TEST_F(ObjPropDlgTest, WithModelsItOpensOnTheLastModel) {
    AddModel("skull", 12);
    AddModel("jaw", 40);
    Open();
    auto* list = Find<QListWidget>(kIdObjectList);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("jaw"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(dialog->SelectedIndex(), 2);
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("40"));
    EXPECT_EQ(Text(kIdVertexesText), QStringLiteral("22"));
    for (int id : kModelGroup)
        EXPECT_TRUE(Shown(id)) << id;
    for (int id : kPlateGroup)
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_EQ(Items(kIdSurfaceCombo).size(), 4);
    EXPECT_EQ(Find<QComboBox>(kIdSurfaceCombo)->currentIndex(), 2);
}

TEST_F(ObjPropDlgTest, DeletingTheOnlyModelSwitchesToThePlateAtTheSameRow) {
    AddModel("bone", 12);
    Open();
    scripted.messages.answers.push_back(MessageAnswer::Cancel);
    Click(kIdDeleteButton);
    ASSERT_EQ(scripted.messages.Texts(), std::vector<std::string>{"Delete object < bone > now?"});
    EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(scene->ModelCount(), 1) << "a declined delete changes nothing";

    EXPECT_TRUE(changingModels.empty());
    scripted.messages.answers.push_back(MessageAnswer::Ok);
    Click(kIdDeleteButton);
    EXPECT_EQ(scene->ModelCount(), 0);
    EXPECT_EQ(changingModels, std::vector<int>{1}) << "announced before the model goes";
    auto* list = Find<QListWidget>(kIdObjectList);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("plate"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(dialog->SelectedIndex(), 1);
    for (int id : kPlateGroup)
        EXPECT_TRUE(Shown(id)) << id;
    EXPECT_FALSE(Shown(kIdDeleteButton));
    EXPECT_EQ(statusTexts, std::vector<std::string>{"0 models, 0 facets"});
    EXPECT_GT(repaints, 0);
}

TEST_F(ObjPropDlgTest, ThePercentButtonFollowsTheRecorderInterpolationAndSelection) {
    AddModel("bone", 12);
    recorderOpen = true;
    settings.interpolation = 1;
    Open();
    EXPECT_TRUE(Shown(kIdRecutCheck));
    Click(kIdRecutCheck);
    EXPECT_EQ(scene->objects[1].recutOnKeyframe, 1);
    SelectRow(1);  // the plate
    EXPECT_FALSE(Shown(kIdRecutCheck));
    dialog->ShowRecutButton(true);
    EXPECT_FALSE(Shown(kIdRecutCheck)) << "never for the plate";
    SelectRow(0);
    EXPECT_TRUE(Shown(kIdRecutCheck));
    EXPECT_TRUE(Find<QAbstractButton>(kIdRecutCheck)->isChecked());
    dialog->ShowRecutButton(false);
    EXPECT_FALSE(Shown(kIdRecutCheck));
    settings.interpolation = 0;
    SelectRow(1);
    SelectRow(0);
    EXPECT_FALSE(Shown(kIdRecutCheck));
}

TEST_F(ObjPropDlgTest, DeletingAMiddleModelKeepsTheRowOnItsSuccessor) {
    AddModel("a", 10);
    AddModel("b", 20);
    AddModel("c", 30);
    Open();
    SelectRow(1);
    scripted.messages.answers.push_back(MessageAnswer::Ok);
    Click(kIdDeleteButton);
    EXPECT_EQ(dialog->SelectedIndex(), 2);
    EXPECT_STREQ(scene->objects[2].name, "c");
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("30"));
    EXPECT_EQ(statusTexts, std::vector<std::string>{"2 models, 40 facets"});
}

TEST_F(ObjPropDlgTest, PlateSizeTenIsRefusedAndElevenTaken) {
    Open();
    Click(kIdPlateEditButton);
    EXPECT_EQ(Find<QPushButton>(kIdPlateEditButton)->text(), QStringLiteral("Apply"));
    ASSERT_TRUE(Find<QLineEdit>(kIdPlateSizeXEdit)->isEnabled());
    Find<QLineEdit>(kIdPlateSizeXEdit)->setText("10");
    Find<QLineEdit>(kIdPlateSizeYEdit)->setText("300");
    Click(kIdPlateEditButton);
    EXPECT_EQ(Find<QPushButton>(kIdPlateEditButton)->text(), QStringLiteral("Edit"));
    EXPECT_FALSE(Find<QLineEdit>(kIdPlateSizeXEdit)->isEnabled());
    EXPECT_EQ(Text(kIdPlateSizeXEdit), QStringLiteral("500"));
    EXPECT_EQ(Text(kIdPlateSizeYEdit), QStringLiteral("500"));
    EXPECT_EQ(scene->objects[1].boxMax[0], 250.0f);
    EXPECT_EQ(plateLists, 0);

    Click(kIdPlateEditButton);
    Find<QLineEdit>(kIdPlateSizeXEdit)->setText("11");
    Find<QLineEdit>(kIdPlateSizeYEdit)->setText("300");
    Click(kIdPlateEditButton);
    EXPECT_EQ(scene->objects[1].boxMin[0], -5.5f);
    EXPECT_EQ(scene->objects[1].boxMax[0], 5.5f);
    EXPECT_EQ(scene->objects[1].boxMin[2], -150.0f);
    EXPECT_EQ(scene->objects[1].boxMax[2], 150.0f);
    EXPECT_EQ(plateLists, 1);
}

TEST_F(ObjPropDlgTest, DefaultPlateIsAQuarterOfTheStageEachWay) {
    settings.stageSize = 1000;
    scene->objects[1].boxMin[0] = -3;
    Open();
    Click(kIdPlateEditButton);
    Click(kIdPlateDefaultButton);
    EXPECT_EQ(scene->objects[1].boxMin[0], -250.0f);
    EXPECT_EQ(scene->objects[1].boxMax[0], 250.0f);
    EXPECT_EQ(scene->objects[1].boxMin[2], -250.0f);
    EXPECT_EQ(scene->objects[1].boxMax[2], 250.0f);
    EXPECT_EQ(Text(kIdPlateSizeXEdit), QStringLiteral("500"));
    EXPECT_EQ(Text(kIdPlateSizeYEdit), QStringLiteral("500"));
    EXPECT_FALSE(Find<QLineEdit>(kIdPlateSizeXEdit)->isEnabled());
    EXPECT_EQ(Find<QPushButton>(kIdPlateEditButton)->text(), QStringLiteral("Apply")) << "caption untouched";
    EXPECT_EQ(plateLists, 1);
}

TEST_F(ObjPropDlgTest, AFacetTotalAtTheLimitAppliesAtOnceOneMoreWaitsForApply) {
    settings.applyButtonLimit = 2;
    SceneObject& first = AddModel("a", 1500000);
    SceneObject& second = AddModel("b", 500000);
    Open();
    auto* red = Find<QSlider>(kIdRedSlider);
    red->setValue(20);
    EXPECT_EQ(second.colour[0], 51);
    EXPECT_EQ(Text(kIdRedText), QStringLiteral("20%"));
    EXPECT_FALSE(Shown(kIdMaterialApplyButton));
    EXPECT_FALSE(dialog->MaterialPending());
    const int repaintsBefore = repaints;

    first.facetCount += 1;
    red->setValue(40);
    EXPECT_EQ(second.colour[0], 51) << "waits for Apply";
    EXPECT_EQ(Text(kIdRedText), QStringLiteral("40%"));
    EXPECT_TRUE(Shown(kIdMaterialApplyButton));
    EXPECT_TRUE(dialog->MaterialPending());
    EXPECT_EQ(repaints, repaintsBefore) << "no repaint while a change waits";

    Click(kIdMaterialApplyButton);
    EXPECT_EQ(second.colour[0], 102);
    EXPECT_FALSE(dialog->MaterialPending());
    EXPECT_FALSE(Shown(kIdMaterialApplyButton));
    EXPECT_EQ(repaints, repaintsBefore + 1);
}

TEST_F(ObjPropDlgTest, SwitchingObjectsDropsAPendingMaterial) {
    settings.applyButtonLimit = 1;
    SceneObject& first = AddModel("a", 2000000);
    SceneObject& second = AddModel("b", 10);
    Open();
    Find<QSlider>(kIdBlueSlider)->setValue(0);
    ASSERT_TRUE(dialog->MaterialPending());
    SelectRow(0);
    EXPECT_FALSE(dialog->MaterialPending());
    EXPECT_FALSE(Shown(kIdMaterialApplyButton));
    Click(kIdMaterialApplyButton);
    EXPECT_EQ(first.colour[2], 128);
    EXPECT_EQ(second.colour[2], 128);
    SelectRow(1);
    EXPECT_EQ(Find<QSlider>(kIdBlueSlider)->value(), 50) << "the slider shows the object again";
}

TEST_F(ObjPropDlgTest, SettingTheMaterialAtOnceDropsAPendingMaterial) {
    settings.applyButtonLimit = 1;
    SceneObject& model = AddModel("a", 2000000);
    Open();
    Find<QSlider>(kIdBlueSlider)->setValue(0);
    ASSERT_TRUE(dialog->MaterialPending());
    Click(kIdResetAllButton);
    EXPECT_FALSE(dialog->MaterialPending());
    EXPECT_FALSE(Shown(kIdMaterialApplyButton));
    Click(kIdMaterialApplyButton);
    EXPECT_EQ(model.colour[2], 128) << "the reset stands";

    Find<QSlider>(kIdOpacitySlider)->setValue(10);
    ASSERT_TRUE(dialog->MaterialPending());
    scripted.colours.answers.push_back(0x00204060u);
    Click(kIdColoursButton);
    EXPECT_FALSE(dialog->MaterialPending());
    Click(kIdMaterialApplyButton);
    EXPECT_EQ(model.colour[0], 0x60);
    EXPECT_EQ(model.colour[3], 255) << "the opacity still waiting was dropped";
    EXPECT_EQ(Find<QSlider>(kIdOpacitySlider)->value(), 100);

    // Another opacity scale from the preferences shows the sliders anew.
    Find<QSlider>(kIdRedSlider)->setValue(0);
    ASSERT_TRUE(dialog->MaterialPending());
    settings.logOpacity = 1;
    dialog->RefreshMaterialControls();
    EXPECT_FALSE(dialog->MaterialPending());
    EXPECT_FALSE(Shown(kIdMaterialApplyButton));
    EXPECT_EQ(Find<QSlider>(kIdRedSlider)->value(), 38) << "the chosen red, 0x60";
}

TEST_F(ObjPropDlgTest, LogarithmicOpacityTextsAndValues) {
    settings.logOpacity = 1;
    SceneObject& first = AddModel("a", 10);
    first.colour[3] = 75;
    SceneObject& second = AddModel("b", 10);
    second.colour[3] = 76;
    Open();
    EXPECT_EQ(Text(kIdOpacityText), QStringLiteral("30%"));
    SelectRow(0);
    EXPECT_EQ(Text(kIdOpacityText), QStringLiteral("29.4%"));
    EXPECT_EQ(Find<QSlider>(kIdOpacitySlider)->value(), 74);

    const std::pair<int, std::pair<int, const char*>> cases[] = {
        {0, {0, "0.0%"}}, {50, {38, "14.9%"}}, {90, {128, "50%"}}, {99, {255, "100%"}}, {100, {255, "100%"}}};
    for (const auto& [slider, expected] : cases) {
        Find<QSlider>(kIdOpacitySlider)->setValue(slider);
        EXPECT_EQ(first.colour[3], expected.first) << slider;
        EXPECT_EQ(Text(kIdOpacityText), QString::fromLatin1(expected.second)) << slider;
    }
}

TEST_F(ObjPropDlgTest, AnStlSoupInSmoothModeShowsTriangularFacetsOfTwo) {
    SceneObject& model = AddModel("mesh", 10, kStlFile);
    model.surfaceMode = 3;
    Open();
    EXPECT_EQ(Items(kIdSurfaceCombo), (QStringList{"Wire model", "Triangular facets"}));
    EXPECT_EQ(Find<QComboBox>(kIdSurfaceCombo)->currentText(), QStringLiteral("Triangular facets"));
    EXPECT_EQ(model.surfaceMode, 3) << "until an Apply";
    EXPECT_TRUE(Shown(kIdOptimizedCheck));
    EXPECT_FALSE(Find<QCheckBox>(kIdOptimizedCheck)->isChecked());
}

TEST_F(ObjPropDlgTest, ImageTextureIsOfferedForBmpAndJpgDatasetsOnly) {
    SceneObject& bmp = AddModel("a", 10);
    SetRecordText(bmp.datasetPath, "/scan/rec/slice0000.BMP");
    bmp.capFill = 2;
    SceneObject& tif = AddModel("b", 10);
    SetRecordText(tif.datasetPath, "/scan/rec/slice0000.tif");
    Open();
    EXPECT_EQ(Items(kIdTextureCombo), (QStringList{"Object color", "Plate color"}));
    SelectRow(0);
    EXPECT_EQ(Items(kIdTextureCombo), (QStringList{"Object color", "Plate color", "Image texture"}));
    EXPECT_EQ(Find<QComboBox>(kIdTextureCombo)->currentIndex(), 2);
    Choose(kIdTextureCombo, 1);
    EXPECT_EQ(bmp.capFill, 1);
}

TEST_F(ObjPropDlgTest, SurfaceChangesOfLargeModelsWarnBeforeApply) {
    settings.applyButtonLimit = 1;
    SceneObject& model = AddModel("big", 1000000, kStlFile);
    Open();
    Click(kIdOptimizedCheck);
    EXPECT_TRUE(Shown(kIdSurfaceApplyButton));
    EXPECT_TRUE(Shown(kIdSurfaceHint)) << "welding warns above 100,000 facets";
    SelectRow(1);
    SelectRow(0);
    EXPECT_FALSE(Shown(kIdSurfaceApplyButton));
    EXPECT_FALSE(Shown(kIdSurfaceHint));
    Click(kIdCenteredCheck);
    EXPECT_TRUE(Shown(kIdSurfaceApplyButton));
    EXPECT_FALSE(Shown(kIdSurfaceHint)) << "centring warns above the limit only";
    model.facetCount = 1000001;
    Click(kIdCenteredCheck);  // back to the object's value: nothing to apply
    Click(kIdCenteredCheck);
    EXPECT_TRUE(Shown(kIdSurfaceHint));
}

TEST_F(ObjPropDlgTest, AP3gModelAskedToOptimiseKeepsTheFlagWithoutAWeld) {
    SceneObject& model = AddModel("indexed", 10);
    model.optimized = 0;
    Open();
    ASSERT_TRUE(Shown(kIdOptimizedCheck));
    EXPECT_EQ(Items(kIdSurfaceCombo).size(), 4);
    Click(kIdOptimizedCheck);
    ASSERT_TRUE(Shown(kIdSurfaceApplyButton));
    Click(kIdSurfaceApplyButton);
    EXPECT_EQ(model.optimized, 1);
    EXPECT_FALSE(Shown(kIdOptimizedCheck));
    EXPECT_TRUE(graphics.progress.empty()) << "no weld ran";
    SelectRow(1);
    SelectRow(0);
    EXPECT_FALSE(Shown(kIdOptimizedCheck));
}

TEST_F(ObjPropDlgTest, CutByPlateTakesTheSurfaceChoiceWithoutApply) {
    SceneObject& model = AddModel("a", 10);
    Open();
    Choose(kIdSurfaceCombo, 0);
    ASSERT_TRUE(Shown(kIdSurfaceApplyButton));
    const int repaintsBefore = repaints;
    Click(kIdCutButton);
    EXPECT_EQ(model.surfaceMode, 0);
    EXPECT_EQ(graphics.builtLists, std::vector<int>{1});
    EXPECT_EQ(repaints, repaintsBefore + 2) << "before the cut and after it";
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("10"));
}

TEST_F(ObjPropDlgTest, RenameTakesANonEmptyName) {
    AddModel("bone", 10);
    Open();
    WhenModalAppears([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral(" New object name"));
        auto* current = FindControl<QLineEdit>(modal, kIdCurrentNameEdit);
        auto* typed = FindControl<QLineEdit>(modal, kIdNewNameEdit);
        ASSERT_TRUE(current && typed);
        EXPECT_EQ(current->text(), QStringLiteral("bone"));
        EXPECT_TRUE(current->isReadOnly());
        EXPECT_TRUE(typed->text().isEmpty());
        typed->setText(QStringLiteral("femur"));
        static_cast<QDialog*>(modal)->accept();
    });
    Click(kIdRenameButton);
    EXPECT_STREQ(scene->objects[1].name, "femur");
    EXPECT_EQ(Find<QListWidget>(kIdObjectList)->item(0)->text(), QStringLiteral("femur"));
    EXPECT_EQ(Find<QListWidget>(kIdObjectList)->currentRow(), 0);

    WhenModalAppears([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    Click(kIdRenameButton);
    EXPECT_STREQ(scene->objects[1].name, "femur") << "an empty name changes nothing";
}

TEST_F(ObjPropDlgTest, ApplyToAllCopiesTheMaterialToTheOtherModelsOnly) {
    SceneObject& first = AddModel("a", 10);
    SceneObject& second = AddModel("b", 10);
    Open();
    Find<QSlider>(kIdDiffuseSlider)->setValue(30);
    Find<QSlider>(kIdGreenSlider)->setValue(0);
    Click(kIdApplyToAllButton);
    EXPECT_EQ(first.colour[1], 0);
    EXPECT_EQ(first.diffuse, 0.3f);
    EXPECT_EQ(second.diffuse, 0.3f);
    EXPECT_EQ(scene->objects[3].colour[1], 160) << "the plate keeps its colour";
}

TEST_F(ObjPropDlgTest, ResetAllAndColoursActOnTheObject) {
    SceneObject& model = AddModel("a", 10);
    model.diffuse = 0.2f;
    model.visible = 0;
    Open();
    Click(kIdResetAllButton);
    EXPECT_EQ(model.diffuse, 0.8f);
    EXPECT_EQ(model.visible, 1);
    EXPECT_TRUE(Find<QCheckBox>(kIdVisibleCheck)->isChecked());
    EXPECT_EQ(Find<QSlider>(kIdDiffuseSlider)->value(), 80);

    scripted.colours.answers.push_back(0x00336699u);
    model.colour[3] = 40;
    Click(kIdColoursButton);
    EXPECT_EQ(scripted.colours.initials, std::vector<uint32_t>{0x00808080u});
    EXPECT_EQ(model.colour[0], 0x99);
    EXPECT_EQ(model.colour[1], 0x66);
    EXPECT_EQ(model.colour[2], 0x33);
    EXPECT_EQ(model.colour[3], 40) << "opacity unchanged";
    EXPECT_EQ(Find<QSlider>(kIdRedSlider)->value(), 60);
}

TEST_F(ObjPropDlgTest, AChosenColourGoesToTheRecordItWasChosenForOrNowhere) {
    SceneObject& first = AddModel("a", 10);
    Open();
    SelectRow(1);  // the plate
    // A model handed over while the chooser is open: the plate moves up a slot.
    scripted.colours.whileOpen = [this] {
        AddModel("handed", 10);
        dialog->RefreshObjectList();
    };
    scripted.colours.answers.push_back(0x00000011u);
    Click(kIdColoursButton);
    EXPECT_EQ(scene->objects[3].colour[0], 0x11) << "the plate";
    EXPECT_EQ(scene->objects[2].colour[0], 128) << "the model that took the plate's slot";
    EXPECT_EQ(first.colour[0], 128);

    // The model deleted while the chooser is open: nothing is coloured.
    SelectRow(0);
    ASSERT_EQ(dialog->SelectedIndex(), 1);
    scripted.colours.whileOpen = [this] {
        scene->DeleteModel(1, graphics);
        dialog->RefreshObjectList();
    };
    scripted.colours.answers.push_back(0x00000022u);
    Click(kIdColoursButton);
    for (int index = 1; index <= scene->PlateIndex(); ++index)
        EXPECT_NE(scene->objects[index].colour[0], 0x22) << index;
}

TEST_F(ObjPropDlgTest, AFailedRestoreKeepsTheModelAndSaysWhyInTheStatusBar) {
    ScratchDirectory directory;
    FileBytes stl;
    stl.Zeros(80).Int32(1).Floats({0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0}).Uint16(0);
    const std::string path = directory.Write("leaf.stl", stl.bytes);
    const int index = scene->AddModelSlot();
    ASSERT_EQ(LoadModelFile(*scene, index, path, scripted.tones), 1);
    const Poly3gon* mesh = scene->objects[index].mesh;
    Open();
    std::filesystem::remove(path);
    Click(kIdRestoreButton);
    EXPECT_EQ(scene->objects[index].mesh, mesh);
    EXPECT_EQ(Text(kIdFacetsText), QStringLiteral("1"));
    EXPECT_EQ(messages, std::vector<std::string>{"Cannot restore from " + path + ": no such file"});
    EXPECT_TRUE(scripted.messages.shown.empty()) << "no message box";
    EXPECT_EQ(Text(kIdLocationText), QString::fromStdString(path));
}

TEST_F(ObjPropDlgTest, MaterialFilesGoThroughTheFileDialogsAndAFailedSaveIsReported) {
    settings.dataDirectory = "/data/materials";
    AddModel("a", 10);
    Open();
    scripted.files.answers.push_back(FileDialogResult{"/nonexistent-folder/red.mat", 1});
    Click(kIdSaveMaterialButton);
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    const FileDialogRequest& asked = scripted.files.asked[0].request;
    EXPECT_TRUE(scripted.files.asked[0].save);
    EXPECT_EQ(asked.startDirectory, "/data/materials");
    ASSERT_EQ(asked.filters.size(), 1u);
    EXPECT_EQ(asked.filters[0].label, "Material files (*.mat)");
    EXPECT_EQ(asked.filters[0].patterns, std::vector<std::string>{"*.mat"});
    EXPECT_EQ(asked.defaultExtension, "mat");
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_NE(scripted.messages.shown[0].text.find("/nonexistent-folder/red.mat"), std::string::npos);

    Click(kIdLoadMaterialButton);  // cancelled
    EXPECT_FALSE(scripted.files.asked[1].save);
    EXPECT_EQ(scene->objects[1].colour[0], 128);

    scripted.files.answers.push_back(FileDialogResult{"/nonexistent-folder/blue.mat", 1});
    Click(kIdLoadMaterialButton);
    ASSERT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_EQ(scripted.messages.shown[1].text,
              "The material could not be read from /nonexistent-folder/blue.mat.");
    EXPECT_EQ(scene->objects[1].colour[0], 128);
}

TEST_F(ObjPropDlgTest, BoundingBoxTicksNeedAPixelSize) {
    SceneObject& model = AddModel("a", 10);
    Open();
    Click(kIdBoxCheck);
    EXPECT_EQ(model.showBox, 1);
    EXPECT_FALSE(Shown(kIdTickSlider));
    model.unit = 2;
    Click(kIdPixelSizeIcon);  // a size that came with the model: no entry opens
    EXPECT_EQ(model.pixelSize, 0.0f);

    model.unit = 0;
    WhenModalAppears([](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setText(QStringLiteral("2.5"));
        static_cast<QDialog*>(modal)->accept();
    });
    const int repaintsBefore = repaints;
    Click(kIdPixelSizeIcon);
    EXPECT_EQ(model.pixelSize, 2.5f);
    EXPECT_TRUE(Shown(kIdTickSlider));
    EXPECT_TRUE(Shown(kIdTickLabel));
    EXPECT_EQ(repaints, repaintsBefore + 1);
    Find<QSlider>(kIdTickSlider)->setValue(4);
    EXPECT_EQ(model.tickFactor, 4);

    WhenModalAppears([](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(QStringLiteral("-1"));
        static_cast<QDialog*>(modal)->accept();
    });
    Click(kIdPixelSizeIcon);
    EXPECT_EQ(model.pixelSize, 0.0f);
    EXPECT_FALSE(Shown(kIdTickSlider));

    WhenModalAppears([](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(QStringLiteral("1e300"));
        static_cast<QDialog*>(modal)->accept();
    });
    Click(kIdPixelSizeIcon);
    EXPECT_EQ(model.pixelSize, std::numeric_limits<float>::max());
}

}  // namespace
