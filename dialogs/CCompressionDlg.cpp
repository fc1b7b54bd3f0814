#include "dialogs/CCompressionDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ProgramSettings.h"
#include "platform/SettingsStore.h"
#include "resources/CompressionIds.h"

namespace {

constexpr char kCodecKey[] = "MovieCodec";
constexpr char kQualityKey[] = "MovieQuality";

}  // namespace

CCompressionDlg::CCompressionDlg(const std::vector<MovieCodec>& codecs, const MovieCompression& initial,
                                 QWidget* parent)
    : QDialog(parent), codecs_(codecs) {
    setObjectName(QString::number(kIdCompressionDialog));
    setWindowTitle(QStringLiteral(" Video Compression"));
    auto* column = new QVBoxLayout(this);

    column->addWidget(new QLabel(QStringLiteral("Compressor:"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QString::number(kIdCompressionCodecList));
    for (const MovieCodec& codec : codecs_)
        list_->addItem(QString::fromStdString(codec.label));
    const auto chosen = std::find_if(codecs_.begin(), codecs_.end(),
                                     [&](const MovieCodec& codec) { return codec.id == initial.codec; });
    list_->setCurrentRow(chosen == codecs_.end() ? 0 : static_cast<int>(chosen - codecs_.begin()));
    column->addWidget(list_);

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(new QLabel(QStringLiteral("Compression Quality:"), this));
    quality_ = new QSlider(Qt::Horizontal, this);
    quality_->setObjectName(QString::number(kIdCompressionQualitySlider));
    quality_->setRange(1, 100);
    quality_->setValue(std::clamp(initial.quality, 1, 100));
    qualityRow->addWidget(quality_, 1);
    qualityText_ = new QLabel(this);
    qualityText_->setObjectName(QString::number(kIdCompressionQualityText));
    qualityText_->setMinimumWidth(qualityText_->fontMetrics().horizontalAdvance(QStringLiteral("100")));
    qualityRow->addWidget(qualityText_);
    column->addLayout(qualityRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(kIdCompressionOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kIdCompressionCancel));
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, &CCompressionDlg::ShowQuality);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(quality_, &QSlider::valueChanged, this, &CCompressionDlg::ShowQuality);
    ShowQuality();
}

void CCompressionDlg::ShowQuality() {
    const int row = list_->currentRow();
    const bool hasQuality = row >= 0 && static_cast<size_t>(row) < codecs_.size() && codecs_[row].hasQuality;
    quality_->setEnabled(hasQuality);
    qualityText_->setEnabled(hasQuality);
    qualityText_->setText(QString::number(quality_->value()));
}

MovieCompression CCompressionDlg::Choice() const {
    const int row = list_->currentRow();
    MovieCompression choice;
    if (row >= 0 && static_cast<size_t>(row) < codecs_.size()) choice.codec = codecs_[row].id;
    choice.quality = quality_->value();
    return choice;
}

MovieCompression RememberedCompression(SettingsStore& store) {
    MovieCompression compression;
    compression.codec = store.StringOr(kSettingsSection, kCodecKey, "mjpeg");
    const uint32_t quality = store.IntOr(kSettingsSection, kQualityKey, 75);
    compression.quality = static_cast<int>(std::clamp<uint32_t>(quality, 1, 100));
    return compression;
}

void RememberCompression(SettingsStore& store, const MovieCompression& compression) {
    store.WriteString(kSettingsSection, kCodecKey, compression.codec);
    store.WriteInt(kSettingsSection, kQualityKey,
                   static_cast<uint32_t>(std::clamp(compression.quality, 1, 100)));
}

std::optional<MovieCompression> DialogCompressionChooser::Choose(const std::vector<MovieCodec>& codecs,
                                                                 const MovieCompression& initial) {
    if (codecs.empty()) return std::nullopt;
    CCompressionDlg dialog(codecs, initial, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const MovieCompression choice = dialog.Choice();
    RememberCompression(store_, choice);
    return choice;
}
