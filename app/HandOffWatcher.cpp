#include "app/HandOffWatcher.h"

#include <QFileInfo>

HandOffWatcher::HandOffWatcher(SettingsStore& store, const QString& settingsFile, Handler handler)
    : store_(store), settingsFile_(settingsFile), handler_(std::move(handler)) {
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
    timer_.start();
}

void HandOffWatcher::Stop() {
    timer_.stop();
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
}

bool HandOffWatcher::CheckNow() {
    if (paused_ || handling_) return false;
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
