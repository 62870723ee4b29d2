#pragma once
// The current user's registry through advapi32.
#include "settings/registry.h"

struct Win32Registry : Registry {
    RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) override;
    RegistryStatus createKey(const char* path, RegistryAccess access, RegistryKey* key) override;
    RegistryStatus closeKey(RegistryKey key) override;
    RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                              std::uint32_t* size) override;
    RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                            std::uint32_t size) override;
    RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) override;
    RegistryStatus deleteValue(RegistryKey key, const char* name) override;
    bool isLeadByte(unsigned char byte) override;
};
