#include "ui/interface_texts.h"

#include "model/session_state.h"

const char* const MessageTable[kMessageRows] = {};
const char* const LabelTable[kLabelRows] = {};
const char* const TitleTable[kTitleRows] = {};
const char kCopyTrace[] = "\xb8\xb4\xd6\xc6:\n";
const char kCreateFolderFailTrace[] = "";

const char* TextPair(const char* const* table, int pair) { return table[pair + g_Session.LanguageIndex] ? table[pair + g_Session.LanguageIndex] : ""; }
const char* ListItem(ItemList list, int index) { return LabelTable[list.first + list.count * g_Session.LanguageIndex + index]; }
const char* DelayItemFormat() { return "%d Sec"; }
void ApplyInterfaceTexts(HWND) {}
