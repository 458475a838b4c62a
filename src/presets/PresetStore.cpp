#include "presets/PresetStore.h"

#include "core/FsEntries.h"
#include "presets/WatchFolderList.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/ParameterKeys.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

PresetError presetError(PresetError::Kind kind) {
    PresetError error;
    error.kind = kind;
    return error;
}

std::optional<PresetError> nameError(const QString& name) {
    if (const std::optional<PresetNameFault> fault = CheckPresetName(name)) {
        PresetError error = presetError(PresetError::Kind::BadName);
        error.nameFault = *fault;
        return error;
    }
    return std::nullopt;
}

PresetError fileError(Fs::Error failure) {
    PresetError error = presetError(PresetError::Kind::File);
    error.fileError = failure;
    return error;
}

PresetError keyError(const PresetKeyFault& fault) {
    PresetError error = presetError(PresetError::Kind::Key);
    error.keyFault = fault;
    return error;
}

} // namespace

QString PresetsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Varnoth/presets"_s;
}

QString PresetFilePath(const QString& name, const QString& folder) {
    return folder + u'/' + QFile::decodeName(PresetFileName(name));
}

bool PresetExists(const QString& name, const QString& folder) {
    return !CheckPresetName(name) && !Fs::NamesNothing(QFile::encodeName(PresetFilePath(name, folder)));
}

namespace {

constexpr char kWatchFoldersKey[] = "WatchFolders";

// The file of the existing saved sort name, read.
std::variant<IniDocument, PresetError> readExisting(const QString& name, const QString& folder) {
    if (std::optional<PresetError> error = nameError(name)) {
        return *error;
    }
    if (!PresetExists(name, folder)) {
        return presetError(PresetError::Kind::NotFound);
    }
    IniDocument document;
    if (const Fs::Error error = ReadIniFile(PresetFilePath(name, folder), document); error.failed()) {
        return fileError(error);
    }
    return document;
}

} // namespace

std::variant<RunInputs, PresetError> LoadPreset(const QString& name, const QString& folder) {
    std::variant<IniDocument, PresetError> document = readExisting(name, folder);
    if (const PresetError* error = std::get_if<PresetError>(&document)) {
        return *error;
    }
    std::variant<RunInputs, PresetKeyFault> read = ReadPresetKeys(std::get<IniDocument>(document));
    if (const PresetKeyFault* fault = std::get_if<PresetKeyFault>(&read)) {
        return keyError(*fault);
    }
    return std::get<RunInputs>(std::move(read));
}

std::optional<PresetError> SavePreset(const QString& name, const RunInputs& inputs, const QString& folder) {
    if (std::optional<PresetError> error = nameError(name)) {
        return error;
    }
    const QString path = PresetFilePath(name, folder);
    IniDocument document;
    // A file that cannot be read is left alone, so that what else it holds is not lost.
    if (const Fs::Error error = ReadIniFile(path, document); error.failed()) {
        return fileError(error);
    }
    if (const std::optional<PresetKeyFault> fault = WritePresetKeys(inputs, document)) {
        return keyError(*fault);
    }
    if (const Fs::Error error = WriteIniFile(path, document); error.failed()) {
        return fileError(error);
    }
    return std::nullopt;
}

std::variant<QByteArrayList, PresetError> LoadWatchFolders(const QString& name, const QString& folder) {
    std::variant<IniDocument, PresetError> document = readExisting(name, folder);
    if (const PresetError* error = std::get_if<PresetError>(&document)) {
        return *error;
    }
    const QByteArray value = std::get<IniDocument>(document).value(kParameterSection, kWatchFoldersKey).value_or("");
    if (std::optional<QByteArrayList> folders = WatchFoldersOf(value)) {
        return *folders;
    }
    return keyError({kWatchFoldersKey, PresetKeyFault::Kind::Unreadable, value});
}

std::optional<PresetError> SaveWatchFolders(const QString& name, const QByteArrayList& folders, const QString& folder) {
    std::variant<IniDocument, PresetError> document = readExisting(name, folder);
    if (const PresetError* error = std::get_if<PresetError>(&document)) {
        return *error;
    }
    std::get<IniDocument>(document).setValue(kParameterSection, kWatchFoldersKey, WatchFoldersValue(folders));
    if (const Fs::Error error = WriteIniFile(PresetFilePath(name, folder), std::get<IniDocument>(document));
        error.failed()) {
        return fileError(error);
    }
    return std::nullopt;
}

std::optional<PresetError> DeletePreset(const QString& name, const QString& folder) {
    if (std::optional<PresetError> error = nameError(name)) {
        return error;
    }
    if (::unlink(QFile::encodeName(PresetFilePath(name, folder)).constData()) != 0) {
        if (errno == ENOENT) {
            return presetError(PresetError::Kind::NotFound);
        }
        return fileError({Fs::Operation::DeleteSource, errno});
    }
    return std::nullopt;
}

QStringList PresetNames(const QString& folder) {
    QStringList names;
    const QStringList files = QDir(folder).entryList({u"*.ini"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : files) {
        if (const std::optional<QString> name = PresetNameOfFile(QFile::encodeName(file))) {
            names.append(*name);
        }
    }
    names.sort();
    return names;
}
