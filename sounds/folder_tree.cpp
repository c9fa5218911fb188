#include "sounds/folder_tree.h"

#include <cstdarg>
#include <cstdio>

#include "sounds/copy_status.h"
#include "sounds/sound_categories.h"
#include "model/session_state.h"
#include "platform/file_ops.h"
#include "platform/trace.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

// The random pages own one folder whatever the key; an animal page owns the
// folder of the animal whose key is current.
const SoundCategory* CategoryBeingPrepared()
{
    if (g_Session.CopyTabIndex >= kCopyPages)
        return nullptr;
    int page = static_cast<int>(g_Session.CopyTabIndex);
    if (page < kSenseSpecPage)
        return FirstCategoryOfPage(page);
    return FindCategory(page, g_Session.CurrentCategory);
}

} // namespace

bool FormatPath(char* buffer, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = vsnprintf(buffer, static_cast<size_t>(size), format, args);
    va_end(args);
    return length >= 0 && length < size;
}

int CreateCategoryFolder()
{
    const SoundCategory* category = CategoryBeingPrepared();
    if (!category)
        return -1;
    char path[kPathSize] = {};
    if (!FormatPath(path, sizeof path, "%s\\%s", g_Session.SaveDir, category->TargetFolder))
        return -1;
    Trace("<NewFolder>%s\n", path);

    int code = CreateFolderTree(path);
    int result = -1;
    int message = kMsgCreateFailed;
    if (code == 0) {
        result = 0;
        message = kMsgDirectoryCreated;
    } else if (code == ERROR_ALREADY_EXISTS && IsFolder(path)) {
        // "Already exists" also answers for a file of that name, which
        // cannot take the category's files.
        result = 1;
        message = kMsgDirectoryExisted;
    } else {
        Trace(kCreateFolderFailTrace, code);
    }
    char status[kStatusTextSize] = {};
    snprintf(status, sizeof status, "%s%s", path, TextPair(MessageTable, message));
    ShowCopyStatus(status);
    return result;
}
