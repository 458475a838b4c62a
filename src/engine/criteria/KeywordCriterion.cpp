#include "engine/criteria/KeywordCriterion.h"

#include <QCoreApplication>

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/SortContext.h"

QByteArrayList SplitKeywords(const QByteArray& text) {
    return text.split(' ');
}

bool StemContainsKeyword(const QByteArray& stem, const QByteArray& keyword) {
    return FoldedStemContains(FoldAsciiUpper(stem), FoldAsciiUpper(keyword));
}

bool FoldedStemContains(const QByteArray& foldedStem, const QByteArray& foldedKeyword) {
    return !foldedKeyword.isEmpty() && foldedStem.contains(foldedKeyword);
}

bool KeywordFolderStaysInside(const QByteArray& keyword) {
    bool belowOutputFolder = false;
    for (const QByteArray& component : keyword.split('/')) {
        if (component == "..") {
            return false;
        }
        belowOutputFolder = belowOutputFolder || (!component.isEmpty() && component != ".");
    }
    return belowOutputFolder;
}

KeywordCriterion::KeywordCriterion(QByteArrayList keywords) {
    for (const QByteArray& keyword : keywords) {
        // Pieces that are empty or only blanks and control characters are left out: they never match. So are those
        // whose folder would not lie below the output folder.
        if (!TrimBlanksAndControls(keyword).isEmpty() && KeywordFolderStaysInside(keyword)) {
            m_keywords.append({keyword, FoldAsciiUpper(keyword)});
        }
    }
}

FileOutcome KeywordCriterion::sortFile(const QByteArray& source, const QByteArray&, SortContext& context) {
    const QByteArray foldedStem = FoldAsciiUpper(StemOf(FileNameOf(source)));
    QByteArrayList matching;
    for (const Keyword& keyword : m_keywords) {
        if (FoldedStemContains(foldedStem, keyword.folded)) {
            matching.append(keyword.typed);
        }
    }
    for (qsizetype i = 0; i < matching.size(); ++i) {
        // The folder bears the keyword as typed, whatever the letter case in the file name.
        const QByteArray folder = context.outputFolder() + matching[i];
        context.ensureFolder(folder);
        context.place(source, folder, i == matching.size() - 1);
    }
    if (matching.isEmpty()) {
        return {FileOutcome::NoMatch, QCoreApplication::translate("NoMatchReason", "文件名中没有任何关键字")};
    }
    return {FileOutcome::Placed};
}

ParameterOutcome KeywordParameterStep(const QString& keywords) {
    if (TrimBlanksAndControls(keywords).isEmpty()) {
        return InputError{QCoreApplication::translate("CriterionPage", "请输入匹配关键字!"), InputField::Keywords};
    }
    return std::make_unique<KeywordCriterion>(SplitKeywords(keywords.toUtf8()));
}
