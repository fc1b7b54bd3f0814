#include "app/FrameToolbar.h"

#include <QMainWindow>
#include <QToolBar>

#include "app/CommandPictures.h"
#include "app/CommandTable.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kSeparator = 0;

// Buttons in order; 0 is a separator.
constexpr int kButtons[] = {
    kIdLoadObject,   kIdSaveImage,      kSeparator,         kIdMoveCamera, kIdMoveObjects, kIdResetPositions,
    kIdMoveToObject, kSeparator,        kIdObjects,         kIdStage,      kIdLight,       kSeparator,
    kIdStereo,       kIdFlightRecorder, kIdResampleDataset, kSeparator,    kIdContextHelp};

}  // namespace

QToolBar* BuildFrameToolbar(QMainWindow& frame, const CommandTable& commands) {
    auto* toolbar = new QToolBar(QStringLiteral("Toolbar"), &frame);
    toolbar->setObjectName(QString::number(kIdMainFrameResource));
    toolbar->setMovable(true);
    toolbar->setFloatable(true);
    toolbar->setAllowedAreas(Qt::AllToolBarAreas);
    toolbar->setIconSize(QSize(kToolbarPictureSize, kToolbarPictureSize));
    for (const int id : kButtons) {
        if (id == kSeparator)
            toolbar->addSeparator();
        else
            toolbar->addAction(commands.Action(id));
    }
    frame.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}
