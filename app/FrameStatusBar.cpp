#include "app/FrameStatusBar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "resources/CommandIds.h"

int StatusPaneWidth(const QFontMetrics& metrics) {
    return std::max(kStatusPaneWidth,
                    StatusPaneWidth(metrics, QStringLiteral("PositionX:-0000,Y:-0000,Z:-0000")));
}

int StatusPaneWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth();
}

namespace {

// A pane never cuts its text: one that needs more room widens for the rest of the run (and does not
// shrink back, so the panes do not jump as positions change).
void WidenToFit(QWidget& pane, const QString& text) {
    const int needed = StatusPaneWidth(pane.fontMetrics(), text);
    if (needed > pane.minimumWidth()) pane.setFixedWidth(needed);
}

}  // namespace

// Pane 3: shows a text, or a progress bar with its label, or nothing (cleared).
class ProgressPane : public QFrame {
public:
    explicit ProgressPane(QWidget* parent) : QFrame(parent) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedWidth(StatusPaneWidth(fontMetrics()));
        setObjectName(QStringLiteral("pane3"));
    }
    void SetText(const QString& text) {
        text_ = text;
        percent_ = -1;
        update();
    }
    const QString& Text() const { return text_; }
    void SetProgress(int percent, const QString& label) {
        percent_ = percent > 100 ? 100 : percent;
        text_.clear();
        label_ = label;
    }
    QSize sizeHint() const override {
        return QSize(StatusPaneWidth(fontMetrics()), fontMetrics().height() + 4);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        if (percent_ < 0) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(contentsRect().adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, text_);
            return;
        }
        // Progress: the area shrunk by 2 pixels, filled with the button face, then the done share.
        const QRect area = rect().adjusted(2, 2, -2, -2);
        painter.fillRect(area, palette().color(QPalette::Button));
        if (percent_ == 0) return;
        const int width = area.width();
        QRect done = area;
        done.setWidth(width - width * (100 - percent_) / 100);
        painter.fillRect(done, QColor(100, 220, 180));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(14);
        font.setWeight(QFont::Thin);
        font.setStretch(QFont::Condensed);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::asprintf(kProgressFormat, label_.toUtf8().constData(), percent_, '%'));
    }

private:
    QString text_;
    QString label_;
    int percent_ = -1;  // -1: text; 0: cleared; 1..100: progress
};

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    for (int pane = 0; pane < kStatusPaneCount - 1; ++pane) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("pane%1").arg(pane));
        panes_[pane] = label;
        if (pane == 0) {
            label->setText(QString::fromLatin1(kIdleMessage));
            addWidget(label, 1);
        } else {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setFixedWidth(StatusPaneWidth(label->fontMetrics()));
            addPermanentWidget(label);
        }
    }
    progress_ = new ProgressPane(this);
    addPermanentWidget(progress_);
}

void FrameStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane == kStatusPaneCount - 1) {
        WidenToFit(*progress_, text);
        progress_->SetText(text);
    } else if (pane > 0 && pane < kStatusPaneCount - 1) {
        WidenToFit(*panes_[pane], text);
        panes_[pane]->setText(text);
    } else if (pane == 0) {
        panes_[pane]->setText(text);
    }
}

void FrameStatusBar::ShowMessage(const QString& text) {
    panes_[0]->setText(text.isEmpty() ? QString::fromLatin1(kIdleMessage) : text);
}

QString FrameStatusBar::PaneText(int pane) const {
    if (pane == kStatusPaneCount - 1) return progress_->Text();
    if (pane >= 0 && pane < kStatusPaneCount - 1) return panes_[pane]->text();
    return QString();
}

QWidget* FrameStatusBar::Pane(int pane) const {
    if (pane == kStatusPaneCount - 1) return progress_;
    if (pane >= 0 && pane < kStatusPaneCount - 1) return panes_[pane];
    return nullptr;
}

void FrameStatusBar::ShowProgress(int percent, const QString& label) {
    progress_->SetProgress(percent <= 0 ? 0 : percent, label);
    progress_->repaint();
}
