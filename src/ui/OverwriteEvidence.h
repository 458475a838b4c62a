#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// What the user needs to know to answer the same-name question, in lines: the size and then the modification time of
// the file already there and of the new one, where the new one comes from, then whether their contents are the same
// (see GatherSameNameEvidence). processEvents is called between two chunks of the comparison, so that the window
// stays responsive.
QString OverwriteEvidence(const QByteArray& existing, const QByteArray& incoming,
                          const std::function<void()>& processEvents);
