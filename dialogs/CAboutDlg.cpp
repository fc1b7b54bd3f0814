#include "dialogs/CAboutDlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <string>

#include "dialogs/AboutTexts.h"
#include "dialogs/ProgramIcon.h"
#include "platform/DesktopOpener.h"
#include "platform/MessageBoxes.h"
#include "resources/AboutIds.h"

namespace {

// A right-aligned text line that reports a left click.
class LinkLine : public QLabel {
public:
    LinkLine(int id, const QString& text, std::function<void()> clicked, QWidget* parent)
        : QLabel(text, parent), clicked_(std::move(clicked)) {
        setObjectName(QString::number(id));
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) clicked_();
        QLabel::mousePressEvent(event);
    }

private:
    std::function<void()> clicked_;
};

QLabel* Line(int id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    return label;
}

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

CAboutDlg::CAboutDlg(DesktopOpener& desktop, MessageBoxes& messages, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kIdAboutDialog));
    setWindowTitle(QStringLiteral(" About Pexora"));
    setWindowIcon(ProgramIcon());

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    auto* heading = new QHBoxLayout;
    QLabel* icon = Line(kIdAboutIcon, QString(), this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    heading->addWidget(icon);
    heading->addWidget(new QLabel(QString::fromLatin1(kAboutProductLine), this), 1);
    column->addLayout(heading);
    column->addWidget(Line(kIdAboutVersion, QString::fromStdString(ProgramVersionLine()), this));
    column->addWidget(Line(kIdAboutLegal, QString::fromLatin1(kAboutLegalNotice), this));
    column->addWidget(Separator(this));

    // Without a mail program or a browser the click would otherwise seem to do nothing.
    const auto opener = [&desktop, &messages](const std::string& target) {
        return [&desktop, &messages, target] {
            if (!desktop.Open(target)) messages.Warn("Cannot open " + target + ".");
        };
    };
    column->addWidget(new LinkLine(kIdAboutEmail,
                                   QStringLiteral("e-mail : ") + QString::fromLatin1(kAboutEmail),
                                   opener(std::string("mailto:") + kAboutEmail), this));
    column->addWidget(new LinkLine(kIdAboutWebSite,
                                   QStringLiteral("web-site : ") + QString::fromLatin1(kAboutWebSite),
                                   opener(kAboutWebSite), this));
    column->addWidget(Separator(this));

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QString::number(kIdAboutClose));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    column->addLayout(buttons);
}
