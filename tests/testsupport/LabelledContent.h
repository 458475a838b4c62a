#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Content that names itself: its label and ':' again and again, cut at size bytes, so that a listing can tell whose
// content a file holds and whether all of it is there.
QByteArray LabelledContent(const QByteArray& label, qint64 size);

// "label:size" for labelled content that is whole, "damaged:size" for anything else (a cut-off copy included).
QString DescribeContent(const QByteArray& content);

// TreeOf(folder), each file followed by a space and the description of its content: one literal list shows where
// every file is and what it holds.
QStringList TreeWithContents(const QString& folder);
