#include "ui/readable_texts.h"

#include "model/session_state.h"
#include "platform/control_fonts.h"
#include "platform/text_room.h"
#include "platform/text_tips.h"
#include "texts/shown_language.h"

namespace {

// The Chinese window was laid out for its texts: its tips stay empty.
bool TipOfCutText(HWND control, char* text, int size)
{
    return g_Session.LanguageIndex == kEnglish && ControlCutsText(control, text, size);
}

} // namespace

void ShowCutTextTips(HWND dialog)
{
    ShowTextTips(dialog, TipOfCutText);
}

void FitTextsToLanguage(HWND dialog)
{
    SetControlsFont(dialog, g_Session.LanguageIndex == kChinese);
    FitDroppedWidths(dialog);
}

void ReleaseReadableTexts(HWND dialog)
{
    StopTextTips(dialog);
    ReleaseControlsFont();
}
