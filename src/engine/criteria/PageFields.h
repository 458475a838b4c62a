#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The fields of the criterion pages as the window shows them when a run starts. The pages are locked during a
// run, so these values stay as read. A drop-down list with no item selected has the index -1 and an empty text.

// Page 1, file name.
struct NamePageFields {
    bool range = false;        // ChkFileNamePart
    QString begin;             // EdtPartNameBegin
    QString end;               // EdtPartNameEnd
    QString filter;            // EdtFilter
    bool onlyExisting = false; // ChkOnlyMatchDir
};

// Page 3, file size.
struct SizePageFields {
    int condition = 0; // CmbCondition: 0 greater than, otherwise less than
    QString conditionText;
    QString size; // EdtSize
    int unit = 0; // CmbUnit: 1 MB, otherwise KB
    QString unitText;
};

// Page 4, file date.
struct DatePageFields {
    bool creationTime = true; // RbCreateTime checked: the creation time is compared, else the modification time
    int condition = 0;        // CmbFileDate: 0 earlier, otherwise later
    QDate date;               // DtDate
    QTime time;               // DtTime
};

// Page 5, image size.
struct ImagePageFields {
    bool height = false; // RbPicH checked
    int condition = 0;   // CmbPic: 0 at least, 1 at most, 2 exactly
    QString conditionText;
    QString limit; // EdtPic
};
