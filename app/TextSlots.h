#pragma once
// The addresses of the localised texts: sections, and the slots of the
// sections that the program names directly. The "Errors" slots are the
// FatalErrorCode values; the slots of "Options" and of the "ToolTips"
// sections follow the option rows, the button actions and the slider kinds.

#include <cstdint>

namespace zarnel {

// The sections of single texts, in the order the language file is read.
enum class TextSection : int32_t {
  kColumns,
  kFilters,
  kBrowserTitles,
  kErrors,
  kOthers,
  kOptions,
  kContextMenu,
  kToolTipButtons,
  kToolTipSliders,
  kToolTipOptions,
  kToolTipSubButtons,
};
inline constexpr int32_t kTextSectionCount = 11;

enum ColumnText : int32_t {
  kColumnCd, kColumnNumber, kColumnTitle, kColumnAuthor, kColumnDisc, kColumnPath, kColumnBpm,
  kColumnComment, kColumnCount,
};

// Each filter is a list of zero-separated strings, label then pattern.
enum FilterText : int32_t {
  kFilterM3u, kFilterSave, kFilterTxt, kFilterShortcut, kFilterPlugin, kFilterPlaylist,
  kFilterSample, kFilterCount,
};

enum BrowserTitleText : int32_t {
  kTitleSavePlaylist, kTitleSaveWav, kTitleLoadShortcut, kTitleSaveShortcut, kTitleLoadWav,
  kTitleLoadPlugin, kTitleLoadPlaylist, kTitleCopyTo, kTitleMoveTo, kTitleSaveHistory,
  kBrowserTitleCount,
};

enum OtherText : int32_t {
  kOtherNoHdSelected, kOtherDupCd, kOtherScanHd, kOtherQueryClose, kOtherSecurity,
  kOtherMultiInstance, kOtherSearch, kOtherEmpty, kOtherSaveMsg, kOtherSaveMsgErr,
  kOtherSaveMsgWait, kOtherBroadcastMsg, kOtherBroadcastMsgErr, kOtherBroadcastMsgWait,
  kOtherCount,
};

enum ContextMenuText : int32_t {
  kMenuRename, kMenuEditComment, kMenuEditBpm, kMenuDelete, kMenuMoveTo, kMenuCopyTo,
  kMenuAnalyse, kMenuUnmark, kContextMenuCount,
};

inline constexpr int32_t kOptionTextCount = 49;
inline constexpr int32_t kButtonTipCount = 49;
inline constexpr int32_t kSliderTipCount = 14;
inline constexpr int32_t kOptionTipCount = 26;
inline constexpr int32_t kSubButtonTipCount = 15;

// The dialogs of the "Windows" section.
enum DialogId : int32_t {
  kDialogDefault, kDialogEditBpm, kDialogEditComment, kDialogScanHd, kDialogScanCd,
  kDialogDeleteCd, kDialogSoundConfig, kDialogSkinConfig, kDialogVisualEffects,
  kDialogShortcutConfig, kDialogShortcutEdit, kDialogEditFilename, kDialogCount,
};

// The texts of one dialog.
enum DialogText : int32_t {
  kDialogTitle, kDialogOk, kDialogCancel, kDialogLabel1, kDialogLabel2, kDialogLabel3,
  kDialogLabel4, kDialogLabel5, kDialogTextCount,
};

}  // namespace zarnel
