#include "testsupport/LabelledContent.h"

#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

QByteArray LabelledContent(const QByteArray& label, qint64 size) {
    const QByteArray unit = label + ':';
    QByteArray content = unit.repeated((size + unit.size() - 1) / unit.size());
    content.truncate(size);
    return content;
}

QString DescribeContent(const QByteArray& content) {
    const qsizetype colon = content.indexOf(':');
    const QString size = QString::number(content.size());
    const QByteArray label = content.left(colon);
    if (colon <= 0 || content != LabelledContent(label, content.size())) {
        return QStringLiteral("damaged:") + size;
    }
    return QString::fromUtf8(label) + u':' + size;
}

QStringList TreeWithContents(const QString& folder) {
    QStringList tree = TreeOf(folder);
    for (QString& entry : tree) {
        if (!entry.endsWith(u'/')) {
            entry += u' ' + DescribeContent(ReadTestFile(folder + u'/' + entry));
        }
    }
    return tree;
}
