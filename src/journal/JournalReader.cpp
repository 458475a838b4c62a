#include "journal/JournalReader.h"

#include "journal/JournalCodes.h"
#include "journal/JournalLine.h"
#include "journal/JournalRecordText.h"

#include <QHash>

#include <cerrno>
#include <limits>
#include <unistd.h>

namespace {

std::optional<int> count(const JournalLineFields& fields, QByteArrayView key) {
    const std::optional<qint64> value = fields.number(key);
    if (!value || *value < 0 || *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return int(*value);
}

// Builds the content record by record; each apply function is false for a record it cannot use.
class ContentBuilder {
public:
    JournalContent content;

    bool apply(const JournalLineFields& fields) {
        const QByteArray& type = fields.type();
        if (type == "run" && !content.run) {
            content.run = RunFields(fields);
            return content.run.has_value();
        }
        if (type == "preset") {
            return addPreset(fields);
        }
        if (type == "intent" || type == "folder") {
            return begin(fields, type == "folder");
        }
        if (type == "end") {
            content.end = EndFields(fields);
            return content.end.has_value();
        }
        if (type == "undo-begin" || type == "undo-end") {
            content.undoBegun = true;
            content.undoEnded = type == "undo-end";
            return true;
        }
        JournalStep* step = stepNamed(fields);
        return step && applyToStep(fields, *step);
    }

private:
    QHash<int, qsizetype> m_indexOf;

    // A saved sort of a chained run: only right after the run record, before any step, and named once.
    bool addPreset(const JournalLineFields& fields) {
        const std::optional<ChainedSort> preset = PresetFields(fields);
        if (!preset || !content.run || !content.steps.isEmpty()) {
            return false;
        }
        for (const ChainedSort& known : content.run->chain) {
            if (known.name == preset->name) {
                return false;
            }
        }
        content.run->chain.append(*preset);
        return true;
    }

    JournalStep* stepNamed(const JournalLineFields& fields) {
        const std::optional<int> number = count(fields, "n");
        const auto found = number ? m_indexOf.constFind(*number) : m_indexOf.cend();
        return found == m_indexOf.cend() ? nullptr : &content.steps[*found];
    }

    bool begin(const JournalLineFields& fields, bool isFolder) {
        JournalStep step;
        step.isFolder = isFolder;
        const std::optional<int> number = count(fields, "n");
        const std::optional<FileIdentity> identity = IdentityFields(fields);
        if (!number || m_indexOf.contains(*number) || !identity) {
            return false;
        }
        step.number = *number;
        step.preset = fields.bytes("preset");
        if (isFolder) {
            step.target = fields.bytes("path").value_or(QByteArray());
            step.written = identity;
        } else {
            const auto transfer = ValueOfCode(kTransferCodes, fields.bytes("transfer").value_or(QByteArray()));
            const auto use = ValueOfCode(kNameUseCodes, fields.bytes("name").value_or(QByteArray()));
            const std::optional<QByteArray> source = fields.bytes("source");
            const std::optional<QByteArray> target = fields.bytes("target");
            if (!transfer || !use || !source || !target || source->isEmpty()) {
                return false;
            }
            step.transfer = *transfer;
            step.nameUse = *use;
            step.source = *source;
            step.target = *target;
            step.before = *identity;
        }
        if (step.target.isEmpty()) {
            return false;
        }
        m_indexOf.insert(step.number, content.steps.size());
        content.steps.append(step);
        return true;
    }

    static bool applyToStep(const JournalLineFields& fields, JournalStep& step) {
        const QByteArray& type = fields.type();
        if (type == "undo" || type == "undone" || type == "not-undone") {
            step.undoStarted = true;
            step.undone = type == "undone";
            step.leftBecause = type == "not-undone" ? fields.bytes("reason").value_or(QByteArray()) : QByteArray();
            return true;
        }
        if (step.isFolder) {
            return false;
        }
        if (type == "failed") {
            step.failed = true;
            return true;
        }
        if (type == "restored") {
            const std::optional<QByteArray> path = fields.bytes("path");
            const std::optional<FileIdentity> identity = IdentityFields(fields);
            if (!path || !identity || (*path != step.source && *path != step.target)) {
                return false;
            }
            step.restored.append({*path, *identity});
            return true;
        }
        if (type == "done") {
            step.written = IdentityFields(fields);
            return step.written.has_value();
        }
        return type == "kept" && applyKept(fields, step);
    }

    static bool applyKept(const JournalLineFields& fields, JournalStep& step) {
        const auto where = ValueOfCode(kKeptWhereCodes, fields.bytes("where").value_or(QByteArray()));
        const std::optional<FileIdentity> old = IdentityFields(fields);
        const std::optional<qint64> mode = fields.number("mode");
        KeptFile kept;
        kept.path = fields.bytes("path").value_or(QByteArray());
        kept.info = fields.bytes("info").value_or(QByteArray());
        if (!where || !old || !mode || *mode < 0 || *mode > 07777 ||
            (*where != KeptWhere::NotKept && kept.path.isEmpty()) ||
            (*where == KeptWhere::Trash && kept.info.isEmpty())) {
            return false;
        }
        kept.where = *where;
        kept.old = *old;
        kept.oldMode = quint32(*mode);
        step.kept = kept;
        return true;
    }
};

} // namespace

std::optional<FileIdentity> IdentityFields(const JournalLineFields& fields) {
    const std::optional<qint64> size = fields.number("size");
    const std::optional<qint64> mtime = fields.number("mtime");
    const std::optional<quint64> inode = fields.unsignedNumber("ino");
    const std::optional<quint64> device = fields.unsignedNumber("dev");
    if (!size || !mtime || !inode || !device) {
        return std::nullopt;
    }
    return FileIdentity{*device, *inode, *size, *mtime};
}

std::optional<RunEnd> EndFields(const JournalLineFields& fields) {
    const std::optional<QByteArray> state = fields.bytes("state");
    const std::optional<int> failed = count(fields, "failed");
    const std::optional<int> placed = count(fields, "placed");
    const std::optional<int> left = count(fields, "left");
    const std::optional<int> notMatching = count(fields, "nomatch");
    // Absent from journals written before filtered files were counted on their own.
    const std::optional<int> filtered = count(fields, "filtered");
    // Absent from journals written before files of the same bytes were recognised.
    const std::optional<int> identical = count(fields, "identical");
    if (!state || (*state != "complete" && *state != "stopped") || !failed || !placed || !left || !notMatching ||
        (!filtered && fields.bytes("filtered")) || (!identical && fields.bytes("identical"))) {
        return std::nullopt;
    }
    return RunEnd{*state == "stopped", {*failed, *placed, *left, *notMatching, filtered, identical}};
}

std::optional<RunHeader> RunFields(const JournalLineFields& fields) {
    const std::optional<qint64> page = fields.number("page");
    const std::optional<QByteArray> mode = fields.bytes("mode");
    const auto policy = ValueOfCode(kPolicyCodes, fields.bytes("policy").value_or(QByteArray()));
    const std::optional<qint64> start = fields.number("start");
    const std::optional<int> listSize = count(fields, "count");
    const std::optional<qint64> pid = fields.number("pid");
    if (!page || *page < 0 || *page >= PageCount || !mode || (*mode != "copy" && *mode != "move") || !policy ||
        !start || !listSize || !pid) {
        return std::nullopt;
    }
    // Only an absolute output folder counts; a journal of the first version has none.
    QByteArray outputFolder = fields.bytes("out").value_or(QByteArray());
    if (!outputFolder.startsWith('/')) {
        outputFolder.clear();
    }
    const bool watch = fields.number("watch").value_or(0) == 1;
    return RunHeader{CriterionPage(*page), *mode == "move", *policy, *start, *listSize, *pid, outputFolder, watch, {}};
}

std::optional<ChainedSort> PresetFields(const JournalLineFields& fields) {
    const std::optional<QByteArray> name = fields.bytes("name");
    const std::optional<qint64> page = fields.number("page");
    const std::optional<QByteArray> mode = fields.bytes("mode");
    const auto policy = ValueOfCode(kPolicyCodes, fields.bytes("policy").value_or(QByteArray()));
    const std::optional<QByteArray> out = fields.bytes("out");
    if (!name || !page || *page < 0 || *page >= PageCount || !mode || (*mode != "copy" && *mode != "move") || !policy ||
        !out || !out->startsWith('/')) {
        return std::nullopt;
    }
    return ChainedSort{*name, CriterionPage(*page), *mode == "move", *policy, *out};
}

std::optional<qint64> JournalHeaderVersion(const JournalLineFields& fields) {
    const std::optional<qint64> version = fields.number("version");
    if (fields.type() != kJournalHeaderType || !version || *version < 1 || *version > kJournalVersion) {
        return std::nullopt;
    }
    return version;
}

JournalContent ParseJournal(QByteArrayView text) {
    ContentBuilder builder;
    qsizetype at = 0;
    bool first = true;
    while (at < text.size()) {
        const qsizetype end = text.indexOf('\n', at);
        if (end < 0) {
            ++builder.content.damagedLines; // torn: the write of the last line never finished
            break;
        }
        const std::optional<JournalLineFields> fields = JournalLineFields::parse(text.sliced(at, end - at));
        at = end + 1;
        if (first) {
            first = false;
            const std::optional<qint64> version = fields ? JournalHeaderVersion(*fields) : std::nullopt;
            if (!version) {
                return {};
            }
            builder.content.readable = true;
            builder.content.version = *version;
            continue;
        }
        if (!fields || !builder.apply(*fields)) {
            ++builder.content.damagedLines;
        }
    }
    return builder.content;
}

JournalContent ReadJournal(int descriptor) {
    QByteArray text;
    char chunk[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(descriptor, chunk, sizeof chunk, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return {};
        }
        if (got == 0) {
            break;
        }
        text.append(chunk, got);
        offset += got;
    }
    return ParseJournal(text);
}
