#include <windows.h>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "ui/control_ids.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_Session.InstanceHandle = instance;
    return RunModalDialog(instance, kMainDialogId, MainDialogProc);
}
