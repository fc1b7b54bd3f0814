#pragma once
// " Video Compression": the codec a movie is written with and its quality, chosen from the encoders
// that really open here. The quality slider is enabled only for codecs that have one. The choice is
// remembered in "Settings" as "MovieCodec" and "MovieQuality".

#include <QDialog>
#include <vector>

#include "output/MovieCompression.h"

class QLabel;
class QListWidget;
class QSlider;
class SettingsStore;
class QWidget;

class CCompressionDlg : public QDialog {
public:
    // Lists `codecs` (not empty) with the codec of `initial` selected, or the first one when it is
    // not among them.
    CCompressionDlg(const std::vector<MovieCodec>& codecs, const MovieCompression& initial,
                    QWidget* parent = nullptr);

    // The codec selected and the slider's quality.
    MovieCompression Choice() const;

private:
    void ShowQuality();

    std::vector<MovieCodec> codecs_;
    QListWidget* list_ = nullptr;
    QSlider* quality_ = nullptr;
    QLabel* qualityText_ = nullptr;
};

// The compression remembered from the last export: "MovieCodec" (default "mjpeg") and "MovieQuality"
// (default 75, clamped to 1..100).
MovieCompression RememberedCompression(SettingsStore& store);
void RememberCompression(SettingsStore& store, const MovieCompression& compression);

// Asks with CCompressionDlg and remembers what the user chose with OK.
class DialogCompressionChooser : public CompressionChooser {
public:
    DialogCompressionChooser(SettingsStore& store, QWidget* parent) : store_(store), parent_(parent) {}
    std::optional<MovieCompression> Choose(const std::vector<MovieCodec>& codecs,
                                           const MovieCompression& initial) override;

private:
    SettingsStore& store_;
    QWidget* parent_;
};
