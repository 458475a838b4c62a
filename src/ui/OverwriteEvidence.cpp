#include "ui/OverwriteEvidence.h"

#include "core/RegionalFormats.h"
#include "core/TextBytes.h"
#include "engine/placement/SameNameEvidence.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <optional>

namespace {

struct EvidenceText {
    Q_DECLARE_TR_FUNCTIONS(EvidenceText)
};

QString sizeText(qint64 size) {
    const QLocale locale;
    const QString bytes = EvidenceText::tr("%1 字节").arg(locale.toString(size));
    if (size < 1024) {
        return bytes;
    }
    return locale.formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat) + QStringLiteral(" (") + bytes + u')';
}

QString factsText(const char* which, const std::optional<struct stat>& status) {
    if (!status) {
        return EvidenceText::tr(which).arg(EvidenceText::tr("无法读取"));
    }
    const QLocale locale;
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(status->st_mtim.tv_sec);
    const QString when = locale.toString(modified, ShortDateFormat(locale) + u' ' + LongTimeFormat(locale));
    // The time on a line of its own, indented under its file, so that a narrow box does not break it.
    return EvidenceText::tr(which).arg(sizeText(status->st_size)) + u'\n' + EvidenceText::tr("　　修改于 %1").arg(when);
}

} // namespace

QString OverwriteEvidence(const QByteArray& existing, const QByteArray& incoming,
                          const std::function<void()>& processEvents) {
    const SameNameEvidence evidence = GatherSameNameEvidence(existing, incoming, [&] {
        processEvents();
        return true;
    });
    const QString text = factsText(QT_TRANSLATE_NOOP("EvidenceText", "已存在的文件：%1"), evidence.existing) + u'\n' +
                         factsText(QT_TRANSLATE_NOOP("EvidenceText", "新的文件：%1"), evidence.incoming) + u'\n' +
                         EvidenceText::tr("　　来自 %1").arg(DisplayText(incoming));
    switch (evidence.contents) {
    case SameNameEvidence::Contents::NotCompared:
        break;
    case SameNameEvidence::Contents::TooLarge:
        return text + u'\n' + EvidenceText::tr("两个文件大小相同，内容未比较（文件大于 256 MB）");
    case SameNameEvidence::Contents::Same:
        return text + u'\n' + EvidenceText::tr("两个文件内容相同");
    case SameNameEvidence::Contents::Different:
        return text + u'\n' + EvidenceText::tr("两个文件内容不同");
    }
    return text;
}
