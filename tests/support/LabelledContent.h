#pragma once

#include "OutputTree.h"
#include "TestFiles.h"

#include <QByteArray>
#include <QStringList>

// Content that names itself: its label and ':' again and again, cut at size bytes, so that a listing can tell whose
// content a file holds and whether all of it is there.
inline QByteArray LabelledContent(const QByteArray& label, qint64 size) {
    const QByteArray unit = label + ':';
    QByteArray content = unit.repeated((size + unit.size() - 1) / unit.size());
    content.truncate(size);
    return content;
}

// "label:size" for labelled content that is whole, "damaged:size" for anything else (a cut-off copy included).
inline QString DescribeContent(const QByteArray& content) {
    const qsizetype colon = content.indexOf(':');
    const QString size = QString::number(content.size());
    const QByteArray label = content.left(colon);
    if (colon <= 0 || content != LabelledContent(label, content.size())) {
        return QStringLiteral("damaged:") + size;
    }
    return QString::fromUtf8(label) + u':' + size;
}

// TreeOf(folder), each file followed by a space and the description of its content: one literal list shows where
// every file is and what it holds.
inline QStringList TreeWithContents(const QString& folder) {
    QStringList tree = TreeOf(folder);
    for (QString& entry : tree) {
        if (!entry.endsWith(u'/')) {
            entry += u' ' + DescribeContent(ReadTestFile(folder + u'/' + entry));
        }
    }
    return tree;
}
