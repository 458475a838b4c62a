#include "engine/criteria/NameCriterion.h"

#include "core/FileNames.h"
#include "core/IntegerText.h"
#include "core/TextBytes.h"
#include "engine/SortContext.h"
#include "engine/criteria/CharRange.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
// The last position a range may reach.
constexpr int lastRangePosition = 254;
} // namespace

QByteArray RemoveFilterPieces(const QByteArray& name, const QByteArray& filterText) {
    QByteArray result = name;
    for (const QByteArray& piece : filterText.split('*')) {
        if (!piece.isEmpty()) {
            result.replace(piece, QByteArray());
        }
    }
    return result;
}

NameCriterion::NameCriterion(std::optional<NameRange> range, QByteArray filterText, bool onlyExisting)
    : m_range(range), m_filterText(std::move(filterText)), m_onlyExisting(onlyExisting) {}

QByteArray NameCriterion::folderNameFor(const QByteArray& fileName) const {
    QByteArray name = StemOf(fileName);
    if (m_range) {
        name = CopyCharRange(name, m_range->begin, m_range->count);
    }
    return RemoveFilterPieces(name, m_filterText);
}

FileOutcome NameCriterion::sortFile(const QByteArray& source, const QByteArray&, SortContext& context) {
    const QByteArray name = folderNameFor(FileNameOf(source));
    // ".." would put the file into the parent of the output folder (a file named "..." has that stem). The empty
    // name and "." stand for the output folder itself.
    if (name == "..") {
        return {FileOutcome::PassedOver,
                QCoreApplication::translate("NoMatchReason", "由文件名得到的文件夹名是“..”，不在输出文件夹之内")};
    }
    const QByteArray folder = context.outputFolder() + name;
    if (!context.reachesFolder(folder)) {
        if (m_onlyExisting) {
            return {FileOutcome::PassedOver,
                    QCoreApplication::translate("NoMatchReason", "输出文件夹中没有文件夹 %1（只分拣到已有的文件夹）")
                        .arg(DisplayText(name))};
        }
        context.ensureFolder(folder);
    }
    context.place(source, folder);
    return {FileOutcome::Placed};
}

ParameterOutcome NameParameterStep(const NamePageFields& fields) {
    std::optional<NameRange> range;
    if (fields.range) {
        const std::optional<int> begin = ParseDecimalPosition(fields.begin);
        if (!begin) {
            return InputError{QCoreApplication::translate("CriterionPage", "请输入整数序号!"), InputField::RangeBegin};
        }
        const std::optional<int> end = ParseDecimalPosition(fields.end);
        if (!end) {
            return InputError{QCoreApplication::translate("CriterionPage", "请输入整数序号!"), InputField::RangeEnd};
        }
        const auto [low, high] = std::minmax(*begin, *end);
        // The length is taken from the positions as entered, so a start of 0 or less keeps it: 0 to 3 gives the
        // first four characters. It is worked out in 64 bits, where no pair of positions overflows.
        range = NameRange{low, qint64(std::min(high, lastRangePosition)) - low + 1};
    }
    return std::make_unique<NameCriterion>(range, fields.filter.toUtf8(), fields.onlyExisting);
}
