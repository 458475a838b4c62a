#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

// The object names of the program's windows and controls, by which the tests find them as a tool outside the program
// would. They are the program's testing contract: whatever the code calls a control, its object name stays.
namespace Control {
using namespace Qt::StringLiterals;

// The main window.
inline const QString TForm1 = u"TForm1"_s;
// The file list and its buttons.
inline const QString GroupBox1 = u"GroupBox1"_s;
inline const QString ListBox1 = u"ListBox1"_s;
inline const QString LblFileCount = u"LblFileCount"_s;
inline const QString Button1 = u"Button1"_s; // also the button of the type-entry dialog and of the About window
inline const QString Button5 = u"Button5"_s;
inline const QString Button2 = u"Button2"_s;
inline const QString Button6 = u"Button6"_s;
inline const QString BtnSaveFileList = u"BtnSaveFileList"_s;
inline const QString BtnImpFileList = u"BtnImpFileList"_s;
// The saved sorts, beside the file count.
inline const QString LblPreset = u"LblPreset"_s;
inline const QString CmbPreset = u"CmbPreset"_s;
inline const QString BtnSavePreset = u"BtnSavePreset"_s;
inline const QString BtnDeletePreset = u"BtnDeletePreset"_s;
// The file list's context menu and its entries.
inline const QString ListBox1Menu = u"ListBox1Menu"_s;
inline const QString ActRemoveFile = u"ActRemoveFile"_s;
inline const QString ActClearList = u"ActClearList"_s;
inline const QString ActOpenFolder = u"ActOpenFolder"_s;
// The criterion pages, in page order: keyword, name, type, size, date, image, folders by date.
inline const QString PageControl1 = u"PageControl1"_s;
inline const QString TabSheet6 = u"TabSheet6"_s;
inline const QString Panel8 = u"Panel8"_s;
inline const QString Label10 = u"Label10"_s;
inline const QString Image3 = u"Image3"_s;
inline const QString LblKeys = u"LblKeys"_s;
inline const QString EdtKeys = u"EdtKeys"_s;
inline const QString TabSheet1 = u"TabSheet1"_s;
inline const QString Panel3 = u"Panel3"_s;
inline const QString Label4 = u"Label4"_s;
inline const QString Image2 = u"Image2"_s;
inline const QString ChkFileNamePart = u"ChkFileNamePart"_s;
inline const QString EdtPartNameBegin = u"EdtPartNameBegin"_s;
inline const QString Label11 = u"Label11"_s;
inline const QString EdtPartNameEnd = u"EdtPartNameEnd"_s;
inline const QString Label12 = u"Label12"_s;
inline const QString Image4 = u"Image4"_s;
inline const QString EdtFilter = u"EdtFilter"_s;
inline const QString ChkOnlyMatchDir = u"ChkOnlyMatchDir"_s;
inline const QString TabSheet2 = u"TabSheet2"_s;
inline const QString Panel5 = u"Panel5"_s;
inline const QString Label3 = u"Label3"_s;
inline const QString Image1 = u"Image1"_s;
inline const QString TabSheet3 = u"TabSheet3"_s;
inline const QString Panel4 = u"Panel4"_s;
inline const QString Label5 = u"Label5"_s;
inline const QString Label6 = u"Label6"_s;
inline const QString CmbCondition = u"CmbCondition"_s;
inline const QString EdtSize = u"EdtSize"_s;
inline const QString CmbUnit = u"CmbUnit"_s;
inline const QString TabSheet5 = u"TabSheet5"_s;
inline const QString Panel7 = u"Panel7"_s;
inline const QString RbCreateTime = u"RbCreateTime"_s;
inline const QString RbModifyTime = u"RbModifyTime"_s;
inline const QString RbTakenTime = u"RbTakenTime"_s;
inline const QString CmbFileDate = u"CmbFileDate"_s;
inline const QString DtDate = u"DtDate"_s;
inline const QString DtTime = u"DtTime"_s;
inline const QString TabSheet4 = u"TabSheet4"_s;
inline const QString Panel6 = u"Panel6"_s;
inline const QString Label7 = u"Label7"_s;
inline const QString RbPicW = u"RbPicW"_s;
inline const QString RbPicH = u"RbPicH"_s;
inline const QString CmbPic = u"CmbPic"_s;
inline const QString EdtPic = u"EdtPic"_s;
inline const QString Label8 = u"Label8"_s;
inline const QString TabDateFolders = u"TabDateFolders"_s;
inline const QString CmbDatePattern = u"CmbDatePattern"_s;
inline const QString RbFolderTaken = u"RbFolderTaken"_s;
inline const QString RbFolderModify = u"RbFolderModify"_s;
inline const QString RbFolderCreate = u"RbFolderCreate"_s;
// The options under the pages: the type filter, or the picture types on the image page.
inline const QString GroupBox5 = u"GroupBox5"_s;
inline const QString lblOption = u"lblOption"_s;
inline const QString PnlOption = u"PnlOption"_s;
inline const QString ChkInclude = u"ChkInclude"_s;
inline const QString ChkExclude = u"ChkExclude"_s;
inline const QString ListBox2 = u"ListBox2"_s;
inline const QString BtnAddSuffix = u"BtnAddSuffix"_s;
inline const QString BtnDelSuffix = u"BtnDelSuffix"_s;
inline const QString PnlOption2 = u"PnlOption2"_s;
inline const QString Label9 = u"Label9"_s;
inline const QString ChkLstPic = u"ChkLstPic"_s;
// The output folder and the same-name policy.
inline const QString GroupBox3 = u"GroupBox3"_s;
inline const QString Label1 = u"Label1"_s; // also a label of the folder picker and of the type-entry dialog
inline const QString EdtOutDir = u"EdtOutDir"_s;
inline const QString Button3 = u"Button3"_s;
inline const QString Label2 = u"Label2"_s;
inline const QString RbOverwrite = u"RbOverwrite"_s;
inline const QString RbAsk = u"RbAsk"_s;
inline const QString RbSkip = u"RbSkip"_s;
inline const QString RbRename = u"RbRename"_s;
inline const QString ChkSkipIdentical = u"ChkSkipIdentical"_s;
inline const QString Panel2 = u"Panel2"_s;
// Move or copy.
inline const QString GroupBox2 = u"GroupBox2"_s;
inline const QString RbMove = u"RbMove"_s;
inline const QString RbCopy = u"RbCopy"_s;
// The progress and the buttons that start, stop, preview, undo and list runs.
inline const QString GroupBox4 = u"GroupBox4"_s;
inline const QString ProgressBar1 = u"ProgressBar1"_s;
inline const QString LblProgress = u"LblProgress"_s;
inline const QString Panel1 = u"Panel1"_s;
inline const QString BtnPreview = u"BtnPreview"_s;
inline const QString BtnCopy = u"BtnCopy"_s;
inline const QString BtnStop = u"BtnStop"_s;
inline const QString BtnUndo = u"BtnUndo"_s;
inline const QString BtnHistory = u"BtnHistory"_s;
inline const QString BtnAout = u"BtnAout"_s;

// The folder picker.
inline const QString TForm3 = u"TForm3"_s;
inline const QString ShellTreeView1 = u"ShellTreeView1"_s;
inline const QString EdtPickerPath = u"EdtPickerPath"_s;
inline const QString BtnPlaceHome = u"BtnPlaceHome"_s;
inline const QString ChkOtHidden = u"ChkOtHidden"_s;
inline const QString CheckBox1 = u"CheckBox1"_s;
inline const QString CheckBox2 = u"CheckBox2"_s;
inline const QString ComboBox1 = u"ComboBox1"_s;
inline const QString BitBtn1 = u"BitBtn1"_s;
inline const QString BitBtn2 = u"BitBtn2"_s;

// The type-entry dialog.
inline const QString TfrmSuffix = u"TfrmSuffix"_s;
inline const QString Edit1 = u"Edit1"_s;

// The About window.
inline const QString TfrmAbout = u"TfrmAbout"_s;
inline const QString WebBrowser1 = u"WebBrowser1"_s;

// The preview of a run.
inline const QString TfrmPreview = u"TfrmPreview"_s;
inline const QString LblPlanSummary = u"LblPlanSummary"_s;
inline const QString CmbPlanFilter = u"CmbPlanFilter"_s;
inline const QString GridPlan = u"GridPlan"_s;
inline const QString BtnPlanRun = u"BtnPlanRun"_s;
inline const QString BtnPlanClose = u"BtnPlanClose"_s;

// The history of runs.
inline const QString TfrmHistory = u"TfrmHistory"_s;
inline const QString GridRuns = u"GridRuns"_s;
inline const QString BtnUndoRun = u"BtnUndoRun"_s;
inline const QString BtnHistoryClose = u"BtnHistoryClose"_s;

// The buttons of the same-name question and of the completion box.
inline const QString BtnYesToAll = u"BtnYesToAll"_s;
inline const QString BtnNoToAll = u"BtnNoToAll"_s;
inline const QString BtnOpenOutDir = u"BtnOpenOutDir"_s;

// Parts that Qt itself names: the tab bar of the pages and the file dialog's button that makes a folder.
inline const QString TabBar = u"qt_tabwidget_tabbar"_s;
inline const QString NewFolderButton = u"newFolderButton"_s;

// Every control that each window is described with.
inline const QStringList InMainWindow = {
    GroupBox1,        ListBox1,       LblFileCount,   Button1,      Button5,          Button2,      Button6,
    BtnSaveFileList,  BtnImpFileList, PageControl1,   TabSheet6,    Panel8,           Label10,      Image3,
    LblKeys,          EdtKeys,        TabSheet1,      Panel3,       Label4,           Image2,       ChkFileNamePart,
    EdtPartNameBegin, Label11,        EdtPartNameEnd, Label12,      Image4,           EdtFilter,    ChkOnlyMatchDir,
    TabSheet2,        Panel5,         Label3,         Image1,       TabSheet3,        Panel4,       Label5,
    Label6,           CmbCondition,   EdtSize,        CmbUnit,      TabSheet5,        Panel7,       RbCreateTime,
    RbModifyTime,     CmbFileDate,    DtDate,         DtTime,       TabSheet4,        Panel6,       Label7,
    RbPicW,           RbPicH,         CmbPic,         EdtPic,       Label8,           GroupBox5,    lblOption,
    PnlOption,        ChkInclude,     ChkExclude,     ListBox2,     BtnAddSuffix,     BtnDelSuffix, PnlOption2,
    Label9,           ChkLstPic,      GroupBox3,      Label1,       EdtOutDir,        Button3,      Label2,
    RbOverwrite,      RbAsk,          RbSkip,         RbRename,     ChkSkipIdentical, Panel2,       GroupBox2,
    RbMove,           RbCopy,         GroupBox4,      ProgressBar1, LblProgress,      Panel1,       BtnPreview,
    BtnCopy,          BtnStop,        BtnUndo,        BtnHistory,   BtnAout,          LblPreset,    CmbPreset,
    BtnSavePreset,    BtnDeletePreset};
inline const QStringList InFolderPicker = {ShellTreeView1, ChkOtHidden, CheckBox1, CheckBox2,
                                           ComboBox1,      Label1,      BitBtn1,   BitBtn2};
inline const QStringList InTypeEntryDialog = {Label1, Edit1, Button1};
inline const QStringList InAboutWindow = {WebBrowser1, Button1};
} // namespace Control

// The control called name inside window, found as a tool outside the program would find it: by its object name.
// A missing control ends the test run, as no check could go on without it.
template <typename Widget = QWidget> Widget* FindControl(const QObject& window, const QString& name) {
    Widget* found = window.findChild<Widget*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}
