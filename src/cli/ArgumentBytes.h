#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

// The program's arguments as text for QCommandLineParser without losing a byte. Qt decodes arguments as UTF-8 and
// turns every byte that is not part of valid UTF-8 into U+FFFD, so two different names would become one. Here each
// such byte b becomes the lone surrogate U+DC00 + b instead, which valid UTF-8 can never produce, so the text maps
// back to exactly the bytes given.

QString ArgumentText(const QByteArray& bytes);
QByteArray ArgumentBytes(const QString& text);

// The arguments after the program's name, each as ArgumentText.
QStringList ArgumentTexts(const QByteArrayList& arguments);
