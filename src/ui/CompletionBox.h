#pragma once

#include "engine/RunReport.h"

#include <QByteArray>

class QWidget;

// The box at the end of a run, over parent, with the information icon. Its text is CompletionMessage, a line that
// counts the files by outcome (RunOutcome, in its order) and, for a stopped run, how many files it did not reach. Its
// detailed text lists the failed files with their reasons, the moved files whose name led to another file at the end
// (their sorted copy is the only copy of the file that was moved) and says for how many files a creation time was
// missing. Where outputFolder is a folder, a button 打开输出文件夹 opens it in the file manager.
void ShowCompletionBox(QWidget* parent, const RunReport& report, const QByteArray& outputFolder);
