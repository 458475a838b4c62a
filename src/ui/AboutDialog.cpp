#include "ui/AboutDialog.h"

#include "ui/MessageBoxes.h"

#include "ui_AboutDialog.h"

using namespace Qt::StringLiterals;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(380, sizeHint().height());
    setWindowTitle(tr("关于 - %1").arg(kApplicationTitle));

    connect(m_ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

AboutDialog::~AboutDialog() = default;

QTextBrowser& AboutDialog::aboutPage() const {
    return *m_ui->WebBrowser1;
}

QString AboutDialog::aboutPageAddress() {
    return u"https://www.varnoth.example/soft/AboutVarnoth.asp?VER=2.0"_s;
}

void AboutDialog::showEvent(QShowEvent* event) {
    showAboutText();
    QDialog::showEvent(event);
}

// Shows the about text afresh at every showing.
void AboutDialog::showAboutText() {
    const QString address = aboutPageAddress();
    // One text, so that the English page says in English alone what the Chinese page says in both languages.
    aboutPage().setHtml(
        tr("<h2>%1 2.0</h2>"
           "<p>%1 "
           "把文件分拣到文件夹中：按文件名中的关键字、相同的文件名、文件类型、文件大小、修改日期或图片的宽和高。</p>"
           "<p>Varnoth sorts files into folders by a keyword in the name, a shared name, the type, the size, the date "
           "or the width and height of a picture.</p>"
           "<p>关于本软件的更多信息：<br><a href=\"%2\">%2</a></p>")
            .arg(kApplicationTitle, address.toHtmlEscaped()));
}
