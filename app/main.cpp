// Pexora: starts the application object with the desktop's platform services.

#include <QApplication>
#include <clocale>

#include "app/CMainFrame.h"
#include "app/CPexoraApp.h"
#include "dialogs/ProgramIcon.h"
#include "platform/qt/QtPlatformServices.h"
#include "render/CPexoraView.h"

int main(int argc, char** argv) {
    // The rendering path is chosen before the first OpenGL context exists, so before the application.
    CPexoraView::ConfigureGLAccelerator(
        static_cast<int>(QtSettingsStore().IntOr(kSettingsSection, kGlAcceleratorKey, 0)));

    QApplication application(argc, argv);
    // Qt takes the whole locale from the environment; numbers in files, settings and movie and image
    // libraries must keep their decimal point under a locale with a decimal comma.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setApplicationName(QStringLiteral("Pexora"));
    // Every window carries the icon; on Wayland the desktop entry names the program's windows.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("pexora"));

    QtPlatformServices platform;
    if (platform.settings.Substituted())
        qWarning("Pexora: the settings file is not a regular file; settings are kept for this session only.");
    PlatformServices services = platform.Services();
    CPexoraApp pexora(services, platform.settings.FileName(),
                      QCoreApplication::applicationFilePath().toStdString());

    std::vector<std::string> arguments;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(given[i].toStdString());

    // A process that handed its model to the running instance ends here, without a window.
    if (!pexora.InitInstance(std::move(arguments))) return pexora.ExitInstance();
    platform.SetDialogParent(pexora.Frame());
    const int result = application.exec();
    pexora.ExitInstance();
    return result;
}
