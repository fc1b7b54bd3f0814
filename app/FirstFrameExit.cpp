#include "app/FirstFrameExit.h"

#include <QImage>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/CMainFrame.h"
#include "render/CPexoraView.h"

std::optional<std::string> TakeQuitAfterFirstFrame(std::vector<std::string>& arguments) {
    const std::string flag = kQuitAfterFirstFrameSwitch;
    std::optional<std::string> imagePath;
    std::erase_if(arguments, [&](const std::string& argument) {
        if (argument == flag) {
            imagePath = std::string();
            return true;
        }
        if (argument.size() > flag.size() && argument.starts_with(flag) && argument[flag.size()] == '=') {
            imagePath = argument.substr(flag.size() + 1);
            return true;
        }
        return false;
    });
    return imagePath;
}

void QuitAfterNextFrame(CMainFrame& frame, const std::string& imagePath,
                        std::function<void(int status)> end) {
    CPexoraView& view = frame.View();
    // A model read at start-up may already have been drawn while its progress was shown; asking for
    // one more frame makes sure the awaited swap comes and that it shows the whole scene.
    auto swapped = std::make_shared<QMetaObject::Connection>();
    *swapped =
        QObject::connect(&view, &QOpenGLWidget::frameSwapped, &frame, [&frame, swapped, imagePath, end] {
            QObject::disconnect(*swapped);
            int status = 0;
            if (!imagePath.empty() &&
                !frame.View().grabFramebuffer().save(QString::fromStdString(imagePath))) {
                std::fprintf(stderr, "pexora: cannot write the first frame to %s\n", imagePath.c_str());
                status = 1;
            }
            // Closing from inside the swap notification would tear the view down under its own paint.
            QTimer::singleShot(0, &frame, [&frame, status, end] {
                frame.close();
                end(status);
            });
        });
    view.update();
}
