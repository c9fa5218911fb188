#include "sounds/source_folder.h"

#include <cstdio>

#include "sounds/sound_categories.h"
#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/shell_dialogs.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

// The category's announcement followed directly by its source folder.
void ComposeSourceStatus(const SoundCategory& category, char* status, int size)
{
    const char* path = CategorySlot(category);
    switch (category.MessageForm) {
        case kMessageThenPath: {
            snprintf(status, static_cast<size_t>(size), "%s%s",
                     TextPair(MessageTable, category.MessagePair), path);
            break;
        }
        case kMessageAnimalLabelThenPath: {
            snprintf(status, static_cast<size_t>(size), "%s%s%s%s",
                     TextPair(MessageTable, category.MessagePair),
                     AnimalLabel(category.AnimalIndex), TextPair(MessageTable, kMsgSelectedClose),
                     path);
            break;
        }
    }
}

int RefuseFolder(MessagePair reason)
{
    SetControlText(g_Session.ControlMap.StatusLine, TextPair(MessageTable, reason));
    return -1;
}

} // namespace

int ChooseFolder(char* destination, HWND display)
{
    if (!destination)
        return -1;
    // The browser belongs to the tool's window, whichever is in front: the
    // window is disabled while it is open, so no command runs inside it.
    HWND owner = GetAncestor(g_Session.ControlMap.StatusLine, GA_ROOT);
    // An item without a file-system path is no choice: the destination keeps
    // its folder rather than taking a half-converted one. A folder whose name
    // the code page cannot hold, or whose path does not fit, is refused, and
    // the user is told why.
    switch (BrowseForFolder(owner, destination, kPathSize)) {
        case kFolderChosen: {
            break;
        }
        case kFolderNameUnusable: {
            return RefuseFolder(kMsgFolderNameUnusable);
        }
        case kFolderPathTooLong: {
            return RefuseFolder(kMsgFolderPathTooLong);
        }
        default: {
            return 1;
        }
    }
    if (display)
        SetControlText(display, destination);
    return 0;
}

int SelectSourceFolder(HWND dialog, WPARAM command)
{
    const SoundCategory* category = FindCategoryByPickButton(LOWORD(command));
    if (!category)
        return 0;
    if (ChooseFolder(CategorySlot(*category), nullptr) != 0)
        return 1;
    char status[kStatusTextSize] = {};
    ComposeSourceStatus(*category, status, sizeof status);
    SetControlText(g_Session.ControlMap.StatusLine, status);
    TickButton(GetDlgItem(dialog, category->Check));
    return 1;
}
