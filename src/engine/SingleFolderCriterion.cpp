#include "engine/SingleFolderCriterion.h"

#include "engine/RunHost.h"
#include "engine/SortContext.h"

#include <QFile>

SingleFolderCriterion::SingleFolderCriterion(QByteArray folder) : m_folder(std::move(folder)) {}

FileOutcome SingleFolderCriterion::sortFile(const QByteArray& source, const QByteArray&, SortContext& context) {
    switch (judge(source, context)) {
    case Verdict::Unmeasurable:
        return FileOutcome::PassedOver;
    case Verdict::NoMatch:
        return FileOutcome::NoMatch;
    case Verdict::Match:
        break;
    }
    context.place(source, m_folder);
    return FileOutcome::Placed;
}

QByteArray EnsureRunFolder(const RunHost& host, const QString& subFolderName) {
    const QByteArray folder = QFile::encodeName(host.outputFolder() + subFolderName);
    EnsureFolder(folder);
    return folder;
}
