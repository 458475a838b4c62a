#include "ui/Illustrations.h"

#include <QCoreApplication>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// One row of a picture: these files go into that folder.
struct Gathering {
    QStringList files;
    QString folder;
};

constexpr int kRowHeight = 40;
constexpr int kFileWidth = 64;
constexpr int kWidth = 280;

QColor bandColour(const QString& file) {
    if (file.endsWith(u".doc"_s)) {
        return QColor(0x2b, 0x5c, 0xb8);
    }
    if (file.endsWith(u".xls"_s)) {
        return QColor(0x1e, 0x8a, 0x45);
    }
    return QColor(0x80, 0x80, 0x80);
}

void drawFile(QPainter& p, QPoint topLeft, const QString& name) {
    const int x = topLeft.x() + (kFileWidth - 18) / 2;
    const int y = topLeft.y();
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + 12, y);
    page.lineTo(x + 18, y + 6);
    page.lineTo(x + 18, y + 22);
    page.lineTo(x, y + 22);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(x + 12, y, x + 12, y + 6);
    p.drawLine(x + 12, y + 6, x + 18, y + 6);
    p.fillRect(x + 3, y + 14, 12, 5, bandColour(name));
    p.setPen(Qt::black);
    p.drawText(QRect(topLeft.x(), y + 23, kFileWidth, 14), Qt::AlignHCenter | Qt::AlignTop, name);
}

void drawArrow(QPainter& p, QPoint from, QPoint to) {
    p.setPen(QPen(QColor(0xd0, 0x40, 0x20), 2));
    p.drawLine(from, to);
    p.drawLine(to, to + QPoint(-7, -5));
    p.drawLine(to, to + QPoint(-7, 5));
}

void drawFolder(QPainter& p, QPoint topLeft, const QString& name) {
    const int x = topLeft.x();
    const int y = topLeft.y();
    p.setPen(QPen(QColor(0x9a, 0x74, 0x10), 1));
    p.setBrush(QColor(0xf4, 0xc8, 0x42));
    p.drawRect(x, y + 4, 30, 18);
    p.drawRect(x, y, 12, 4);
    p.setPen(Qt::black);
    p.drawText(QRect(x - 20, y + 23, 70, 14), Qt::AlignHCenter | Qt::AlignTop, name);
}

QPixmap paint(const QList<Gathering>& rows) {
    QPixmap picture(kWidth, kRowHeight * int(rows.size()) + 2);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPointSize(8);
    p.setFont(font);
    for (int row = 0; row < rows.size(); ++row) {
        const int top = 2 + row * kRowHeight;
        int x = 0;
        for (const QString& file : rows[row].files) {
            drawFile(p, QPoint(x, top), file);
            x += kFileWidth;
        }
        const int folderX = kWidth - 60;
        drawArrow(p, QPoint(x + 4, top + 11), QPoint(folderX - 12, top + 11));
        drawFolder(p, QPoint(folderX, top), rows[row].folder);
    }
    return picture;
}

// The file and folder names in the pictures, in the user's language.
struct Illustration {
    Q_DECLARE_TR_FUNCTIONS(Illustration)
};

} // namespace

QPixmap KeywordIllustration() {
    return paint({{{Illustration::tr("西游记.txt"), Illustration::tr("东游记.doc")}, Illustration::tr("游记")}});
}

QPixmap NameIllustration() {
    return paint({{{u"A.xls"_s, u"A.doc"_s}, u"A"_s}, {{u"B.xls"_s, u"B.doc"_s}, u"B"_s}});
}

QPixmap TypeIllustration() {
    return paint({{{Illustration::tr("报告.doc"), Illustration::tr("备忘.doc")}, u".doc"_s},
                  {{Illustration::tr("数据.xls"), Illustration::tr("账目.xls")}, u".xls"_s}});
}
