#pragma once
// The few registry operations the settings store needs, under the current
// user's hive. The Win32 build passes them to advapi32; the unit tests keep
// an in-memory registry behind the same calls. Statuses and value types carry
// the numbers Windows uses, so the Win32 side passes them through unchanged.
#include <cstdint>

using RegistryStatus = long;
constexpr RegistryStatus REGISTRY_OK = 0;
constexpr RegistryStatus REGISTRY_FILE_NOT_FOUND = 2;
constexpr RegistryStatus REGISTRY_ACCESS_DENIED = 5;
constexpr RegistryStatus REGISTRY_INVALID_HANDLE = 6;
constexpr RegistryStatus REGISTRY_MORE_DATA = 234;

using RegistryType = std::uint32_t;
constexpr RegistryType REGISTRY_TYPE_NONE = 0;
constexpr RegistryType REGISTRY_TYPE_SZ = 1;
constexpr RegistryType REGISTRY_TYPE_BINARY = 3;
constexpr RegistryType REGISTRY_TYPE_DWORD = 4;

enum RegistryAccess { ACCESS_ALL, ACCESS_READ, ACCESS_SET_VALUE };

// An open key; null when none is open.
using RegistryKey = void*;

struct Registry {
    virtual ~Registry() = default;

    // Opens an existing key; the path is relative to HKEY_CURRENT_USER.
    virtual RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) = 0;
    // Opens the key, creating it (and its missing parents) first if needed.
    virtual RegistryStatus createKey(const char* path, RegistryAccess access, RegistryKey* key) = 0;
    virtual RegistryStatus closeKey(RegistryKey key) = 0;

    // As RegQueryValueExA: *size holds the buffer size on entry and the
    // value's byte count on return. A value larger than the buffer fails with
    // REGISTRY_MORE_DATA (type and needed size still reported). A null data
    // pointer asks only for type and size.
    virtual RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                                      std::uint32_t* size) = 0;
    virtual RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                                    std::uint32_t size) = 0;
    // A REG_SZ value from wide text, its NUL counted (RegSetValueExW).
    virtual RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) = 0;
    virtual RegistryStatus deleteValue(RegistryKey key, const char* name) = 0;
    // Whether `byte` starts a two-byte character in the code page of the
    // ANSI texts the queries return, so that a text is never cut between
    // the two bytes of one character.
    virtual bool isLeadByte(unsigned char byte) = 0;
};
