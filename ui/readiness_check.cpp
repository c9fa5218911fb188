#include "ui/readiness_check.h"

#include <process.h>

#include <cstdio>
#include <cstring>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/message_pump.h"
#include "texts/interface_texts.h"

namespace {

unsigned __stdcall CheckOnItsThread(void* context)
{
    ReadinessCheck* check = static_cast<ReadinessCheck*>(context);
    check->Result = CheckCardReadiness(check->SaveDir, check->Config);
    return 0;
}

} // namespace

void StartReadinessCheck(ReadinessCheck* check, const char* saveDir, const BroadcastConfig& config)
{
    snprintf(check->SaveDir, sizeof check->SaveDir, "%s", saveDir);
    check->Config = config;
    check->Result = {};
    check->Thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CheckOnItsThread, check, 0, nullptr));
}

void ShowReadinessWhenChecked(HWND dialog, ReadinessCheck* check, const char* shown)
{
    int quitCode = 0;
    bool quit = false;
    if (check->Thread) {
        quit = PumpMessagesUntil(check->Thread, dialog, &quitCode);
        CloseHandle(check->Thread);
        check->Thread = nullptr;
    } else {
        CheckOnItsThread(check); // no thread to be had: the window waits for the card
    }
    HWND statusLine = g_Session.ControlMap.StatusLine;
    char now[kStatusTextSize] = {};
    char line[kStatusTextSize] = {};
    GetControlText(statusLine, now, sizeof now);
    if (strcmp(now, shown) == 0 && ComposeNotReadyLine(check->Result, line, sizeof line))
        SetControlText(statusLine, line);
    if (quit)
        PostQuitMessage(quitCode);
}
