#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Files larger than this are not compared byte for byte before the same-name question: reading two of them would
// keep the user waiting longer than the answer is worth.
inline constexpr qint64 kLargestComparedFile = qint64(256) << 20;

// Whether the regular files a and b hold the same bytes. They are read in chunks, and processEvents is called between
// two chunks so that the window stays responsive. False when either cannot be read.
bool SameContent(const QByteArray& a, const QByteArray& b, const std::function<void()>& processEvents);

// What the user needs to know to answer the same-name question, in lines: the size and then the modification time of
// the file already there and of the new one, then whether their contents are the same. Contents are compared only when
// the sizes are equal and at most kLargestComparedFile; above that the text says they were not compared.
QString OverwriteEvidence(const QByteArray& existing, const QByteArray& incoming,
                          const std::function<void()>& processEvents);
