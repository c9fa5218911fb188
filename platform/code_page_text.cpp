#include "platform/code_page_text.h"

#include "platform/narrow_names.h"

int WideFromCodePage(UINT codePage, const char* text, wchar_t* wide, int count)
{
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, wide, count);
}

bool NarrowFromCodePage(UINT codePage, const char* text, char* narrow, int size)
{
    wchar_t wide[MAX_PATH] = {};
    narrow[0] = '\0';
    if (WideFromCodePage(codePage, text, wide, MAX_PATH) == 0)
        return false;
    if (ToNarrowName(wide, narrow, size) == kNarrowExact)
        return true;
    narrow[0] = '\0';
    return false;
}
