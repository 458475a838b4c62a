// The settings load: any bytes as the settings file, loaded in several locales, saved and loaded again.

#include "FuzzInput.h"
#include "settings/IniDocument.h"
#include "settings/ParameterKeys.h"
#include "settings/SettingsFile.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>

#include <array>

namespace {

// A folder for the settings file, which also stands for the program's folder; removed when the run ends.
const QTemporaryDir& scratchFolder() {
    static const QTemporaryDir folder;
    return folder;
}

// Locales with other date orders, other digits and day-period texts (of unequal length in Ewe and Malay), since
// dates and times are read in the locale.
const QLocale& localeFor(quint8 selector) {
    static const std::array<QLocale, 8> locales = {QLocale::c(),
                                                   QLocale(QLocale::Chinese, QLocale::China),
                                                   QLocale(QLocale::English, QLocale::UnitedStates),
                                                   QLocale(QLocale::German, QLocale::Germany),
                                                   QLocale(QLocale::Arabic, QLocale::Egypt),
                                                   QLocale(QLocale::Persian, QLocale::Iran),
                                                   QLocale(QLocale::Ewe, QLocale::Ghana),
                                                   QLocale(QLocale::Malay, QLocale::Malaysia)};
    return locales[selector % locales.size()];
}

// values as a save writes them: a carriage return inside a text cannot stay, it would end the line.
SettingsValues withoutCarriageReturns(SettingsValues values) {
    for (const ParameterKey& key : ParameterKeys()) {
        std::visit(
            [&](auto member) {
                using Member = std::remove_reference_t<decltype(values.*member)>;
                if constexpr (std::is_same_v<Member, QString>) {
                    (values.*member).replace(u'\r', u' ');
                } else if constexpr (std::is_same_v<Member, QStringList>) {
                    (values.*member).replaceInStrings(QStringLiteral("\r"), QStringLiteral(" "));
                }
            },
            key.member);
    }
    return values;
}

} // namespace

// Input: a locale selector byte, then the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QLocale& locale = localeFor(input.takeByte());
    const QByteArray bytes = input.takeRest();
    const QString programFolder = scratchFolder().path();
    const QString filePath = programFolder + QStringLiteral("/Varnoth.ini");

    WriteTestFile(filePath, bytes);
    const SettingsValues loaded = LoadSettings(programFolder, filePath, locale);
    IniDocument document(bytes);
    FUZZ_CHECK(loaded == ReadParameterKeys(document, programFolder, locale));

    // Whatever was loaded survives a save and a load.
    WriteParameterKeys(loaded, locale, document);
    const SettingsValues reloaded = ReadParameterKeys(document, programFolder, locale);
    FUZZ_CHECK(reloaded == withoutCarriageReturns(loaded));
    return 0;
}
