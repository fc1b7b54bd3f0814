#include "support/qt/ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>

void WhenModalAppears(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (!modal) return;
        const QPointer<QWidget> guard(modal);
        act(modal);
        if (auto* dialog = qobject_cast<QDialog*>(guard.data()); dialog && dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}
