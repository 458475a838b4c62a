#include "ui/MainWindowControls.h"

#include "ui_MainWindow.h"

MainWindowControls NamedControls(const Ui::MainWindow& form) {
    return {
        .choices =
            {
                .pages = *form.PageControl1,
                .keywords = *form.EdtKeys,
                .nameRange = *form.ChkFileNamePart,
                .rangeBegin = *form.EdtPartNameBegin,
                .rangeEnd = *form.EdtPartNameEnd,
                .ignoredCharacters = *form.EdtFilter,
                .onlyExistingFolders = *form.ChkOnlyMatchDir,
                .sizeCondition = *form.CmbCondition,
                .size = *form.EdtSize,
                .sizeUnit = *form.CmbUnit,
                .creationTime = *form.RbCreateTime,
                .modificationTime = *form.RbModifyTime,
                .takenTime = *form.RbTakenTime,
                .dateCondition = *form.CmbFileDate,
                .date = *form.DtDate,
                .time = *form.DtTime,
                .pictureWidth = *form.RbPicW,
                .pictureHeight = *form.RbPicH,
                .pixelCondition = *form.CmbPic,
                .pixels = *form.EdtPic,
                .datePattern = *form.CmbDatePattern,
                .folderTaken = *form.RbFolderTaken,
                .folderModified = *form.RbFolderModify,
                .folderCreated = *form.RbFolderCreate,
                .includeTypes = *form.ChkInclude,
                .excludeTypes = *form.ChkExclude,
                .typeList = *form.ListBox2,
                .pictureTypes = *form.ChkLstPic,
                .outputFolder = *form.EdtOutDir,
                .overwrite = *form.RbOverwrite,
                .ask = *form.RbAsk,
                .skip = *form.RbSkip,
                .autoNumber = *form.RbRename,
                .skipIdentical = *form.ChkSkipIdentical,
                .moveFiles = *form.RbMove,
                .copyFiles = *form.RbCopy,
            },
        .presets =
            {
                .name = *form.CmbPreset,
                .save = *form.BtnSavePreset,
                .remove = *form.BtnDeletePreset,
            },
        .fileList =
            {
                .list = *form.ListBox1,
                .addFiles = *form.Button1,
                .scanFolder = *form.Button5,
                .removeFile = *form.Button2,
                .clearList = *form.Button6,
                .exportList = *form.BtnSaveFileList,
                .importList = *form.BtnImpFileList,
                .fileCount = *form.LblFileCount,
            },
        .run =
            {
                .start = *form.BtnCopy,
                .stop = *form.BtnStop,
                .preview = *form.BtnPreview,
                .undoLastRun = *form.BtnUndo,
                .history = *form.BtnHistory,
                .chooseOutputFolder = *form.Button3,
                .progressBar = *form.ProgressBar1,
                .progressFile = *form.LblProgress,
            },
        .pageOptions =
            {
                .sortMethod = *form.lblOption,
                .typeFilterPanel = *form.PnlOption,
                .pictureTypePanel = *form.PnlOption2,
                .addType = *form.BtnAddSuffix,
                .removeType = *form.BtnDelSuffix,
            },
    };
}
