#include "platform/code_page_text.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

int WideFromCodePage(UINT codePage, const char* text, wchar_t* wide, int count)
{
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, wide, count);
}

int NarrowFromCodePage(UINT codePage, const char* text, char* narrow, int size)
{
    if (narrow && size > 0)
        narrow[0] = '\0';
    int count = WideFromCodePage(codePage, text, nullptr, 0);
    if (count == 0)
        return 0;
    // The text, and what the narrow API makes of its narrow form.
    std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[2 * count]);
    if (!wide || WideFromCodePage(codePage, text, wide.get(), count) != count)
        return 0;
    // UTF-8 takes no best-fit flag, and has no best fit to avoid.
    DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int bytes = WideCharToMultiByte(CP_ACP, flags, wide.get(), count, nullptr, 0, nullptr, nullptr);
    std::unique_ptr<char[]> converted(new (std::nothrow) char[bytes > 0 ? bytes : 1]);
    wchar_t* back = wide.get() + count;
    bool exact = bytes > 0 && converted &&
                 WideCharToMultiByte(CP_ACP, flags, wide.get(), count, converted.get(), bytes,
                                     nullptr, nullptr) == bytes &&
                 MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, converted.get(), bytes, back,
                                     count) == count &&
                 wmemcmp(back, wide.get(), static_cast<size_t>(count)) == 0;
    if (!exact || (narrow && bytes > size))
        return 0;
    if (narrow)
        memcpy(narrow, converted.get(), static_cast<size_t>(bytes));
    return bytes;
}
