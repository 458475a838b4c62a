#include "ui/TypeEntryDialog.h"

#include "core/TextBytes.h"
#include "ui/MessageBoxes.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TypeEntryDialog::TypeEntryDialog(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(tr("输入文件扩展名如:*.txt"), this)), Edit1(new QLineEdit(u"*."_s, this)),
      Button1(new QPushButton(tr("添加"), this)) {
    setObjectName(u"TfrmSuffix"_s);
    setWindowTitle(tr("添加文件类型"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1->setObjectName(u"Label1"_s);
    Edit1->setObjectName(u"Edit1"_s);
    Button1->setObjectName(u"Button1"_s);
    // A file type is typed in Latin letters; an input method would only get in the way.
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    auto* row = new QHBoxLayout;
    row->addWidget(Edit1);
    row->addWidget(Button1);
    layout->addLayout(row);
    setFixedSize(qMax(178, sizeHint().width()), sizeHint().height());

    connect(Button1, &QPushButton::clicked, this, &TypeEntryDialog::Button1Click);
}

// Adds the typed type unless the list holds it already in any letter case. "|" separates the types in the settings
// file, so it is removed.
void TypeEntryDialog::Button1Click() {
    const QString type = TrimBlanksAndControls(Edit1->text()).remove(u'|');
    if (!type.startsWith(u"*."_s) || type.size() <= 2) {
        ShowInformation(this, tr("输入文件扩展名如:*.txt !"));
        return;
    }
    if (m_typeList->findItems(type, Qt::MatchFixedString).isEmpty()) {
        m_typeList->addItem(type);
    }
    accept();
}
