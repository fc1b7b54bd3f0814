#include "app/CMainFrame.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include "app/CommandTable.h"
#include "app/FlightOutput.h"
#include "app/FrameMenus.h"
#include "app/FrameStatusBar.h"
#include "app/FrameToolbar.h"
#include "app/ManualLocation.h"
#include "dialogs/CFRDlg.h"
#include "dialogs/CLightDlg.h"
#include "dialogs/CObjPropDlg.h"
#include "dialogs/CStageDlg.h"
#include "dialogs/ProgramIcon.h"
#include "dialogs/ToolWindow.h"
#include "flight/KeyframeRecorder.h"
#include "navigation/qt/MovementsWindow.h"
#include "output/ImagePrinting.h"
#include "output/MovieCompression.h"
#include "output/PrintDialogs.h"
#include "platform/PlatformServices.h"
#include "platform/SettingsStore.h"
#include "platform/TexturePath.h"
#include "render/CPexoraView.h"
#include "render/GLSceneGraphics.h"
#include "render/StatusTexts.h"
#include "resources/CommandIds.h"

CMainFrame::CMainFrame(PlatformServices& services, FrameStartup startup, QWidget* parent)
    : QMainWindow(parent), services_(services), startup_(std::move(startup)) {
    ReadSettingsOnConstruction();
    setWindowTitle(kTitle);
    setWindowIcon(ProgramIcon());
    setObjectName(QString::number(kIdMainFrameResource));

    view_ = new CPexoraView(
        *scene_, settings_, display_, ReadRotationIncrement(services_.settings),
        static_cast<int>(services_.settings.IntOr(kSettingsSection, kDrawBoundingBoxesKey, 0)), this);
    view_->SetSoftwareRendererNotice(startup_.accelerationRefused);
    view_->SetProgramDirectory(ProgramDataDirectory(startup_.programPath));
    view_->SetStatusTextSink(
        [this](int pane, const char* text) { statusBar_->SetPaneText(pane, QString::fromUtf8(text)); });
    setCentralWidget(view_);
    graphics_ = std::make_unique<GLSceneGraphics>(
        *view_, [this](int percent, const std::string& text) { ShowProgress(percent, text); }, scene_.get(),
        &services_.messages);

    commands_ = new CommandTable(*this);
    BuildFrameMenus(*menuBar(), *commands_);
    toolbar_ = BuildFrameToolbar(*this, *commands_);
    // The toolbar can also be hidden from the frame's context menu; keep its check mark right.
    connect(toolbar_, &QToolBar::visibilityChanged, commands_, &CommandTable::Refresh);
    statusBar_ = new FrameStatusBar(this);
    setStatusBar(statusBar_);
    ShowStatusTexts();
    AttachCommands();
    AttachNavigation();
    AttachModelCommands();
    AttachObjects();
    AttachStageLight();
    CreateKeyframes();
    AttachFlight();
    AttachScene();
    AttachPreferenceCommands();
    AttachDatasetCommands();
    AttachImageOutput();

    resize(800, 600);
    RestoreFramePlacement();
    stableState_ = windowState();
}

CMainFrame::~CMainFrame() {
    // The recorder gives its choices back to the settings when it closes, before they are written.
    recorder_.reset();
    WriteSettingsOnDestroy();
    keyframes_->DeleteAllKeyframes();
    // The models' display lists live in the view's context, which still exists here. The view goes
    // before the scene it draws from.
    scene_->FreeAllModels(*graphics_);
    graphics_.reset();
    delete view_;
    view_ = nullptr;
}

SceneGraphics& CMainFrame::Graphics() {
    return *graphics_;
}

void CMainFrame::ApplyLight() {
    view_->ApplyLight();
    graphics_->MatchLightKind();
}

std::string CMainFrame::ManualPath() const {
    return FindManual(startup_.programPath);
}

void CMainFrame::RepaintNow() {
    // QWidget::repaint() turns into a later update when the window was composed less than a frame
    // ago (the GL view makes it a composed window); deliver the pending update request now instead.
    view_->update();
    QCoreApplication::sendPostedEvents(view_->window(), QEvent::UpdateRequest);
}

void CMainFrame::ShowProgress(int percent, const std::string& text) {
    // Keep the window painted during the long operation; user input waits until it ends, and a
    // hand-off noticed meanwhile waits too (InProgress), even while the bar is being cleared.
    inProgress_ = true;
    statusBar_->ShowProgress(percent, QString::fromStdString(text));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    inProgress_ = percent > 0;
}

void CMainFrame::ShowStatusTexts() {
    char text[kStatusTextSize];
    FormatPositionText(*scene_, text);
    statusBar_->SetPaneText(kPositionPane, QString::fromUtf8(text));
    FormatCameraText(*scene_, text);
    statusBar_->SetPaneText(kCameraPane, QString::fromUtf8(text));
    FormatModelsText(*scene_, text);
    statusBar_->SetPaneText(kModelsPane, QString::fromUtf8(text));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FirstActivation();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // During a flight the window stays: playback and export pump events and need it.
    if (display_.playing) {
        event->ignore();
        return;
    }
    WriteCloseState();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (!display_.playing) {
        stableState_ = windowState();
        return;
    }
    // Minimising or maximising is refused during a flight: return to the state it had.
    if (windowState() != stableState_) {
        QTimer::singleShot(0, this, [this] {
            if (display_.playing) setWindowState(stableState_);
        });
    }
}
