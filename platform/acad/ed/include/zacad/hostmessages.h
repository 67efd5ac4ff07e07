// The host's own texts (its prompts, echoes and messages) in the host's language: French or
// English. Applications bring their own texts; these are only the host's.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "windef.h"
#include "zacad/edexport.h"

namespace zacad {

enum class Msg {
  kCommandPrompt,
  kUnknownCommand,  // %1 the name
  kCancel,
  kInputEnded,
  kNotTransparent,
  kDocumentLocked,
  kSelectObjects,
  kRemoveObjects,
  kFirstCorner,
  kOppositeCorner,
  kFound,         // %1 how many
  kRemovedTotal,  // %1 removed, %2 total
  kDuplicates,    // %1 how many
  kTotal,         // %1 total
  kInvalidSelection,
  kSelectionUndone,
  kSecondPoint,
  kInvalidPoint,
  kNeedDistanceOrTwoPoints,
  kNeedDistanceOrSecondPoint,
  kNeedAngleOrSecondPoint,
  kNeedInteger,
  kNeedReal,
  kInvalidKeyword,
  kPositiveNonzero,
  kNonzero,
  kPositive,
  kNoDrawing,
  kYesNoKeywords,  // for acedInitGet: local names, then the global ones
  kChangedOnDisk,  // %1 the file
  kNotSaved,
  kCannotSave,  // %1 the file, %2 why
  kCannotOpen,  // %1 why
  kOpenPrompt,
  kSaveAsPrompt,  // %1 the current name
  kReplacePrompt,
  kSaveChangesPrompt,  // %1 the file
  kNothingToUndo,
  kEverythingUndone,
  kUndoPrompt,
  kNeedPositiveOrBack,
  // Dialogs shown on the command line.
  kDialogCaption,  // %1 the caption
  kDialogAnswer,
  kDialogHelp,
  kNoControl,  // %1 the answer
  kDisabled,   // %1 the answer
  kPictureButton,
  kOwnerDrawnButton,
  kRadioButton,
  kCheckBox,
  kGroup,
  kPushButton,
  kEditBox,
  kText,
  kListBox,
  kPressed,
  kReleased,
  kChecked,
  kIndeterminate,
  kUnchecked,
  kDefault,
  kDisabledState,
};

// The host's language: French when the user's locale (LC_ALL, LC_MESSAGES or LANG, the first
// set) is French, English otherwise, as a program on this system follows the user's locale.
ZACAD_ED_API LANGID HostLanguage();
// Sets it for the rest of the session (0 goes back to the user's locale).
ZACAD_ED_API void SetHostLanguage(LANGID language);

// The text in the host's language, with %1, %2, ... replaced by `args`.
ZACAD_ED_API std::u16string Message(Msg id, std::initializer_list<std::u16string_view> args = {});

}  // namespace zacad
