#include "ui/TypeEntryDialog.h"

#include "core/TextBytes.h"
#include "ui/MessageBoxes.h"

#include "ui_TypeEntryDialog.h"

#include <QListWidget>

using namespace Qt::StringLiterals;

TypeEntryDialog::TypeEntryDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::TypeEntryDialog>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // A file type is typed in Latin letters; an input method would only get in the way.
    typeField().setAttribute(Qt::WA_InputMethodEnabled, false);
    setFixedSize(qMax(178, sizeHint().width()), sizeHint().height());

    connect(m_ui->Button1, &QPushButton::clicked, this, &TypeEntryDialog::addClicked);
}

TypeEntryDialog::~TypeEntryDialog() = default;

QLineEdit& TypeEntryDialog::typeField() const {
    return *m_ui->Edit1;
}

// Adds the typed type unless the list holds it already in any letter case. "|" separates the types in the settings
// file, so it is removed.
void TypeEntryDialog::addClicked() {
    const QString type = TrimBlanksAndControls(typeField().text()).remove(u'|');
    if (!type.startsWith(u"*."_s) || type.size() <= 2) {
        ShowInformation(this, tr("输入文件扩展名如:*.txt !"));
        return;
    }
    if (m_typeList->findItems(type, Qt::MatchFixedString).isEmpty()) {
        m_typeList->addItem(type);
    }
    accept();
}
