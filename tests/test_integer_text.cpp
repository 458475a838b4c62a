#include "core/IntegerText.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 int32Min = std::numeric_limits<qint32>::min();
constexpr qint64 int32Max = std::numeric_limits<qint32>::max();
constexpr qint64 int64Min = std::numeric_limits<qint64>::min();
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();
} // namespace

// The number fields: what a pasted or restored text must look like to count as a whole number.
class TestIntegerText : public QObject {
    Q_OBJECT
private slots:
    void integerField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minimum");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("value");

        const auto row = [](const char* name, const QString& text, qint64 minimum, qint64 maximum, bool valid,
                            qint64 value = 0) { QTest::newRow(name) << text << minimum << maximum << valid << value; };
        row("plain decimal", u"800"_s, int32Min, int32Max, true, 800);
        row("leading zeros", u"007"_s, int32Min, int32Max, true, 7);
        row("leading spaces", u"   42"_s, int32Min, int32Max, true, 42);
        row("plus sign", u"+5"_s, int32Min, int32Max, true, 5);
        row("minus sign", u"-5"_s, int32Min, int32Max, true, -5);
        row("spaces then sign", u"  -5"_s, int32Min, int32Max, true, -5);
        row("dollar hex", u"$1F"_s, int32Min, int32Max, true, 31);
        row("x hex", u"x1f"_s, int32Min, int32Max, true, 31);
        row("X hex", u"X10"_s, int32Min, int32Max, true, 16);
        row("0x hex", u"0xff"_s, int32Min, int32Max, true, 255);
        row("0X hex", u"0XFF"_s, int32Min, int32Max, true, 255);
        row("negative hex", u"-$A"_s, int32Min, int32Max, true, -10);
        row("zero", u"0"_s, int32Min, int32Max, true, 0);
        row("32-bit largest", u"2147483647"_s, int32Min, int32Max, true, 2147483647);
        row("32-bit smallest", u"-2147483648"_s, int32Min, int32Max, true, int32Min);
        row("32-bit one past largest", u"2147483648"_s, int32Min, int32Max, false);
        row("32-bit one below smallest", u"-2147483649"_s, int32Min, int32Max, false);
        row("32-bit hex past largest", u"$80000000"_s, int32Min, int32Max, false);
        row("64-bit largest", u"9223372036854775807"_s, int64Min, int64Max, true, int64Max);
        row("64-bit smallest", u"-9223372036854775808"_s, int64Min, int64Max, true, int64Min);
        row("64-bit one past largest", u"9223372036854775808"_s, int64Min, int64Max, false);
        row("64-bit one below smallest", u"-9223372036854775809"_s, int64Min, int64Max, false);
        row("64-bit far too large", u"99999999999999999999999"_s, int64Min, int64Max, false);
        row("64-bit hex largest", u"$7FFFFFFFFFFFFFFF"_s, int64Min, int64Max, true, int64Max);
        row("64-bit hex past largest", u"$8000000000000000"_s, int64Min, int64Max, false);
        row("empty", QString(), int32Min, int32Max, false);
        row("only spaces", u"   "_s, int32Min, int32Max, false);
        row("trailing blank", u"5 "_s, int32Min, int32Max, false);
        row("leading tab", u"\t5"_s, int32Min, int32Max, false);
        row("decimal point", u"1.5"_s, int32Min, int32Max, false);
        row("sign only", u"-"_s, int32Min, int32Max, false);
        row("two signs", u"--5"_s, int32Min, int32Max, false);
        row("space after sign", u"- 5"_s, int32Min, int32Max, false);
        row("prefix only", u"$"_s, int32Min, int32Max, false);
        row("0x without digits", u"0x"_s, int32Min, int32Max, false);
        row("hex letters without prefix", u"1F"_s, int32Min, int32Max, false);
        row("hex letter past F", u"$1G"_s, int32Min, int32Max, false);
        row("full-width digits", u"８００"_s, int32Min, int32Max, false);
    }
    void integerField() {
        QFETCH(QString, text);
        QFETCH(qint64, minimum);
        QFETCH(qint64, maximum);
        QFETCH(bool, valid);
        QFETCH(qint64, value);
        const std::optional<qint64> parsed = ParseIntegerField(text, minimum, maximum);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        }
    }

    void decimalPosition_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");

        QTest::newRow("digits") << u"12"_s << true << 12;
        QTest::newRow("zero") << u"0"_s << true << 0;
        QTest::newRow("negative") << u"-1"_s << true << -1;
        QTest::newRow("plus") << u"+3"_s << true << 3;
        QTest::newRow("largest") << u"2147483647"_s << true << 2147483647;
        QTest::newRow("smallest") << u"-2147483648"_s << true << int(int32Min);
        QTest::newRow("too large") << u"2147483648"_s << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("leading space") << u" 1"_s << false << 0;
        QTest::newRow("trailing space") << u"1 "_s << false << 0;
        QTest::newRow("hex is not a position") << u"$10"_s << false << 0;
        QTest::newRow("letter") << u"1a"_s << false << 0;
    }
    void decimalPosition() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int> parsed = ParseDecimalPosition(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        }
    }
};

QTEST_GUILESS_MAIN(TestIntegerText)
#include "test_integer_text.moc"
