#include "dialogs/RecordNames.h"

#include "scene/SceneObject.h"

QString WindowTextOf(const char* recordText) {
    return QString::fromLocal8Bit(recordText);
}

std::string RecordTextOf(const QString& text) {
    // Every character takes at least one byte, so no more than 259 characters can fit.
    QString fitting = text.left(static_cast<qsizetype>(kTextSize - 1));
    if (!fitting.isEmpty() && fitting.back().isHighSurrogate()) fitting.chop(1);
    QByteArray bytes = fitting.toLocal8Bit();
    while (bytes.size() > static_cast<qsizetype>(kTextSize - 1)) {
        // Drop whole characters (a surrogate pair counts as one) until the encoding fits.
        fitting.chop(fitting.size() >= 2 && fitting.back().isLowSurrogate() ? 2 : 1);
        bytes = fitting.toLocal8Bit();
    }
    return bytes.toStdString();
}
