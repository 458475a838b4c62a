#pragma once

#include <QString>

// The system's description of the errno value code, as the window and the command line show it after their own
// words: the C library's text in the language of the user's messages locale where it has one ("Permission denied"
// in the C locale).
QString ErrnoText(int code);
