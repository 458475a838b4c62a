#include "cli/PresetWords.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "core/ErrnoText.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QString escaped(const QString& text) {
    return QString::fromUtf8(EscapedText(text.toUtf8()));
}

QString knownNames() {
    const QStringList names = PresetNames();
    if (names.isEmpty()) {
        return CommandLine::tr("There are no saved sorts; save one with 'varnoth sort --save-preset NAME ...'.");
    }
    QString list = CommandLine::tr("The saved sorts are:");
    for (const QString& name : names) {
        list += u"\n  "_s + escaped(name);
    }
    return list;
}

bool readingFailed(const Fs::Error& error) {
    return error.operation == Fs::Operation::OpenSource || error.operation == Fs::Operation::CheckSource ||
           error.operation == Fs::Operation::ReadSource;
}

} // namespace

QString PresetNameRules() {
    return CommandLine::tr("expected a name in valid UTF-8 of at most 200 bytes, without '/', NUL or line breaks");
}

QString PresetErrorText(const QString& what, const QString& name, const PresetError& error) {
    const QString head = u"%1 '%2': "_s.arg(what, escaped(name));
    const QString file = escaped(PresetFilePath(CheckPresetName(name) ? u"-"_s : name));
    switch (error.kind) {
    case PresetError::Kind::BadName:
        return what + u": "_s + PresetNameRules();
    case PresetError::Kind::NotFound:
        return head + CommandLine::tr("no saved sort of that name.") + u' ' + knownNames();
    case PresetError::Kind::File:
        return head + (readingFailed(error.fileError) ? CommandLine::tr("%1 cannot be read: %2")
                                                      : CommandLine::tr("%1 cannot be written: %2"))
                          .arg(file, ErrnoText(error.fileError.code));
    case PresetError::Kind::Key:
        break;
    }
    const QString key = QString::fromLatin1(error.keyFault.key);
    const QString value = QString::fromUtf8(EscapedText(error.keyFault.value));
    switch (error.keyFault.kind) {
    case PresetKeyFault::Kind::Missing:
        return head + CommandLine::tr("%1 has no key %2").arg(file, key);
    case PresetKeyFault::Kind::Unreadable:
        return head + CommandLine::tr("%1: the value '%2' of %3 cannot be read").arg(file, value, key);
    case PresetKeyFault::Kind::Unkeepable:
        break;
    }
    return head + CommandLine::tr("the value '%1' of %2 cannot be kept: it has blanks at its ends or a line break")
                      .arg(value, key);
}
