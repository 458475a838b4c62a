#pragma once

#include <QDialog>

#include <memory>

class QTextBrowser;
namespace Ui {
class AboutDialog;
}

// The About window: what the program is, and the address of its about page as a link. The program itself makes no
// network request.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // The address of the about page.
    static QString aboutPageAddress();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showAboutText();
    QTextBrowser& aboutPage() const;

    std::unique_ptr<Ui::AboutDialog> m_ui;
};
