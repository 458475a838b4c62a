#include "engine/criteria/SizeCriterion.h"

#include "core/FsRegularFile.h"
#include "core/IntegerText.h"
#include "engine/criteria/PageChoiceTexts.h"

#include <QCoreApplication>
#include <QtNumeric>

#include <limits>

std::optional<qint64> ReadFileSize(const QByteArray& path) {
    const Fs::RegularFile file(path);
    return file.isOpen() ? std::optional<qint64>(file.status().st_size) : std::nullopt;
}

std::optional<qint64> SizeThreshold(const QString& sizeText, SizeUnit unit) {
    const std::optional<qint64> number =
        ParseIntegerField(sizeText, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    const qint64 bytesPerUnit = unit == SizeUnit::MB ? 1024 * 1024 : 1024;
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
        return {Verdict::Unmeasurable,
                QCoreApplication::translate("NoMatchReason", "无法读取文件大小（不是普通文件，或无法打开）")};
    }
    const bool matches = m_greater ? *size > m_threshold : *size < m_threshold;
    if (matches) {
        return {Verdict::Match};
    }
    return {Verdict::NoMatch, QCoreApplication::translate("NoMatchReason", "大小 %1 字节 %2 %3 字节")
                                  .arg(*size)
                                  .arg(QStringView(m_greater ? u"≤" : u"≥"))
                                  .arg(m_threshold)};
}

ParameterOutcome SizeParameterStep(const SizePageFields& fields) {
    const std::optional<qint64> threshold = SizeThreshold(fields.size, fields.unit);
    if (!threshold) {
        return InputError{QCoreApplication::translate("CriterionPage", "请输入正确的文件大小!"), InputField::Size};
    }
    return std::make_unique<SizeCriterion>(fields.condition == SizeCondition::Larger, *threshold,
                                           SizeConditionText(fields.condition) + fields.size +
                                               SizeUnitText(fields.unit));
}
