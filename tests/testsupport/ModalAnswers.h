#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTimer;
class QWidget;

// What a message box showed.
struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// The answers one test gives to real modal dialogs. Each answer waits for its dialog and acts from inside the event
// loop that dialog runs. finish() ends the test's answers: one whose dialog never came is counted and dropped, so it
// can never act on a dialog of a later test.
class ModalAnswers {
public:
    ModalAnswers();
    ~ModalAnswers();

    // Calls act with the next modal window as soon as it shows.
    void onNextModal(std::function<void(QWidget*)> act);

    // Records the next modal message box into *shown, calls beforeAnswer while it is still open, then closes it with
    // button.
    void answerNextMessage(ShownMessage* shown, QMessageBox::StandardButton button = QMessageBox::Ok,
                           std::function<void()> beforeAnswer = {});

    // Drops every answer; returns how many were still waiting for their dialog.
    int finish();

private:
    // Polls for a visible modal window and hands it to take, until take returns true.
    void await(std::function<bool(QWidget*)> take);

    std::vector<std::unique_ptr<QTimer>> m_waiting;
};
