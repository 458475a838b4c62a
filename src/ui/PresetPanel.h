#pragma once

#include "ui/MainWindowControls.h"

#include <QObject>
#include <QString>

struct PresetError;

// The saved sorts' row of the main window: CmbPreset lists them and takes a name, choosing one fills the window's
// choices, BtnSavePreset saves the choices under the name shown (asking before it replaces one), BtnDeletePreset
// deletes the saved sort of that name (asking first). The window's choices are not tied to the saved sort: editing
// them changes nothing on disk until it is saved again.
class PresetPanel : public QObject {
    Q_OBJECT
public:
    PresetPanel(QWidget& window, const PresetControls& controls, const SortChoiceControls& choices);

    // The saved sort chosen or saved last, which the settings file remembers.
    QString chosen() const { return m_chosen; }
    // Lists the saved sorts and shows name as the one chosen last, without filling the window.
    void showChosen(const QString& name);

signals:
    // The choices were filled from a saved sort.
    void filled();

private slots:
    void chooseItem(int index);
    void saveClicked();
    void deleteClicked();

private:
    void listNames(const QString& shown);
    // Says why the saved sort name could not be loaded, saved or deleted.
    void showError(const QString& name, const PresetError& error);
    bool ask(const QString& question);

    QWidget& m_window;
    const PresetControls m_controls;
    const SortChoiceControls m_choices;
    QString m_chosen;
};
