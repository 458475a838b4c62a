#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The main window's choices that the settings file keeps, one member per key of section Parameter. A load fills every
// member, defaults applied; a save writes every member.
struct SettingsValues {
    bool operator==(const SettingsValues&) const = default;

    QString filter;              // Filter: EdtFilter
    int sameFile = 0;            // SameFile: 0 RbSkip, 1 RbOverwrite, 2 RbAsk, 3 RbRename; other values load as 0
    QString outDir;              // OutDir: EdtOutDir; loads empty when the saved folder does not exist
    int page = 0;                // Page: PageControl1; loads as -1 (the designed page stays) when outside 0..5
    QStringList suffixFilter;    // SuffixFilter: the items of ListBox2
    int picSize = 0;             // PicSize: 0 RbPicW, any other value RbPicH
    int cmbPic = 0;              // CmbPic: item index (one outside the list selects no item)
    QString picSizeValue;        // PicSizeValue: EdtPic
    int cmbCondition = 0;        // CmbCondition: item index
    int cmbUnit = 0;             // CmbUnit: item index
    QString fileSize;            // FileSize: EdtSize
    QString edtKeys;             // EdtKeys: EdtKeys; saved without leading and trailing blanks and control characters
    std::optional<QDate> dtDate; // DTDate: DtDate; loads empty when missing or unreadable (DtDate keeps its date)
    std::optional<QTime> dtTime; // DTTime: DtTime; loads empty when missing or unreadable (DtTime keeps its time)
    int fileAttr = 0;            // FileAttr: 0 RbCreateTime, any other value RbModifyTime
    int cmbFileDate = 0;         // CmbFileDate: item index
};
