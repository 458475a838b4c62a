#pragma once

#include <QByteArrayList>
#include <QString>

// Permission bits stop root only without the capabilities that override them (CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH), so that tests of folders that may not be read run as root too.

// While this lives, permission bits stop the calling thread as they stop any user: as root, the two capabilities
// leave its effective set, and come back at the end. Where the system refuses, reason() says why, for QSKIP.
class PermissionBitsBind {
public:
    PermissionBitsBind();
    ~PermissionBitsBind();
    PermissionBitsBind(const PermissionBitsBind&) = delete;
    PermissionBitsBind& operator=(const PermissionBitsBind&) = delete;

    const QString& reason() const { return m_reason; }

private:
    bool m_dropped = false;
    QString m_reason;
};

// A program run so that permission bits stop it as they stop any user: as root, through setpriv without the two
// capabilities; otherwise the program itself. Where root has no setpriv, reason says why, for QSKIP.
struct PermissionBoundCommand {
    QString program;
    QByteArrayList arguments; // to put before the program's own arguments
    QString reason;
};
PermissionBoundCommand BindPermissions(const QString& program);
