#include "journal/UndoScope.h"

#include "core/FileNames.h"
#include "journal/Trash.h"

namespace {

bool startsWith(const QByteArrayList& levels, const QByteArrayList& prefix) {
    if (levels.size() < prefix.size()) {
        return false;
    }
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (levels[i] != prefix[i]) {
            return false;
        }
    }
    return true;
}

QByteArrayList commonLevels(const QByteArrayList& a, const QByteArrayList& b) {
    QByteArrayList common;
    for (qsizetype i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) {
        common.append(a[i]);
    }
    return common;
}

// The deepest folder that holds every folder the run made and the folder of every target; levels after a ".." are
// never part of it, so that no ".." can widen it.
QByteArrayList inferredRoot(const JournalContent& content) {
    std::optional<QByteArrayList> root;
    for (const JournalStep& step : content.steps) {
        std::optional<QByteArrayList> levels = PathLevels(step.isFolder ? step.target : FolderOf(step.target));
        if (!levels) {
            continue;
        }
        const qsizetype up = levels->indexOf("..");
        if (up >= 0) {
            *levels = levels->first(up);
        }
        root = root ? commonLevels(*root, *levels) : *levels;
    }
    return root.value_or(QByteArrayList());
}

// The deepest folder that holds the output folder of every saved sort of a chain; a folder that is not absolute, or
// that has a ".." level, leaves the root at "/" so that its steps are refused by their own saved sort's folder.
QByteArrayList chainRoot(const QList<ChainedSort>& chain) {
    std::optional<QByteArrayList> root;
    for (const ChainedSort& preset : chain) {
        std::optional<QByteArrayList> levels = PathLevels(preset.outputFolder);
        if (!levels || levels->contains("..")) {
            levels = QByteArrayList();
        }
        root = root ? commonLevels(*root, *levels) : *levels;
    }
    return root.value_or(QByteArrayList());
}

} // namespace

std::optional<QByteArrayList> PathLevels(const QByteArray& path) {
    if (!path.startsWith('/')) {
        return std::nullopt;
    }
    QByteArrayList levels;
    for (const QByteArray& level : path.split('/')) {
        if (!level.isEmpty() && level != ".") {
            levels.append(level);
        }
    }
    return levels;
}

UndoScope::UndoScope(const JournalContent& content, QByteArray keptFolder) : m_keptFolder(std::move(keptFolder)) {
    const std::optional<QByteArrayList> recorded =
        content.run ? PathLevels(content.run->outputFolder) : std::optional<QByteArrayList>();
    m_inferred = !recorded;
    m_root = recorded ? *recorded : inferredRoot(content);
    if (content.run && !content.run->chain.isEmpty()) {
        m_root = chainRoot(content.run->chain);
    }
    m_rootPath = '/' + m_root.join('/');
    if (content.run) {
        for (const ChainedSort& preset : content.run->chain) {
            if (const std::optional<QByteArray> folder = below(preset.outputFolder)) {
                m_presetFolders.insert(preset.name, *folder);
            }
        }
    }
}

std::optional<QByteArray> UndoScope::below(const QByteArray& path) const {
    const std::optional<QByteArrayList> levels = PathLevels(path);
    if (!levels || !startsWith(*levels, m_root)) {
        return std::nullopt;
    }
    const QByteArrayList rest = levels->sliced(m_root.size());
    if (rest.contains("..")) {
        return std::nullopt;
    }
    return rest.join('/');
}

bool UndoScope::withinItsPreset(const JournalStep& step) const {
    const auto folder = step.preset ? m_presetFolders.constFind(*step.preset) : m_presetFolders.cend();
    if (folder == m_presetFolders.cend()) {
        return false;
    }
    const QByteArray target = *below(step.target);
    if (folder->isEmpty()) {
        return !target.isEmpty() || step.isFolder;
    }
    return target == *folder ? step.isFolder : target.startsWith(*folder + '/');
}

bool UndoScope::admits(const JournalStep& step) const {
    const std::optional<QByteArray> target = below(step.target);
    if (!target || (target->isEmpty() && !step.isFolder)) {
        return false;
    }
    if ((!m_presetFolders.isEmpty() || step.preset) && !withinItsPreset(step)) {
        return false;
    }
    if (!step.kept || step.kept->where == KeptWhere::NotKept) {
        return true;
    }
    if (step.kept->where == KeptWhere::Trash) {
        return TrashEntryOf(step.kept->path, step.kept->info).has_value();
    }
    const QByteArray name = FileNameOf(step.kept->path);
    return step.kept->path == m_keptFolder + '/' + name && name.startsWith(QByteArray::number(step.number) + '-');
}
