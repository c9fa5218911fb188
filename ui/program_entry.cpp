#include <windows.h>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "resources/resource.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_Session.InstanceHandle = instance;
    return RunModalDialog(instance, IDD_MAIN_DIALOG, MainDialogProc);
}
