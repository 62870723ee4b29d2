#pragma once
// A registry in memory: too small a buffer gives REGISTRY_MORE_DATA, a refused key does not open, changes are logged.
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "settings/registry.h"

struct MemoryRegistry : Registry {
    using Value = std::pair<RegistryType, std::string>;  // type, bytes
    std::map<std::string, std::map<std::string, Value>> keys;
    std::string refused;
    std::string leadBytes;  // of the texts' code page; none: a single-byte one
    std::vector<std::string> log;  // "set PATH|NAME", "delete PATH|NAME"

    static auto& entry(RegistryKey key) { return *static_cast<decltype(keys)::value_type*>(key); }  // in `keys`
    RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        return keys.count(path) ? createKey(path, access, key) : REGISTRY_FILE_NOT_FOUND;
    }
    RegistryStatus createKey(const char* path, RegistryAccess, RegistryKey* key) override
    {
        *key = refused == path ? nullptr : &*keys.try_emplace(path).first;
        return *key ? REGISTRY_OK : REGISTRY_ACCESS_DENIED;
    }
    RegistryStatus closeKey(RegistryKey) override { return REGISTRY_OK; }
    RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                              std::uint32_t* size) override
    {
        if (!entry(key).second.count(name))
            return REGISTRY_FILE_NOT_FOUND;
        const auto& [storedType, bytes] = entry(key).second[name];
        bool fits = !data || bytes.size() <= *size;
        if (data && fits)
            std::memcpy(data, bytes.data(), bytes.size());
        *type = storedType, *size = std::uint32_t(bytes.size());
        return fits ? REGISTRY_OK : REGISTRY_MORE_DATA;
    }
    RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                            std::uint32_t size) override
    {
        entry(key).second[name] = {type, std::string(static_cast<const char*>(data), size)};
        log.push_back("set " + entry(key).first + "|" + name);
        return REGISTRY_OK;
    }
    RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) override  // ASCII
    {
        std::string narrowName(name, name + std::wcslen(name)), bytes(text, text + std::wcslen(text) + 1);
        return setValue(key, narrowName.c_str(), REGISTRY_TYPE_SZ, bytes.data(), std::uint32_t(bytes.size()));
    }
    RegistryStatus deleteValue(RegistryKey key, const char* name) override
    {
        log.push_back("delete " + entry(key).first + "|" + name);
        return entry(key).second.erase(name) ? REGISTRY_OK : REGISTRY_FILE_NOT_FOUND;
    }
    bool isLeadByte(unsigned char byte) override { return leadBytes.find(char(byte)) != std::string::npos; }
};

inline MemoryRegistry::Value number(std::uint32_t v) { return {REGISTRY_TYPE_DWORD, std::string((char*)&v, 4)}; }  // LE
inline MemoryRegistry::Value text(const std::string& s) { return {REGISTRY_TYPE_SZ, s + '\0'}; }
