#include <windows.h>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/shell_dialogs.h"
#include "resources/resource.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_Session.InstanceHandle = instance;
    // Without COM the program still runs; the folder browser then does
    // what it can.
    bool apartment = EnterShellApartment();
    int result = RunModalDialog(instance, IDD_MAIN_DIALOG, MainDialogProc);
    if (apartment)
        LeaveShellApartment();
    return result;
}
