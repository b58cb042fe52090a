#pragma once

#include <QString>

// The texts of the mosaic, delayed capture, pinned pictures and text recognition, Simplified
// Chinese only. Unlike the tables filled at start they are constants, so the windows of these
// features read them whenever they are made.
namespace tiv {

// Mosaic.
extern const QString TxtMosaic, TxtMosaicTip, TxtMosaicAuto, TxtMosaicBlock, TxtMosaicBlur,
    TxtMosaicNoSnapshot;

// Delayed capture.
extern const QString TxtDelayMenu, TxtDelayFull, TxtDelayWindow, TxtDelayRegion, TxtDelaySeconds,
    TxtDelayCountdown, TxtDelayCancelled, TxtDelayStart, TxtDelayTitle, TxtDelayKind, TxtDelayCancel;

// Pinned pictures.
extern const QString TxtPinMenu, TxtPinCanvas, TxtPinRegion, TxtPinCopy, TxtPinSave, TxtPinClose, TxtPinFloating,
    TxtPinActualSize, TxtPinTip, TxtPinNoPicture, TxtPinNotAbove, TxtPinCopied, TxtPinSaved,
    TxtPinToolbar;

// Text recognition.
extern const QString TxtOcrMenu, TxtOcrCanvas, TxtOcrRegion, TxtOcrToolbar, TxtOcrBusy, TxtOcrFound,
    TxtOcrNone, TxtOcrCancelled, TxtOcrMissingData, TxtOcrFailed, TxtOcrTitle, TxtOcrCopy, TxtOcrClose,
    TxtOcrNoPicture, TxtOcrLoading;

}  // namespace tiv
