#include "ui/PresetPanel.h"

#include "presets/PresetStore.h"
#include "ui/FileErrorMessages.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowRunInputs.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

namespace {

bool readingFailed(const Fs::Error& error) {
    return error.operation == Fs::Operation::OpenSource || error.operation == Fs::Operation::CheckSource ||
           error.operation == Fs::Operation::ReadSource;
}

} // namespace

PresetPanel::PresetPanel(QWidget& window, const PresetControls& controls, const SortChoiceControls& choices)
    : QObject(&window), m_window(window), m_controls(controls), m_choices(choices) {
    connect(&m_controls.name, &QComboBox::activated, this, &PresetPanel::chooseItem);
    connect(&m_controls.save, &QPushButton::clicked, this, &PresetPanel::saveClicked);
    connect(&m_controls.remove, &QPushButton::clicked, this, &PresetPanel::deleteClicked);
}

void PresetPanel::showChosen(const QString& name) {
    m_chosen = name;
    listNames(name);
}

void PresetPanel::listNames(const QString& shown) {
    QComboBox& box = m_controls.name;
    box.clear();
    box.addItems(PresetNames());
    box.setCurrentIndex(box.findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box.setEditText(shown);
}

void PresetPanel::chooseItem(int index) {
    const QString name = m_controls.name.itemText(index);
    const std::variant<RunInputs, PresetError> loaded = LoadPreset(name);
    if (const PresetError* error = std::get_if<PresetError>(&loaded)) {
        showError(name, *error);
        // A saved sort deleted since the list was made leaves it.
        listNames(name);
        return;
    }
    ApplyRunInputs(m_choices, std::get<RunInputs>(loaded));
    m_chosen = name;
    emit filled();
}

void PresetPanel::saveClicked() {
    const QString name = m_controls.name.currentText();
    if (CheckPresetName(name)) {
        ShowWarning(&m_window, tr("方案名称不能为空，不能含有“/”或换行，且不能超过200字节。"));
        return;
    }
    if (PresetExists(name) && !ask(tr("方案“%1”已存在。要替换它吗？").arg(name))) {
        return;
    }
    if (const std::optional<PresetError> error = SavePreset(name, ReadRunInputs(m_choices))) {
        showError(name, *error);
        return;
    }
    m_chosen = name;
    listNames(name);
}

void PresetPanel::deleteClicked() {
    const QString name = m_controls.name.currentText();
    if (!PresetExists(name)) {
        ShowWarning(&m_window, tr("没有名为“%1”的方案。").arg(name));
        return;
    }
    if (!ask(tr("要删除方案“%1”吗？").arg(name))) {
        return;
    }
    if (const std::optional<PresetError> error = DeletePreset(name)) {
        showError(name, *error);
        return;
    }
    if (m_chosen == name) {
        m_chosen.clear();
    }
    listNames(QString());
}

bool PresetPanel::ask(const QString& question) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, question, QMessageBox::Yes | QMessageBox::No, &m_window);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void PresetPanel::showError(const QString& name, const PresetError& error) {
    const QString file = CheckPresetName(name) ? QString() : PresetFilePath(name);
    const QString key = QString::fromLatin1(error.keyFault.key);
    const QString value = QString::fromUtf8(error.keyFault.value);
    QString message;
    switch (error.kind) {
    case PresetError::Kind::BadName:
        message = tr("方案名称不能为空，不能含有“/”或换行，且不能超过200字节。");
        break;
    case PresetError::Kind::NotFound:
        message = tr("没有名为“%1”的方案。").arg(name);
        break;
    case PresetError::Kind::File:
        message = FileErrorMessage(readingFailed(error.fileError) ? FileTask::ReadPreset : FileTask::WritePreset, file,
                                   error.fileError);
        break;
    case PresetError::Kind::Key:
        message = error.keyFault.kind == PresetKeyFault::Kind::Missing
                      ? tr("方案“%1”无法读取：文件中没有“%2”。").arg(name, key)
                  : error.keyFault.kind == PresetKeyFault::Kind::Unreadable
                      ? tr("方案“%1”无法读取：“%2”的值“%3”无效。").arg(name, key, value)
                      : tr("无法保存方案“%1”：“%2”的值“%3”首尾有空白或含有换行。").arg(name, key, value);
        break;
    }
    ShowWarning(&m_window, message);
}
