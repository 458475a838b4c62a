#include "cli/TerminalProgress.h"

#include "cli/CommandLineText.h"
#include "cli/StandardStreams.h"

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kRedrawIntervalMs = 100;

// 0:42, 12:05, 1:02:03
QString durationText(qint64 seconds) {
    const auto twoDigits = [](qint64 n) { return QString::number(n).rightJustified(2, u'0'); };
    const QString secondsText = twoDigits(seconds % 60);
    if (seconds < 3600) {
        return QString::number(seconds / 60) + u':' + secondsText;
    }
    return QString::number(seconds / 3600) + u':' + twoDigits(seconds / 60 % 60) + u':' + secondsText;
}
} // namespace

TerminalProgress::TerminalProgress(bool wanted) : m_enabled(wanted && StandardErrorIsTerminal()) {
    m_sinceStart.start();
}

void TerminalProgress::show(int done, int total) {
    if (!m_enabled || (m_drawn && m_sinceDraw.elapsed() < kRedrawIntervalMs)) {
        return;
    }
    const double seconds = double(m_sinceStart.elapsed()) / 1000;
    const double rate = seconds > 0 ? done / seconds : 0;
    const QString left = rate > 0 ? durationText(qint64((total - done) / rate)) : u"-:--"_s;
    const QString line =
        CommandLine::tr("%1 of %2 files, %3 files/s, %4 left").arg(done).arg(total).arg(qint64(rate)).arg(left);
    // Carriage return, the line, then erase what a longer earlier line left to the right.
    WriteStandardError("\r" + line.toUtf8() + "\x1b[K");
    m_drawn = true;
    m_sinceDraw.start();
}

void TerminalProgress::clear() {
    if (m_drawn) {
        WriteStandardError("\r\x1b[K");
        m_drawn = false;
    }
}
