#include "testsupport/ModalAnswers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

ModalAnswers::ModalAnswers() = default;

ModalAnswers::~ModalAnswers() = default;

void ModalAnswers::onNextModal(std::function<void(QWidget*)> act) {
    await([act = std::move(act)](QWidget* modal) {
        act(modal);
        return true;
    });
}

void ModalAnswers::answerNextMessage(ShownMessage* shown, QMessageBox::StandardButton button,
                                     std::function<void()> beforeAnswer) {
    await([=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            return false;
        }
        *shown = {box->windowTitle(), box->text(), box->icon()};
        if (beforeAnswer) {
            beforeAnswer();
        }
        box->button(button)->click();
        return true;
    });
}

int ModalAnswers::finish() {
    int unanswered = 0;
    for (const std::unique_ptr<QTimer>& timer : m_waiting) {
        unanswered += timer->isActive() ? 1 : 0;
    }
    m_waiting.clear();
    return unanswered;
}

void ModalAnswers::await(std::function<bool(QWidget*)> take) {
    auto timer = std::make_unique<QTimer>();
    QTimer* polling = timer.get();
    polling->setInterval(5);
    // The timer stops before take runs: take may open the next dialog and wait inside its event loop.
    QObject::connect(polling, &QTimer::timeout, [polling, take = std::move(take)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        polling->stop();
        if (!take(modal)) {
            polling->start();
        }
    });
    polling->start();
    m_waiting.push_back(std::move(timer));
}
