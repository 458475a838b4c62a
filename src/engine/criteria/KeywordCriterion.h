#pragma once

#include "engine/criteria/Criterion.h"

#include <QByteArrayList>

// The keyword text split at every ASCII space: n spaces give n + 1 keywords, empty ones and repeats included.
QByteArrayList SplitKeywords(const QByteArray& text);

// True when keyword occurs in stem, with the letters a to z matching their capitals; an empty keyword never does.
bool StemContainsKeyword(const QByteArray& stem, const QByteArray& keyword);
// The same for a stem and a keyword already folded to capitals by FoldAsciiUpper.
bool FoldedStemContains(const QByteArray& foldedStem, const QByteArray& foldedKeyword);

// True when the folder named keyword lies below the output folder: no component is "..", and it is not the output
// folder itself ("." or "/").
bool KeywordFolderStaysInside(const QByteArray& keyword);

// Page 0: a file goes into one folder per keyword that its stem contains, named as the keyword is typed; keywords
// whose folder would not lie below the output folder are passed over. In move mode only the last placement moves it.
class KeywordCriterion : public Criterion {
public:
    explicit KeywordCriterion(QByteArrayList keywords);
    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) override;

private:
    // A keyword as typed, which names its folder, and folded as StemContainsKeyword compares it: each keyword is
    // folded once per run and each stem once per file, not once per keyword and file.
    struct Keyword {
        QByteArray typed;
        QByteArray folded;
    };
    QList<Keyword> m_keywords;
};

// The parameter step of page 0: refuses a keyword text that is empty or only blanks.
ParameterOutcome KeywordParameterStep(const QString& keywords);
