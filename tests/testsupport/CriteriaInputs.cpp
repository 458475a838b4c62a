#include "testsupport/CriteriaInputs.h"

#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

bool WriteCriteriaInputs(const QString& folder) {
    WriteTestFile(folder + u"/a_kw.txt"_s, QByteArray(3000, 'x'));
    WriteTestFile(folder + u"/b.doc"_s, "b");
    WriteTestFile(folder + u"/ab_cd.doc"_s, "ab");
    return WriteTestImage(folder + u"/wide.png"_s, "png", 900, 10) &&
           WriteTestImage(folder + u"/narrow.jpg"_s, "jpg", 10, 10) &&
           SetModificationTime(folder + u"/a_kw.txt"_s, QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
}
