#include "engine/criteria/SizeCriterion.h"

#include "core/FsRegularFile.h"
#include "core/IntegerText.h"
#include "engine/RunHost.h"

#include <QCoreApplication>
#include <QtNumeric>

#include <limits>

using namespace Qt::StringLiterals;

std::optional<qint64> ReadFileSize(const QByteArray& path) {
    const Fs::RegularFile file(path);
    return file.isOpen() ? std::optional<qint64>(file.status().st_size) : std::nullopt;
}

std::optional<qint64> SizeThreshold(const QString& sizeText, int unit) {
    const std::optional<qint64> number =
        ParseIntegerField(sizeText, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    const qint64 bytesPerUnit = unit == 1 ? 1024 * 1024 : 1024;
    qint64 threshold = 0;
    if (!number || qMulOverflow(*number, bytesPerUnit, &threshold)) {
        return std::nullopt;
    }
    return threshold;
}

SizeCriterion::SizeCriterion(bool greater, qint64 threshold, QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_greater(greater), m_threshold(threshold) {}

SingleFolderCriterion::Verdict SizeCriterion::judge(const QByteArray& source, SortContext&) const {
    const std::optional<qint64> size = ReadFileSize(source);
    if (!size) {
        return Verdict::Unmeasurable;
    }
    const bool matches = m_greater ? *size > m_threshold : *size < m_threshold;
    return matches ? Verdict::Match : Verdict::NoMatch;
}

ParameterOutcome SizeParameterStep(const RunHost& host) {
    const SizePageFields fields = host.sizePage();
    const std::optional<qint64> threshold = SizeThreshold(fields.size, fields.unit);
    if (!threshold) {
        return InputError{QCoreApplication::translate("CriterionPage", "请输入正确的文件大小!"), u"EdtSize"_s};
    }
    return std::make_unique<SizeCriterion>(fields.condition == 0, *threshold,
                                           fields.conditionText + fields.size + fields.unitText);
}
