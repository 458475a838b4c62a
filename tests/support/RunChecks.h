#pragma once

#include "FakeRunHost.h"

#include <QFileInfo>
#include <QTest>

// Checks that a run stopped at its parameter step: the one message, the focus on field, nothing locked and no
// output folder made. Use it as a test's last statement, since a failure returns from this helper only.
inline void CheckRunRefused(const FakeRunHost& host, const QString& message, const QString& field) {
    QCOMPARE(host.messages, QStringList{message});
    QCOMPARE(host.inputErrors.size(), 1);
    QCOMPARE(host.inputErrors.first().field, field);
    QVERIFY(host.locks.isEmpty());
    QVERIFY(!QFileInfo::exists(host.outDir));
}
