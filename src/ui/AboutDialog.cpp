#include "ui/AboutDialog.h"

#include "ui/MessageBoxes.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), WebBrowser1(new QTextBrowser(this)), Button1(new QPushButton(tr("确定"), this)) {
    setObjectName(u"TfrmAbout"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    Button1->setObjectName(u"Button1"_s);
    WebBrowser1->setOpenExternalLinks(true);
    WebBrowser1->setFixedHeight(360);
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(WebBrowser1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(380, sizeHint().height());

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

QString AboutDialog::aboutPageAddress() {
    return u"https://www.varnoth.example/soft/AboutVarnoth.asp?VER=2.0"_s;
}

void AboutDialog::FormCreate() {
    setWindowTitle(tr("关于 - %1").arg(kApplicationTitle));
}

void AboutDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

// Shows the about text afresh at every showing.
void AboutDialog::FormShow() {
    const QString address = aboutPageAddress();
    // One text, so that the English page says in English alone what the Chinese page says in both languages.
    WebBrowser1->setHtml(
        tr("<h2>%1 2.0</h2>"
           "<p>%1 "
           "把文件分拣到文件夹中：按文件名中的关键字、相同的文件名、文件类型、文件大小、修改日期或图片的宽和高。</p>"
           "<p>Varnoth sorts files into folders by a keyword in the name, a shared name, the type, the size, the date "
           "or the width and height of a picture.</p>"
           "<p>关于本软件的更多信息：<br><a href=\"%2\">%2</a></p>")
            .arg(kApplicationTitle, address.toHtmlEscaped()));
}
