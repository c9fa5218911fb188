// The language the user chose, remembered for the user in the registry.
#pragma once

#include "model/session_state.h"

// The remembered language: kChinese when the value is "zh-CN"; kEnglish when
// it is "en", missing, anything else, or cannot be read.
Language RememberedLanguage();

// Remembers the user's choice; where the registry refuses it, the choice
// holds for this session only.
void RememberLanguage(Language language);
