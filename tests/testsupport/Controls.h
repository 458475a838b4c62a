#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

// The control called name inside window, found as a tool outside the program would find it: by its object name.
// A missing control ends the test run, as no check could go on without it.
template <typename Control = QWidget> Control* FindControl(const QObject& window, const QString& name) {
    Control* found = window.findChild<Control*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}
