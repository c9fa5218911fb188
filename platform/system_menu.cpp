#include "platform/system_menu.h"

UINT SystemCommandOf(WPARAM wParam)
{
    return static_cast<UINT>(wParam & 0xFFF0);
}

bool AppendSystemMenuSeparator(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    return menu && AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

// Wide text, so that an item shows its own script whatever the code page.
bool AppendSystemMenuItem(HWND window, UINT command, const wchar_t* text)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return false;
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.wID = command;
    item.dwTypeData = const_cast<wchar_t*>(text);
    return InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item) != 0;
}

void SetSystemMenuItem(HWND window, UINT command, bool checked, bool enabled)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = (checked ? MFS_CHECKED : MFS_UNCHECKED) | (enabled ? MFS_ENABLED : MFS_DISABLED);
    SetMenuItemInfoW(menu, command, FALSE, &item);
}
