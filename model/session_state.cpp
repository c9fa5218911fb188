#include "model/session_state.h"

SessionState StartSessionState()
{
    SessionState state = {};
    state.FirstInit = 1;
    state.SaveDir[0] = 'C';
    state.SaveDir[1] = ':';
    state.SaveDir[2] = '\\';
    state.Config = DefaultBroadcastConfig();
    state.LanguageIndex = kEnglish;
    return state;
}

SessionState g_Session = StartSessionState();
