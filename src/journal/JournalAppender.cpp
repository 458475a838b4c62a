#include "journal/JournalAppender.h"

#include <sys/stat.h>
#include <unistd.h>

JournalAppender::JournalAppender(Fs::Descriptor descriptor) : m_file(std::move(descriptor)) {
    struct stat status {};
    char last = '\n';
    if (::fstat(m_file.get(), &status) == 0 && status.st_size > 0) {
        m_lineCut = ::pread(m_file.get(), &last, 1, status.st_size - 1) == 1 && last != '\n';
    }
}

void JournalAppender::fail(const Fs::Error& error) {
    if (!m_error.failed()) {
        m_error = error;
    }
}

JournalAppender::~JournalAppender() {
    if (m_file.isOpen()) {
        writeDeferred();
    }
}

void JournalAppender::writeDeferred() {
    if (!m_deferred.isEmpty()) {
        append({});
    }
}

void JournalAppender::defer(const QByteArray& record) {
    m_deferred += record;
}

void JournalAppender::append(const QByteArray& record) {
    QByteArray text = m_lineCut ? '\n' + m_deferred : m_deferred;
    text += record;
    m_deferred.clear();
    const Fs::Error written = Fs::WriteAll(m_file.get(), text);
    if (!written.failed()) {
        m_lineCut = false;
        return;
    }
    fail(written);
    m_lineCut = true;
}

Fs::Error JournalAppender::sync() {
    writeDeferred();
    if (::fdatasync(m_file.get()) != 0) {
        const Fs::Error error = Fs::FailureOf(Fs::Operation::WriteTemporary);
        fail(error);
        return error;
    }
    return m_error;
}
