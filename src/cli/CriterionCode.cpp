#include "cli/CriterionCode.h"

QByteArray CriterionCode(CriterionPage page) {
    static const char* const codes[PageCount] = {"keywords", "name", "type", "size", "date", "image", "date-folders"};
    return page >= 0 && page < PageCount ? QByteArray(codes[page]) : QByteArray("-");
}
