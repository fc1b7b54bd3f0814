#include "app/FrameMenus.h"

#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <initializer_list>

#include "app/CommandPictures.h"
#include "app/CommandTable.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kSeparator = 0;

QMenu* AddMenu(QWidget& parent, const QString& title, CommandTable& commands, QStyle* style) {
    auto* menu = new QMenu(title, &parent);
    menu->setStyle(style);
    QObject::connect(menu, &QMenu::aboutToShow, &commands, &CommandTable::Refresh);
    return menu;
}

void AddItems(QMenu& menu, const CommandTable& commands, std::initializer_list<int> ids) {
    for (const int id : ids) {
        if (id == kSeparator)
            menu.addSeparator();
        else
            menu.addAction(commands.Action(id));
    }
}

}  // namespace

void BuildFrameMenus(QMenuBar& menuBar, CommandTable& commands) {
    QStyle* style = MenuBitmapStyle();

    QMenu* file = AddMenu(menuBar, QStringLiteral("&File"), commands, style);
    AddItems(*file, commands, {kIdLoadObject, kIdSaveImage});
    QMenu* print = AddMenu(*file, QStringLiteral(" &Print Image"), commands, style);
    AddItems(*print, commands, {kIdPrint, kIdPrintPreview, kIdPrintSetup, kIdPageLayout});
    file->addMenu(print);
    AddItems(*file, commands, {kSeparator, kIdLoadScene, kIdSaveScene, kSeparator});
    QMenu* movements = AddMenu(*file, QStringLiteral(" &Movements"), commands, style);
    AddItems(*movements, commands, {kIdMoveCamera, kIdMoveObjects, kIdResetPositions, kIdMoveToObject});
    file->addMenu(movements);
    AddItems(*file, commands, {kIdFlightRecorder, kIdResampleDataset, kSeparator, kIdExit});
    menuBar.addMenu(file);

    QMenu* view = AddMenu(menuBar, QStringLiteral("&View"), commands, style);
    AddItems(*view, commands, {kIdViewToolbar, kIdViewStatusBar, kSeparator, kIdStereo});
    menuBar.addMenu(view);

    QMenu* options = AddMenu(menuBar, QStringLiteral("&Options"), commands, style);
    AddItems(*options, commands, {kIdObjects, kIdStage, kIdLight, kIdMovements, kSeparator, kIdPreferences});
    menuBar.addMenu(options);

    QMenu* help = AddMenu(menuBar, QStringLiteral("&Help"), commands, style);
    AddItems(*help, commands, {kIdHelpTopics, kSeparator, kIdAbout});
    menuBar.addMenu(help);
}
