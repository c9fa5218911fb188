#include "platform/narrow_names.h"

#include <cstring>
#include <cwchar>

namespace {

// UTF-8 takes no best-fit flag, and has no best fit to avoid.
DWORD NoBestFit()
{
    return GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

// Converts the first length characters of wide, or fewer until they fit;
// returns how many were converted.
int NarrowPrefix(const wchar_t* wide, int length, char* narrow, int size)
{
    DWORD flags = NoBestFit();
    while (length > 0) {
        int bytes =
            WideCharToMultiByte(CP_ACP, flags, wide, length, narrow, size - 1, nullptr, nullptr);
        if (bytes > 0) {
            narrow[bytes] = '\0';
            return length;
        }
        // A surrogate pair is one character: it is kept or dropped whole.
        --length;
        if (length > 0 && IS_HIGH_SURROGATE(wide[length - 1]))
            --length;
    }
    narrow[0] = '\0';
    return 0;
}

// What the narrow API makes of narrow: the first count characters of wide?
bool ConvertsBack(const char* narrow, const wchar_t* wide, int count)
{
    wchar_t back[MAX_PATH + 1] = {};
    int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow, -1, back, MAX_PATH + 1);
    return length == count + 1 && wmemcmp(back, wide, static_cast<size_t>(count)) == 0;
}

} // namespace

NarrowForm ToNarrowName(const wchar_t* wide, char* narrow, int size)
{
    int length = lstrlenW(wide);
    int converted = NarrowPrefix(wide, length, narrow, size);
    if (!ConvertsBack(narrow, wide, converted))
        return kNarrowInexact;
    return converted < length ? kNarrowTooLong : kNarrowExact;
}

NarrowForm TakeNarrowPath(const wchar_t* wide, char* path, int size)
{
    char narrow[MAX_PATH] = {};
    NarrowForm form = ToNarrowName(wide, narrow, size < MAX_PATH ? size : MAX_PATH);
    if (form == kNarrowExact)
        memcpy(path, narrow, strlen(narrow) + 1);
    return form;
}
