#include "texts/language_choice.h"

#include <cstring>

#include "platform/user_registry.h"
#include "texts/shown_language.h"

namespace {

const char kSettingsKey[] = "Software\\Audio Playback Settings";
const char kLanguageValue[] = "Language";

// The value of each language, by LanguageIndex.
const char* const kLanguageCodes[] = {"zh-CN", "en"};

} // namespace

Language RememberedLanguage()
{
    char code[16];
    if (ReadUserText(kSettingsKey, kLanguageValue, code, sizeof code) &&
        strcmp(code, kLanguageCodes[kChinese]) == 0)
        return kChinese;
    return kEnglish;
}

void RememberLanguage(Language language)
{
    WriteUserText(kSettingsKey, kLanguageValue, kLanguageCodes[language]);
}
