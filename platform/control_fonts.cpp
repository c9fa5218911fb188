#include "platform/control_fonts.h"

namespace {

// The first one installed is taken. The dialog's own font would draw Chinese
// through font linking, which on a Western Windows may take a Japanese font
// for the characters the two scripts share and another for the rest.
const char* const kChineseFaces[] = {"Microsoft YaHei UI", "SimSun"};

HFONT g_ChineseFont = nullptr;

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool FaceInstalled(const char* face)
{
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    if (screen) {
        EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
    }
    return found;
}

// A font of model's size, weight and quality in the first Chinese face
// installed; null where none is.
HFONT CreateChineseFontLike(HFONT model)
{
    LOGFONTA font = {};
    if (!model || GetObjectA(model, sizeof font, &font) != sizeof font)
        return nullptr;
    for (const char* face : kChineseFaces) {
        if (!FaceInstalled(face))
            continue;
        lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
        font.lfCharSet = GB2312_CHARSET;
        return CreateFontIndirectA(&font);
    }
    return nullptr;
}

} // namespace

void SetControlsFont(HWND window, bool chinese)
{
    HFONT own = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HFONT previous = g_ChineseFont;
    g_ChineseFont = chinese ? CreateChineseFontLike(own) : nullptr;
    HFONT font = g_ChineseFont ? g_ChineseFont : own;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) != font)
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (previous) // no control uses it now
        DeleteObject(previous);
}

void ReleaseControlsFont()
{
    if (g_ChineseFont)
        DeleteObject(g_ChineseFont);
    g_ChineseFont = nullptr;
}
