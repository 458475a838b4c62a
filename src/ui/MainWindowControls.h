#pragma once

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;
class QWidget;
namespace Ui {
class MainWindow;
}

// The main window's controls by what they are, for the code that reads and changes them. The form design names them
// by their object names (in the comments), which tools outside the program find them by.

// The choices of a sort: what the run reads and the settings file keeps.
struct SortChoiceControls {
    QTabWidget& pages;              // PageControl1: the criterion page
    QLineEdit& keywords;            // EdtKeys
    QCheckBox& nameRange;           // ChkFileNamePart: only a range of each name counts
    QLineEdit& rangeBegin;          // EdtPartNameBegin
    QLineEdit& rangeEnd;            // EdtPartNameEnd
    QLineEdit& ignoredCharacters;   // EdtFilter
    QCheckBox& onlyExistingFolders; // ChkOnlyMatchDir
    QComboBox& sizeCondition;       // CmbCondition
    QLineEdit& size;                // EdtSize
    QComboBox& sizeUnit;            // CmbUnit
    QRadioButton& creationTime;     // RbCreateTime
    QRadioButton& modificationTime; // RbModifyTime
    QRadioButton& takenTime;        // RbTakenTime
    QComboBox& dateCondition;       // CmbFileDate
    QDateEdit& date;                // DtDate
    QTimeEdit& time;                // DtTime
    QRadioButton& pictureWidth;     // RbPicW
    QRadioButton& pictureHeight;    // RbPicH
    QComboBox& pixelCondition;      // CmbPic
    QLineEdit& pixels;              // EdtPic
    QComboBox& datePattern;         // CmbDatePattern: editable
    QRadioButton& folderTaken;      // RbFolderTaken
    QRadioButton& folderModified;   // RbFolderModify
    QRadioButton& folderCreated;    // RbFolderCreate
    QCheckBox& includeTypes;        // ChkInclude
    QCheckBox& excludeTypes;        // ChkExclude
    QListWidget& typeList;          // ListBox2
    QListWidget& pictureTypes;      // ChkLstPic
    QLineEdit& outputFolder;        // EdtOutDir
    QRadioButton& overwrite;        // RbOverwrite
    QRadioButton& ask;              // RbAsk
    QRadioButton& skip;             // RbSkip
    QRadioButton& autoNumber;       // RbRename
    QCheckBox& skipIdentical;       // ChkSkipIdentical
    QRadioButton& moveFiles;        // RbMove
    QRadioButton& copyFiles;        // RbCopy
};

// The file list and the buttons beside it.
struct FileListControls {
    QListView& list;         // ListBox1
    QPushButton& addFiles;   // Button1
    QPushButton& scanFolder; // Button5
    QPushButton& removeFile; // Button2
    QPushButton& clearList;  // Button6
    QPushButton& exportList; // BtnSaveFileList
    QPushButton& importList; // BtnImpFileList
    QLabel& fileCount;       // LblFileCount
};

// What starts, stops and shows a run.
struct RunControls {
    QPushButton& start;              // BtnCopy
    QPushButton& stop;               // BtnStop
    QPushButton& preview;            // BtnPreview
    QPushButton& undoLastRun;        // BtnUndo
    QPushButton& history;            // BtnHistory
    QPushButton& chooseOutputFolder; // Button3
    QProgressBar& progressBar;       // ProgressBar1
    QLabel& progressFile;            // LblProgress: the file the run is at; after a folder scan, what it added
};

// The options under the pages, which follow the page and the filter mode.
struct PageOptionControls {
    QLabel& sortMethod;        // lblOption: the page, named
    QWidget& typeFilterPanel;  // PnlOption: the type filter, on every page but the image page
    QWidget& pictureTypePanel; // PnlOption2: the picture types, on the image page
    QPushButton& addType;      // BtnAddSuffix
    QPushButton& removeType;   // BtnDelSuffix
};

// The saved sorts' row above the pages.
struct PresetControls {
    QComboBox& name;     // CmbPreset: editable, the saved sorts as its items
    QPushButton& save;   // BtnSavePreset
    QPushButton& remove; // BtnDeletePreset
};

struct MainWindowControls {
    SortChoiceControls choices;
    PresetControls presets;
    FileListControls fileList;
    RunControls run;
    PageOptionControls pageOptions;
};

// The controls of the main window's form, once it is set up.
MainWindowControls NamedControls(const Ui::MainWindow& form);
