// The type list kept in the settings file: the SuffixFilter value split into items and joined again.

#include "FuzzInput.h"
#include "settings/ParameterKeys.h"

// Input: a byte whose lowest bit reads the text as UTF-16, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool utf16 = input.takeByte() & 1;
    const QString value = FuzzInput::textOf(input.takeRest(), utf16);

    const QStringList items = SplitSuffixFilter(value);
    FUZZ_CHECK(items.size() <= value.count(u'|') + 1);
    for (const QString& item : items) {
        FUZZ_CHECK(!item.isEmpty() && !item.contains(u'|'));
    }
    // A value the program writes itself reads back as the same list.
    FUZZ_CHECK(SplitSuffixFilter(JoinSuffixFilter(items)) == items);

    // The text as a type list, one item per line: a list whose items hold no "|" comes back without its empty items.
    QStringList list = value.split(u'\n');
    if (!value.contains(u'|')) {
        const QStringList restored = SplitSuffixFilter(JoinSuffixFilter(list));
        list.removeAll(QString());
        FUZZ_CHECK(restored == list);
    }
    return 0;
}
