#include "engine/criteria/SingleFolderCriterion.h"

#include "engine/SortContext.h"

#include <QFile>

SingleFolderCriterion::SingleFolderCriterion(QString subFolderName) : m_subFolderName(std::move(subFolderName)) {}

void SingleFolderCriterion::begin(SortContext& context) {
    m_folder = context.outputFolder() + QFile::encodeName(m_subFolderName);
    context.ensureFolder(m_folder);
}

FileOutcome SingleFolderCriterion::sortFile(const QByteArray& source, const QByteArray&, SortContext& context) {
    Verdict verdict = judge(source, context);
    switch (verdict.kind) {
    case Verdict::Unmeasurable:
        return {FileOutcome::PassedOver, std::move(verdict.missed)};
    case Verdict::NoMatch:
        return {FileOutcome::NoMatch, std::move(verdict.missed)};
    case Verdict::Match:
        break;
    }
    context.place(source, m_folder);
    return {FileOutcome::Placed};
}
