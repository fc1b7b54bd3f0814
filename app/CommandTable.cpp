#include "app/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include "app/CommandPictures.h"
#include "resources/CommandIds.h"

namespace {

struct CommandEntry {
    int id;
    const char* text;  // menu text; a shortcut after "\t" becomes the action's first shortcut
    bool checkable;
    QKeySequence extraKeys[2];  // accelerators besides the one in the menu text
};

// Commands in menu order; the last four have no menu item and act through their accelerators only.
const CommandEntry kCommands[] = {
    {kIdLoadObject, " Load &Object...\tCtrl+O", false, {}},
    {kIdSaveImage, " &Save Image...\tCtrl+S", false, {}},
    {kIdPrint, "&Print...\tCtrl+P", false, {}},
    {kIdPrintPreview, "Print Preview", false, {}},
    {kIdPrintSetup, "P&rint Setup...", false, {}},
    {kIdPageLayout, "Page &Layout...", false, {}},
    {kIdLoadScene, " Load Scene", false, {}},
    {kIdSaveScene, " Save Scene", false, {}},
    {kIdMoveCamera, "Move Camera", true, {}},
    {kIdMoveObjects, "Move Object(s)", true, {}},
    {kIdResetPositions, "Reset Positions", false, {}},
    {kIdMoveToObject, "Move to Object", false, {}},
    {kIdFlightRecorder, " Flight &Recorder...", true, {}},
    {kIdResampleDataset, " Resample &Dataset", false, {}},
    {kIdExit, " E&xit", false, {}},
    {kIdObjects, " &Object(s)...", true, {}},
    {kIdStage, " &Stage...", true, {}},
    {kIdLight, " &Light...", true, {}},
    {kIdMovements, " Movements...", true, {}},
    {kIdPreferences, " &Preferences...", false, {}},
    {kIdViewToolbar, "&Toolbar", true, {}},
    {kIdViewStatusBar, "St&atus Bar", true, {}},
    {kIdStereo, "&Stereo", true, {}},
    {kIdHelpTopics, "&Help Topics", false, {}},
    {kIdAbout, "&About Pexora...", false, {}},
    {kIdNewDocument, "New", false, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
    {kIdDuplicateObject,
     "Copy object",
     false,
     {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
    {kIdHelp, "Help", false, {QKeySequence(Qt::Key_F1)}},
    {kIdContextHelp, "What's This?", false, {QKeySequence(Qt::SHIFT | Qt::Key_F1)}},
};

QAction* CreateAction(const CommandEntry& entry, QWidget& owner) {
    const QString menuText = QString::fromLatin1(entry.text);
    const int tab = menuText.indexOf(QLatin1Char('\t'));
    auto* action = new QAction(tab < 0 ? menuText : menuText.left(tab), &owner);
    action->setObjectName(QString::number(entry.id));
    action->setCheckable(entry.checkable);

    QList<QKeySequence> keys;
    if (tab >= 0) keys.append(QKeySequence(menuText.mid(tab + 1), QKeySequence::PortableText));
    for (const QKeySequence& key : entry.extraKeys)
        if (!key.isEmpty()) keys.append(key);
    action->setShortcuts(keys);

    const QString resource = QString::fromLatin1(CommandString(entry.id));
    const int newline = resource.indexOf(QLatin1Char('\n'));
    const QString prompt = newline < 0 ? resource : resource.left(newline);
    action->setStatusTip(prompt);
    action->setWhatsThis(prompt);
    if (newline >= 0) action->setToolTip(resource.mid(newline + 1));

    action->setIcon(CommandIcon(entry.id));
    action->setIconVisibleInMenu(MenuBitmapOf(entry.id) != 0);
    action->setEnabled(false);
    owner.addAction(action);
    return action;
}

}  // namespace

CommandTable::CommandTable(QWidget& owner) : QObject(&owner) {
    for (const CommandEntry& entry : kCommands) {
        QAction* action = CreateAction(entry, owner);
        actions_[entry.id] = action;
        ids_.push_back(entry.id);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    }
}

QAction* CommandTable::Action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CommandTable::Attach(int id, Handler run, UpdateRule update) {
    if (!actions_.count(id)) return;
    handlers_[id] = std::move(run);
    if (update)
        rules_[id] = std::move(update);
    else
        rules_.erase(id);
    Refresh();
}

void CommandTable::Refresh() {
    for (const auto& [id, action] : actions_) {
        if (!handlers_.count(id)) {
            action->setEnabled(false);
            if (action->isCheckable()) action->setChecked(false);
            continue;
        }
        action->setEnabled(true);
        const auto rule = rules_.find(id);
        if (rule != rules_.end()) rule->second(*action);
        if (holdExcept_ != 0 && id != holdExcept_) action->setEnabled(false);
        // A menu bitmap gives way to the check mark while the item is checked.
        if (MenuBitmapOf(id) != 0) action->setIconVisibleInMenu(!action->isChecked());
    }
}

void CommandTable::HoldAllBut(int except) {
    holdExcept_ = except;
    Refresh();
}

void CommandTable::ReleaseHold() {
    holdExcept_ = 0;
    Refresh();
}

void CommandTable::Run(int id) {
    const auto handler = handlers_.find(id);
    if (handler == handlers_.end()) return;
    // The handler may re-attach commands or destroy the window; work on a copy and check afterwards.
    const Handler run = handler->second;
    const QPointer<CommandTable> self(this);
    run();
    if (self) Refresh();
}
