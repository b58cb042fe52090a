#pragma once

#include <QString>

// Program-wide interface texts and web addresses, filled once at start by InitInterfaceText and
// only read afterwards.
namespace tiv {

enum Language { LangSimplifiedChinese = 0, LangTraditionalChinese = 1, LangEnglish = 2 };

// Texts in three languages.
extern QString TxtFolderSelect, TxtCurrentPath, TxtPleaseSelectPath, TxtPleaseEnterFolder,
    TxtFolderName, TxtChangeFileName, TxtName, TxtNewFolder, TxtInvalidFolderName, TxtDiskMissing,
    TxtSelectOneFile, TxtCurrentFile, TxtFileRecovery, TxtAbout, TxtRightClickMore,
    TxtTypeFolderNameHint, TxtSelectFiles, TxtAutoSavedAs, TxtConfirmDelete, TxtReminder, TxtLinks,
    TxtPathMissing, TxtConfirmDeleteFolder, TxtRenameFile, TxtIllegalPath, TxtSaveFailed,
    TxtRightClickHint, TxtConfirmExit;

// Main-window texts, Simplified Chinese only.
extern QString TxtAppTitle, TxtDontShowAgain, TxtPicturePreview, TxtDiskInserted, TxtDiskRemoved,
    TxtAutoSavedPicture, TxtCopying, TxtCopyDone, TxtSelectListPicture, TxtEditFormatsOnly,
    TxtPictureInfo, TxtHotkeyConflict, TxtEnterPictureName, TxtEnterPicturePath, TxtNoPictures,
    TxtSelectPictures, TxtSavedPicture, TxtTipRegionCapture, TxtTipCustomCapture,
    TxtTipPictureType, TxtTipDeletePicture, TxtTipSelectFolder, TxtRegionCaptureHelp,
    TxtRegionCaptureButtonHint, TxtChooseOneButton, TxtWatermarkSettings, TxtContinuousCapture,
    TxtSmartTip, TxtAutoToClipboard, TxtAutoSaveToFolder, TxtStartWithWindows, TxtAddText,
    TxtSetFont, TxtAddLine, TxtAddSingleArrow, TxtAddDoubleArrow, TxtAddCircle, TxtAddRoundRect,
    TxtAddRectangle, TxtSetPictureSize, TxtRestorePrevious, TxtRestoreNext, TxtZoomIn, TxtZoomOut,
    TxtActualSize, TxtBestFit, TxtSmartTip2;
// Why a save failed, and a settings file left alone.
extern QString TxtSaveFailedDiskFull, TxtSaveFailedNoPermission, TxtSettingsUnreadable;

extern QString ServerBaseA, ServerBaseB, ServerBaseC;
extern QString UrlAnnounceNow, UrlAnnounceNext, UrlSoftList, UrlProductPage, UrlHelpDemo;

// The announcement server's base address: the build's constant unless TIVREVUDU_SERVER names another.
QString AnnouncementServerBase();

void InitInterfaceText();
void SelectLanguage(int language);
void FillMainTexts();
QString PickServerBase();

// Fills a "%s"/"%d" pattern in order, as the readers of these texts do.
QString FormatText(const QString &pattern, std::initializer_list<QString> values);

}  // namespace tiv
