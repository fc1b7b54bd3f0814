#include "app/HandOffWatcher.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QWidget>

HandOffWatcher::HandOffWatcher(SettingsStore& store, const QString& settingsFile, Handler handler,
                               Receiving receiving)
    : store_(store),
      settingsFile_(settingsFile),
      handler_(std::move(handler)),
      receiving_(std::move(receiving)) {
    timer_.setInterval(kPollIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { CheckNow(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, &timer_, [this] { OnFileEvent(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &timer_, [this] { OnFileEvent(); });
}

void HandOffWatcher::Start() {
    // The directory is watched too: the store replaces its file on every write, which ends a file watch,
    // and the file may not exist yet.
    const QString directory = QFileInfo(settingsFile_).absolutePath();
    if (QFileInfo::exists(directory)) watcher_.addPath(directory);
    if (QFileInfo::exists(settingsFile_)) watcher_.addPath(settingsFile_);
    qApp->installEventFilter(&modalFilter_);
    // A modal window that is open already (the watcher started from inside one) pauses it too.
    SetPaused(QApplication::activeModalWidget() != nullptr);
    timer_.start();
}

void HandOffWatcher::Stop() {
    qApp->removeEventFilter(&modalFilter_);
    timer_.stop();
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
}

bool HandOffWatcher::CheckNow() {
    // Asked first and always, so an instance waiting for its turn takes it even while paused.
    const bool receiving = !receiving_ || receiving_();
    if (!receiving || paused_ || handling_) return false;
    const HandOff handOff = ReadHandOff(store_);
    if (handOff.modelPath.empty()) return false;
    handling_ = true;
    handler_(handOff);
    handling_ = false;
    return true;
}

void HandOffWatcher::OnFileEvent() {
    if (!timer_.isActive()) return;
    if (!watcher_.files().contains(settingsFile_) && QFileInfo::exists(settingsFile_))
        watcher_.addPath(settingsFile_);
    CheckNow();
}

bool HandOffWatcher::ModalFilter::eventFilter(QObject* object, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide) {
        if (const auto* widget = qobject_cast<const QWidget*>(object);
            widget && widget->isWindow() && widget->isModal()) {
            if (type == QEvent::Show)
                watcher_.OnModalShown();
            else
                watcher_.OnModalHidden();
        }
    }
    return false;
}

void HandOffWatcher::OnModalShown() {
    SetPaused(true);
}

void HandOffWatcher::OnModalHidden() {
    // The modal window may still count as the active one while it hides: look again once the event is
    // over, when another modal may also have followed it.
    QTimer::singleShot(0, &timer_, [this] {
        if (!timer_.isActive()) return;
        SetPaused(QApplication::activeModalWidget() != nullptr);
        CheckNow();
    });
}
