#include "platform/user_registry.h"

#include <windows.h>

#include <cstring>

bool ReadUserText(const char* key, const char* name, char* text, int size)
{
    text[0] = '\0';
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    // One byte is kept for a zero the stored value may lack.
    DWORD bytes = static_cast<DWORD>(size - 1);
    LONG result =
        RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        text[0] = '\0';
        return false;
    }
    text[bytes] = '\0';
    return true;
}

bool WriteUserText(const char* key, const char* name, const char* text)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(created);
    return result == ERROR_SUCCESS;
}
