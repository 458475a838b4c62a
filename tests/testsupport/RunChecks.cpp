#include "testsupport/RunChecks.h"

#include <QFileInfo>
#include <QTest>

void CheckRunRefused(const FakeRunHost& host, const QString& message, InputField field) {
    QCOMPARE(host.messages, QStringList{message});
    QCOMPARE(host.inputErrors.size(), 1);
    QCOMPARE(host.inputErrors.first().field, field);
    QVERIFY(host.locks.isEmpty());
    QVERIFY(!QFileInfo::exists(host.inputs.outputFolder));
}
