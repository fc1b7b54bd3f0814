#pragma once
// The main frame's command table: one QAction per command identifier, with its menu text, shortcuts,
// prompt and tip. A command works only once a handler is attached; until then it stays disabled, so
// commands of features that are not built yet show in menus and toolbar without pretending to work.

#include <QObject>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QWidget;

class CommandTable : public QObject {
public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<void(QAction&)>;

    // Creates every command's action as a child of `owner` and adds it to `owner`, so that the
    // accelerators work whether or not the command sits in a menu.
    explicit CommandTable(QWidget& owner);

    // The action of command `id`; nullptr for a number that is no command.
    QAction* Action(int id) const;
    // Every command identifier, in table order.
    const std::vector<int>& Ids() const { return ids_; }

    // Makes command `id` work: `run` on trigger; `update` (optional) sets its checked and enabled
    // state on each refresh, otherwise it is simply enabled. Unknown ids are ignored.
    void Attach(int id, Handler run, UpdateRule update = {});
    // Applies every update rule; commands without a handler are disabled. Runs on menu show and
    // after each command.
    void Refresh();
    // Disables every command but `except` until ReleaseHold (a running flight), whatever the rules say.
    void HoldAllBut(int except);
    void ReleaseHold();

private:
    void Run(int id);

    std::map<int, QAction*> actions_;
    std::map<int, Handler> handlers_;
    std::map<int, UpdateRule> rules_;
    std::vector<int> ids_;
    int holdExcept_ = 0;  // while non-zero, the only command that works
};
