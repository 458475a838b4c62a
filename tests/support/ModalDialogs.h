#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>

// Calls act with the next modal window as soon as it shows, from inside the event loop that window runs, so a test
// can answer real modal dialogs.
inline void OnNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// What a message box showed.
struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Records the next modal message box and closes it with button.
inline void AnswerNextMessage(ShownMessage* shown, QMessageBox::StandardButton button = QMessageBox::Ok,
                              std::function<void()> beforeAnswer = {}) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        *shown = {box->windowTitle(), box->text(), box->icon()};
        if (beforeAnswer) {
            beforeAnswer();
        }
        box->button(button)->click();
    });
    timer->start();
}
