#include "engine/criteria/DateFoldersCriterion.h"

#include "engine/SortContext.h"
#include "engine/criteria/FileTimes.h"

#include <QCoreApplication>
#include <QFile>

namespace {
QString unreadableText(DateSource source) {
    switch (source) {
    case DateSource::Taken:
        return QCoreApplication::translate("NoMatchReason", "无法读取拍摄时间或修改时间");
    case DateSource::Modified:
        return QCoreApplication::translate("NoMatchReason", "无法读取修改时间");
    case DateSource::Created:
        return QCoreApplication::translate("NoMatchReason", "无法读取创建时间");
    }
    return {};
}
} // namespace

DateFoldersCriterion::DateFoldersCriterion(DatePattern pattern, DateSource source)
    : m_pattern(std::move(pattern)), m_source(source) {}

FileOutcome DateFoldersCriterion::sortFile(const QByteArray& source, const QByteArray&, SortContext& context) {
    const FileTime time = ReadFileTime(source, m_source);
    const std::optional<QString> folder = m_pattern.folderFor(time.calendarDate);
    if (!folder) {
        return {FileOutcome::PassedOver, unreadableText(m_source)};
    }
    if (time.modificationStoodIn) {
        if (m_source == DateSource::Taken) {
            context.noteTakenDateFallback(source);
        } else {
            context.noteBirthTimeFallback();
        }
    }
    // The pattern has no level "." or "..", and the dates' digits make none, so the folder stays inside the
    // output folder.
    const QByteArray destination = context.outputFolder() + QFile::encodeName(*folder);
    context.ensureFolder(destination);
    context.place(source, destination);
    return {FileOutcome::Placed};
}

ParameterOutcome DateFoldersParameterStep(const DateFoldersPageFields& fields) {
    std::variant<DatePattern, QString> pattern = DatePattern::parse(fields.pattern);
    if (QString* why = std::get_if<QString>(&pattern)) {
        return InputError{std::move(*why), InputField::DatePattern};
    }
    return std::make_unique<DateFoldersCriterion>(std::move(std::get<DatePattern>(pattern)), fields.source);
}
