#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "import/ModelFileBytes.h"
#include "import/P3gWriter.h"
#include "resources/CommandIds.h"
#include "scene/Poly3gon.h"
#include "support/BmpSliceBytes.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

struct FrameDatasetTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        modelPath = folder.filePath("tooth.p3g").toStdString();
        Poly3gon triangle(3, 1);
        const float corners[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
        std::copy(std::begin(corners), std::end(corners), triangle.vertices);
        triangle.facets[0] = 0, triangle.facets[1] = 1, triangle.facets[2] = 2;
        ASSERT_EQ(WriteP3g(triangle, modelPath), 1);
        for (int number = 0; number < 3; ++number) {
            BmpSlice slice;
            slice.width = slice.height = 16;
            slice.index = [number](int, int) { return uint8_t(100 + number); };
            slice.colour = [](int i) {
                return std::array<uint8_t, 3>{uint8_t(255 - i), 0, 0};
            };  // entry 0 not black
            const std::vector<uint8_t> bytes = BmpSliceBytes(slice);
            const std::string name = "tooth_rec000" + std::to_string(number) + ".bmp";
            std::ofstream(folder.filePath(QString::fromStdString(name)).toStdString(), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        datasetPath = folder.filePath("tooth_rec0000.bmp").toStdString();
        frame = std::make_unique<CMainFrame>(services, FrameStartup{});
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_EQ(frame->LoadHandedModel(modelPath, datasetPath, 1.0f, 4, 0), 1);
    }
    QAction& Resample() { return *frame->Commands().Action(kIdResampleDataset); }
    // Runs the command; `act` answers its dialog. Returns the prefix the dialog offered.
    QString RunResample(const std::function<void(QWidget*)>& act) {
        QString offered;
        WhenModalAppears([&](QWidget* modal) {
            offered = FindControl<QLineEdit>(modal, 1127)->text();
            act(modal);
        });
        Resample().trigger();
        return offered;
    }

    QTemporaryDir folder;
    std::string modelPath;
    std::string datasetPath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameDatasetTest, TheCommandWorksOnTheObjectsDialogsModelWithADataset) {
    frame->Commands().Refresh();
    EXPECT_FALSE(Resample().isEnabled()) << "the Objects dialog is closed";
    frame->Commands().Action(kIdObjects)->trigger();
    frame->Commands().Refresh();
    EXPECT_TRUE(Resample().isEnabled());
    EXPECT_EQ(Resample().statusTip(), QStringLiteral("Create new dataset in alternative orientation"));

    // Cancel writes nothing but still numbers the next default prefix.
    const std::string stem = folder.filePath("tooth").toStdString();
    EXPECT_EQ(RunResample([](QWidget* modal) { FindControl<QPushButton>(modal, 2)->click(); }),
              QString::fromStdString(stem + "_01_"));
    const QString offered = RunResample([&](QWidget* modal) {
        auto* count = FindControl<QLineEdit>(modal, 1125);
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("2"));
        FindControl<QPushButton>(modal, 1)->click();
    });
    EXPECT_EQ(offered, QString::fromStdString(stem + "_02_"));
    EXPECT_TRUE(std::filesystem::exists(stem + "_02_0000.bmp"));
    EXPECT_TRUE(std::filesystem::exists(stem + "_02_0001.bmp"));
    EXPECT_TRUE(scripted.messages.shown.empty());

    // Files that cannot be written are reported, with the folder.
    RunResample([&](QWidget* modal) {
        auto* prefix = FindControl<QLineEdit>(modal, 1127);
        prefix->setText(folder.filePath("missing/out_"));
        FindControl<QPushButton>(modal, 1)->click();
    });
    EXPECT_EQ(scripted.messages.Texts(), std::vector<std::string>{"1 of 1 files could not be written to " +
                                                                  folder.filePath("missing").toStdString()});

    // A dataset whose own slice cannot be read: said, and no dialog.
    scripted.messages.shown.clear();
    std::filesystem::remove(datasetPath);
    Resample().trigger();
    EXPECT_EQ(scripted.messages.Texts(), std::vector<std::string>{"Incompatible file format in dataset !"});
}

}  // namespace
