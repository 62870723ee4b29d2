#include "settings/registry_win.h"

#include <windows.h>

#include <cwchar>

static_assert(REGISTRY_OK == ERROR_SUCCESS && REGISTRY_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND &&
              REGISTRY_ACCESS_DENIED == ERROR_ACCESS_DENIED && REGISTRY_INVALID_HANDLE == ERROR_INVALID_HANDLE &&
              REGISTRY_MORE_DATA == ERROR_MORE_DATA);
static_assert(REGISTRY_TYPE_NONE == REG_NONE && REGISTRY_TYPE_SZ == REG_SZ && REGISTRY_TYPE_BINARY == REG_BINARY &&
              REGISTRY_TYPE_DWORD == REG_DWORD);

namespace {

REGSAM samOf(RegistryAccess access)
{
    switch (access) {
    case ACCESS_READ:
        return KEY_READ;
    case ACCESS_SET_VALUE:
        return KEY_SET_VALUE;
    case ACCESS_ALL:
        break;
    }
    return KEY_ALL_ACCESS;
}

HKEY hkeyOf(RegistryKey key)
{
    return static_cast<HKEY>(key);
}

}  // namespace

RegistryStatus Win32Registry::openKey(const char* path, RegistryAccess access, RegistryKey* key)
{
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, samOf(access), &opened);
    *key = status == ERROR_SUCCESS ? opened : nullptr;
    return status;
}

RegistryStatus Win32Registry::createKey(const char* path, RegistryAccess access, RegistryKey* key)
{
    HKEY opened = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, samOf(access), nullptr, &opened, nullptr);
    *key = status == ERROR_SUCCESS ? opened : nullptr;
    return status;
}

RegistryStatus Win32Registry::closeKey(RegistryKey key)
{
    return RegCloseKey(hkeyOf(key));
}

RegistryStatus Win32Registry::queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                                         std::uint32_t* size)
{
    DWORD valueType = REG_NONE;
    DWORD byteCount = size ? *size : 0;
    LONG status = RegQueryValueExA(hkeyOf(key), name, nullptr, &valueType, static_cast<BYTE*>(data),
                                   size ? &byteCount : nullptr);
    if (type)
        *type = valueType;
    if (size)
        *size = byteCount;
    return status;
}

RegistryStatus Win32Registry::setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                                       std::uint32_t size)
{
    return RegSetValueExA(hkeyOf(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

RegistryStatus Win32Registry::setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text)
{
    DWORD size = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(hkeyOf(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
}

RegistryStatus Win32Registry::deleteValue(RegistryKey key, const char* name)
{
    return RegDeleteValueA(hkeyOf(key), name);
}

// The ANSI functions give texts in the system's ANSI code page.
bool Win32Registry::isLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}
