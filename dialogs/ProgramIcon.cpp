#include "dialogs/ProgramIcon.h"

// The pictures are compiled into a static library, whose resources must be registered by name, once,
// outside any namespace.
static void RegisterIconResource() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

QIcon ProgramIcon() {
    RegisterIconResource();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/pexora-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/icons/pexora-256.png"), QSize(256, 256));
    return icon;
}
