#pragma once
// A registry in memory that answers as the real one: a value larger than the
// caller's buffer fails with REGISTRY_MORE_DATA (type and size still told),
// refused keys do not open, and every write and delete is logged in order.
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "settings/registry.h"

struct MemoryRegistry : Registry {
    struct Value {
        RegistryType type;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    std::map<std::string, std::map<std::string, Value>> keys;
    std::map<std::intptr_t, std::string> openKeys;  // handle -> path
    std::intptr_t lastHandle = 0;
    std::string refused;  // a key that cannot be opened or created
    std::vector<std::string> log;  // "set PATH|NAME", "delete PATH|NAME"

    std::string& pathOf(RegistryKey key) { return openKeys.at(reinterpret_cast<std::intptr_t>(key)); }
    RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        *key = nullptr;
        return keys.count(path) || refused == path ? createKey(path, access, key) : REGISTRY_FILE_NOT_FOUND;
    }
    RegistryStatus createKey(const char* path, RegistryAccess, RegistryKey* key) override
    {
        if (refused == path)
            return REGISTRY_ACCESS_DENIED;
        keys[path];
        openKeys[++lastHandle] = path;
        *key = reinterpret_cast<RegistryKey>(lastHandle);
        return REGISTRY_OK;
    }
    RegistryStatus closeKey(RegistryKey key) override
    {
        return openKeys.erase(reinterpret_cast<std::intptr_t>(key)) ? REGISTRY_OK : REGISTRY_INVALID_HANDLE;
    }
    RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                              std::uint32_t* size) override
    {
        auto& values = keys[pathOf(key)];
        if (!values.count(name))
            return REGISTRY_FILE_NOT_FOUND;
        const Value& value = values[name];
        bool fits = !data || value.bytes.size() <= *size;
        if (data && fits)
            std::memcpy(data, value.bytes.data(), value.bytes.size());
        *type = value.type;
        *size = std::uint32_t(value.bytes.size());
        return fits ? REGISTRY_OK : REGISTRY_MORE_DATA;
    }
    RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                            std::uint32_t size) override
    {
        keys[pathOf(key)][name] = Value{type, std::string(static_cast<const char*>(data), size)};
        log.push_back("set " + pathOf(key) + "|" + name);
        return REGISTRY_OK;
    }
    // The tests' texts are ASCII, so wide text narrows byte for byte.
    RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) override
    {
        std::string narrowName(name, name + std::wcslen(name)), bytes(text, text + std::wcslen(text) + 1);
        return setValue(key, narrowName.c_str(), REGISTRY_TYPE_SZ, bytes.data(), std::uint32_t(bytes.size()));
    }
    RegistryStatus deleteValue(RegistryKey key, const char* name) override
    {
        log.push_back("delete " + pathOf(key) + "|" + name);
        return keys[pathOf(key)].erase(name) ? REGISTRY_OK : REGISTRY_FILE_NOT_FOUND;
    }
};

inline MemoryRegistry::Value number(std::uint32_t v)
{
    return {REGISTRY_TYPE_DWORD, {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}};
}
inline MemoryRegistry::Value text(const std::string& s) { return {REGISTRY_TYPE_SZ, s + '\0'}; }
