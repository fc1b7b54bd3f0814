#pragma once
// Notices a model handed over by a second instance: watches the settings file for changes and also checks
// on a slow timer (twice a second), so a hand-off is picked up within a second without any busy loop.
// While any modal dialog or message box of the program is open, the watcher pauses, so a question never
// pops up over it and no model is loaded underneath it; a waiting hand-off is taken when it closes.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/HandOff.h"

class SettingsStore;

class HandOffWatcher {
public:
    using Handler = std::function<void(const HandOff&)>;
    using Receiving = std::function<bool()>;
    static constexpr int kPollIntervalMs = 500;

    // `settingsFile` is the file behind `store`; `handler` gets each hand-off with a non-empty model path
    // and must consume it (AnswerHandOff does), or it is handed again on the next check. `receiving`,
    // asked on every check, tells whether this instance is the one that answers hand-offs now (all
    // instances share the store, so only one may); empty means always.
    HandOffWatcher(SettingsStore& store, const QString& settingsFile, Handler handler,
                   Receiving receiving = {});

    HandOffWatcher(const HandOffWatcher&) = delete;
    HandOffWatcher& operator=(const HandOffWatcher&) = delete;

    // Starts and stops watching (the file, the timer and the modal windows); a new watcher is stopped.
    void Start();
    void Stop();

    // While paused nothing is handed. A running watcher sets this itself as modal windows open and close.
    void SetPaused(bool paused) { paused_ = paused; }
    bool IsPaused() const { return paused_; }

    // Reads the hand-off now and gives a waiting one to the handler; false when nothing was handed.
    // A check while the handler runs (its question box keeps events flowing) hands nothing, so one
    // hand-off is never asked about twice.
    bool CheckNow();

private:
    // Sees every modal window of the application show and hide.
    class ModalFilter : public QObject {
    public:
        explicit ModalFilter(HandOffWatcher& watcher) : watcher_(watcher) {}
        bool eventFilter(QObject* object, QEvent* event) override;

    private:
        HandOffWatcher& watcher_;
    };

    void OnFileEvent();
    void OnModalShown();
    void OnModalHidden();

    SettingsStore& store_;
    QString settingsFile_;
    Handler handler_;
    Receiving receiving_;
    QFileSystemWatcher watcher_;
    QTimer timer_;
    ModalFilter modalFilter_{*this};
    bool paused_ = false;
    bool handling_ = false;
};
