#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

// The About window: what the program is, and the address of its about page as a link. The program itself makes no
// network request.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The address of the about page.
    static QString aboutPageAddress();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    QTextBrowser* WebBrowser1;
    QPushButton* Button1;
};
