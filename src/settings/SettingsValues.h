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

    QString nameFilterPieces;            // Filter: EdtFilter, the pieces cut out of names on the name page
    int sameNamePolicy = 0;              // SameFile: 0 RbSkip, 1 RbOverwrite, 2 RbAsk, 3 RbRename; other values
                                         // load as 0
    QString outputFolder;                // OutDir: EdtOutDir; loads empty when the saved folder does not exist
    int criterionPage = 0;               // Page: PageControl1; loads as -1 (the designed page stays) when
                                         // outside 0..6
    QStringList typeList;                // SuffixFilter: the items of ListBox2
    int pictureDimension = 0;            // PicSize: 0 RbPicW (width), any other value RbPicH (height)
    int pictureCondition = 0;            // CmbPic: item index (one outside the list selects no item)
    QString pictureLimit;                // PicSizeValue: EdtPic
    int sizeCondition = 0;               // CmbCondition: item index
    int sizeUnit = 0;                    // CmbUnit: item index
    QString sizeThreshold;               // FileSize: EdtSize
    QString keywords;                    // EdtKeys: EdtKeys; saved without leading and trailing blanks and
                                         // control characters
    std::optional<QDate> dateMomentDay;  // DTDate: DtDate, the date page's moment; loads empty when missing or
                                         // unreadable (DtDate keeps its date)
    std::optional<QTime> dateMomentTime; // DTTime: DtTime, the date page's moment; loads empty when missing or
                                         // unreadable (DtTime keeps its time)
    int dateKind = 0;                    // FileAttr: 0 RbCreateTime (creation time), any other value
                                         // RbModifyTime (modification time)
    int dateCondition = 0;               // CmbFileDate: item index
    int skipIdentical = 0;               // SkipIdentical: ChkSkipIdentical, ticked for any value but 0
    int takenTime = 0;                   // TakenTime: 1 RbTakenTime (the taken time; FileAttr then says 1),
                                         // any other value the button of FileAttr
    QString datePattern = QStringLiteral("%Y/%m"); // DatePattern: CmbDatePattern, the pattern as the run reads it
    int dateSource = 0;                            // DateSource: 0 RbFolderTaken, 1 RbFolderModify, 2 RbFolderCreate;
                                                   // other values as 0
    QString preset;                                // Preset: CmbPreset, the saved sort chosen or saved last
};
