#include "ui/OverwriteEvidence.h"

#include "core/FsRegularFile.h"
#include "core/RegionalFormats.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kChunkBytes = size_t(1) << 20;

struct EvidenceText {
    Q_DECLARE_TR_FUNCTIONS(EvidenceText)
};

// Reads up to buffer.size() bytes, fewer only at the end of the file; nothing on a read error.
std::optional<size_t> readChunk(int descriptor, std::vector<char>& buffer) {
    size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(descriptor, buffer.data() + filled, buffer.size() - filled);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        filled += size_t(got);
    }
    return filled;
}

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

std::optional<struct stat> statusOf(const QByteArray& path) {
    struct stat status {};
    return Fs::LookUpRegularFile(path, status) ? std::optional(status) : std::nullopt;
}

} // namespace

bool SameContent(const QByteArray& a, const QByteArray& b, const std::function<void()>& processEvents) {
    const Fs::RegularFile first(a);
    const Fs::RegularFile second(b);
    if (!first.isOpen() || !second.isOpen()) {
        return false;
    }
    std::vector<char> firstChunk(kChunkBytes);
    std::vector<char> secondChunk(kChunkBytes);
    for (;;) {
        const std::optional<size_t> firstRead = readChunk(first.descriptor(), firstChunk);
        const std::optional<size_t> secondRead = readChunk(second.descriptor(), secondChunk);
        if (!firstRead || !secondRead || *firstRead != *secondRead ||
            std::memcmp(firstChunk.data(), secondChunk.data(), *firstRead) != 0) {
            return false;
        }
        if (*firstRead < kChunkBytes) {
            return true;
        }
        processEvents();
    }
}

QString OverwriteEvidence(const QByteArray& existing, const QByteArray& incoming,
                          const std::function<void()>& processEvents) {
    const std::optional<struct stat> existingStatus = statusOf(existing);
    const std::optional<struct stat> incomingStatus = statusOf(incoming);
    QString text = factsText(QT_TRANSLATE_NOOP("EvidenceText", "已存在的文件：%1"), existingStatus) + u'\n' +
                   factsText(QT_TRANSLATE_NOOP("EvidenceText", "新的文件：%1"), incomingStatus);
    if (!existingStatus || !incomingStatus || existingStatus->st_size != incomingStatus->st_size) {
        return text;
    }
    if (existingStatus->st_size > kLargestComparedFile) {
        return text + u'\n' + EvidenceText::tr("两个文件大小相同，内容未比较（文件大于 256 MB）");
    }
    return text + u'\n' +
           (SameContent(existing, incoming, processEvents) ? EvidenceText::tr("两个文件内容相同")
                                                           : EvidenceText::tr("两个文件内容不同"));
}
