#include "ui/language_switch.h"

#include <cstring>

#include "model/session_state.h"
#include "platform/code_page_text.h"
#include "platform/dialog_ops.h"
#include "platform/system_menu.h"
#include "resources/resource.h"
#include "texts/interface_texts.h"
#include "texts/language_choice.h"
#include "texts/shown_language.h"
#include "ui/apply_texts.h"
#include "ui/copy_command.h"
#include "ui/readable_texts.h"
#include "ui/setting_binding.h"

namespace {

struct LanguageItem {
    UINT Command;
    ::Language Language;
};

// In the order of the menu.
const LanguageItem kLanguageItems[] = {
    {IDM_LANGUAGE_ENGLISH, kEnglish},
    {IDM_LANGUAGE_CHINESE, kChinese},
};

// Compared before the language changes: the idle text of the language left.
bool StatusLineIdle()
{
    char status[kStatusTextSize];
    GetControlText(g_Session.ControlMap.StatusLine, status, sizeof status);
    return strcmp(status, TextPair(LabelTable, kLabelStatusIdle)) == 0;
}

// Texts only: every combo is filled anew and selects what the record holds,
// as before, raising no selection change; no rule runs, no byte changes. The
// window paints once, at the end.
void SwitchLanguage(HWND dialog, Language language)
{
    RememberLanguage(language);
    bool statusIdle = StatusLineIdle();
    if (!ShowLanguage(language)) {
        SetControlText(g_Session.ControlMap.StatusLine,
                       TextPair(MessageTable, kMsgChineseUnshowable));
        return;
    }
    HoldWindowPainting(dialog, true);
    ApplyLanguageTexts(dialog, statusIdle);
    BindSettingControls(dialog);
    FitTextsToLanguage(dialog);
    HoldWindowPainting(dialog, false);
}

} // namespace

void StartInRememberedLanguage()
{
    ShowLanguage(RememberedLanguage());
}

void AddLanguageItems(HWND dialog)
{
    if (!AppendSystemMenuSeparator(dialog))
        return;
    for (const LanguageItem& item : kLanguageItems) {
        wchar_t name[32];
        if (WideFromCodePage(kTextCodePage, LanguageName(item.Language), name, 32) > 0)
            AppendSystemMenuItem(dialog, item.Command, name);
    }
    UpdateLanguageItems(dialog);
}

void UpdateLanguageItems(HWND dialog)
{
    for (const LanguageItem& item : kLanguageItems)
        SetSystemMenuItem(dialog, item.Command, item.Language == g_Session.LanguageIndex,
                          !IsCopyRunning());
}

bool OnLanguageCommand(HWND dialog, UINT command)
{
    for (const LanguageItem& item : kLanguageItems) {
        if (item.Command != command)
            continue;
        if (!IsCopyRunning() && item.Language != g_Session.LanguageIndex) {
            SwitchLanguage(dialog, item.Language);
            UpdateLanguageItems(dialog);
        }
        return true;
    }
    return false;
}
