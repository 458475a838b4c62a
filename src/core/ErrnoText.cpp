#include "core/ErrnoText.h"

#include <cstring>

QString ErrnoText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}
