#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <climits>

// Splits the text of a list file into lines as it arrives, piece by piece, so that a file of any size is read in
// memory of the longest path. A line ends at CR LF, at a lone CR or at a lone LF; a NUL byte ends the text. Lines
// are taken exactly as they stand, blank ones included, and text after the last line end is a line of its own. A
// line longer than the longest path the system allows (PATH_MAX less its NUL) names no file: it is skipped without
// being kept.
class ListFileLines {
public:
    static constexpr qsizetype kLongestLine = PATH_MAX - 1;

    // Calls line(QByteArrayView) for every line that piece completes. False once a NUL has ended the text: the
    // rest of piece, and every later piece, is ignored.
    template <typename Line> bool feed(QByteArrayView piece, Line&& line) {
        for (qsizetype at = 0; !m_ended && at < piece.size();) {
            if (m_afterCr && piece[at] == '\n') {
                ++at;
            }
            m_afterCr = false;
            qsizetype end = at;
            while (end < piece.size() && piece[end] != '\r' && piece[end] != '\n' && piece[end] != '\0') {
                ++end;
            }
            keep(piece.sliced(at, end - at));
            if (end == piece.size()) {
                break;
            }
            m_ended = piece[end] == '\0';
            if (!m_ended) {
                m_afterCr = piece[end] == '\r';
                endLine(line);
            }
            at = end + 1;
        }
        return !m_ended;
    }

    // The text is complete: calls line for what follows the last line end, if anything does.
    template <typename Line> void finish(Line&& line) {
        if (m_started) {
            endLine(line);
        }
    }

private:
    // Adds part of the line being read; a line grown too long is dropped and stays dropped up to its end.
    void keep(QByteArrayView part) {
        m_started = m_started || !part.isEmpty();
        m_tooLong = m_tooLong || m_partial.size() + part.size() > kLongestLine;
        if (!m_tooLong) {
            m_partial.append(part);
        } else {
            m_partial.clear();
        }
    }
    template <typename Line> void endLine(Line& line) {
        if (!m_tooLong) {
            line(QByteArrayView(m_partial));
        }
        m_partial.clear();
        m_tooLong = false;
        m_started = false;
    }

    QByteArray m_partial;   // the line being read, up to the end of the last piece
    bool m_started = false; // some of the line being read has come (text after the last line end is a line)
    bool m_tooLong = false;
    bool m_afterCr = false; // the last line ended in CR, so an LF that follows belongs to that line end
    bool m_ended = false;
};
