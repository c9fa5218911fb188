#include "sounds/copy_status.h"

#include <cstdio>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "texts/interface_texts.h"

namespace {

char g_LastCopyStatus[kStatusTextSize] = {};

} // namespace

void ShowCopyStatus(const char* text)
{
    snprintf(g_LastCopyStatus, sizeof g_LastCopyStatus, "%s", text);
    SetControlText(g_Session.ControlMap.StatusLine, text);
}

const char* LastCopyStatus()
{
    return g_LastCopyStatus;
}
