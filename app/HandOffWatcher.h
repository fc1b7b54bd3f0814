#pragma once
// Notices a model handed over by a second instance: watches the settings file for changes and also checks
// on a slow timer (twice a second), so a hand-off is picked up within a second without any busy loop.

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/HandOff.h"

class SettingsStore;

class HandOffWatcher {
public:
    using Handler = std::function<void(const HandOff&)>;
    static constexpr int kPollIntervalMs = 500;

    // `settingsFile` is the file behind `store`; `handler` gets each hand-off with a non-empty model path
    // and must consume it (AnswerHandOff does), or it is handed again on the next check.
    HandOffWatcher(SettingsStore& store, const QString& settingsFile, Handler handler);

    // Starts and stops watching; a new watcher is stopped.
    void Start();
    void Stop();

    // While paused (a long operation pumping events, a question box of the frame's own), nothing is handed.
    void SetPaused(bool paused) { paused_ = paused; }
    bool IsPaused() const { return paused_; }

    // Reads the hand-off now and gives a waiting one to the handler; false when nothing was handed.
    // A check while the handler runs (its question box keeps events flowing) hands nothing, so one
    // hand-off is never asked about twice.
    bool CheckNow();

private:
    void OnFileEvent();

    SettingsStore& store_;
    QString settingsFile_;
    Handler handler_;
    QFileSystemWatcher watcher_;
    QTimer timer_;
    bool paused_ = false;
    bool handling_ = false;
};
