#include "testsupport/PermissionBits.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The calling thread's effective capabilities (the first 32, where the two are) with overrides set or cleared.
bool setOverrides(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    data[0].effective = on ? data[0].effective | (data[0].permitted & kOverrides) : data[0].effective & ~kOverrides;
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

PermissionBitsBind::PermissionBitsBind() {
    if (::geteuid() != 0) {
        return;
    }
    m_dropped = setOverrides(false);
    if (!m_dropped) {
        m_reason = QStringLiteral("root cannot set its permission overrides aside: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

PermissionBitsBind::~PermissionBitsBind() {
    if (m_dropped) {
        setOverrides(true);
    }
}

PermissionBoundCommand BindPermissions(const QString& program) {
    if (::geteuid() != 0) {
        return {program, {}, {}};
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        return {program, {}, u"root needs setpriv to run a program that permission bits stop"_s};
    }
    const QStringList without{u"--bounding-set"_s, u"-dac_override,-dac_read_search"_s, u"--"_s};
    if (QProcess::execute(setpriv, without + QStringList{u"true"_s}) != 0) {
        return {program, {}, u"setpriv cannot set the permission overrides aside here"_s};
    }
    QByteArrayList arguments;
    for (const QString& argument : without) {
        arguments.append(argument.toUtf8());
    }
    return {setpriv, arguments + QByteArrayList{QFile::encodeName(program)}, {}};
}
