#pragma once

#include <QByteArray>
#include <QString>

// A small file system of its own (tmpfs) mounted on an existing empty folder while this lives, for tests that need
// another file system than the temporary folder's, or a disk that fills up. Mounting needs root (CAP_SYS_ADMIN);
// where it is refused, mounted() is false and reason() says why, for QSKIP. A read-only one refuses every write with
// EROFS, even root's.
class TmpfsMount {
public:
    TmpfsMount(const QByteArray& folder, qint64 bytes, bool readOnly = false);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& reason() const { return m_reason; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    QString m_reason;
};
