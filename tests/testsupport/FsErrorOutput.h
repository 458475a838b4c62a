#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QTest>

#include <cstring>

namespace Fs {
// How QCOMPARE shows an error value that differs: the operation's number and the errno's name, "4/EACCES".
inline char* toString(const Error& error) {
    const char* name = error.code == 0 ? "0" : ::strerrorname_np(error.code);
    return QTest::toString(QByteArray::number(int(error.operation)) + '/' + (name ? name : "?"));
}
} // namespace Fs
