#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <optional>

// The words of an enumeration: for each value, its untranslated code (for journals and programs) and, where users
// read it, its text (Chinese source, translated through QCoreApplication::translate by the caller).
template <typename Value> struct CodedValue {
    Value value;
    const char* code;
    const char* text = nullptr;
};

template <typename Value, std::size_t N> using CodeTable = std::array<CodedValue<Value>, N>;

// The entry of value; the last entry for a value the table lacks.
template <typename Value, std::size_t N>
constexpr const CodedValue<Value>& EntryOf(const CodeTable<Value, N>& table, Value value) {
    for (const CodedValue<Value>& entry : table) {
        if (entry.value == value) {
            return entry;
        }
    }
    return table.back();
}

// The value whose code is code, or nothing.
template <typename Value, std::size_t N>
std::optional<Value> ValueOfCode(const CodeTable<Value, N>& table, QByteArrayView code) {
    for (const CodedValue<Value>& entry : table) {
        if (code == entry.code) {
            return entry.value;
        }
    }
    return std::nullopt;
}
