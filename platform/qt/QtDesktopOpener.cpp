#include "platform/qt/QtDesktopOpener.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl DesktopUrl(const std::string& target) {
    const QString text = QString::fromStdString(target);
    if (text.contains("://") || text.startsWith("mailto:", Qt::CaseInsensitive)) return QUrl(text);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool QtDesktopOpener::Open(const std::string& target) {
    if (target.empty()) return false;
    return QDesktopServices::openUrl(DesktopUrl(target));
}
