#pragma once
// A registry in memory with the query rules of the real one: names compare
// without regard to case, a value larger than the caller's buffer fails with
// REGISTRY_MORE_DATA, read-only keys refuse writes. It logs every change,
// counts open keys and can refuse chosen keys.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/registry.h"
#include "settings/settings.h"

struct MemoryRegistry : Registry {
    struct Value {
        RegistryType type;
        std::vector<unsigned char> data;
        bool operator==(const Value&) const = default;
    };
    std::map<std::string, std::map<std::string, Value>> keys;  // folded to lower case
    std::map<std::intptr_t, std::pair<std::string, RegistryAccess>> openKeys;
    std::intptr_t nextHandle = 1;
    std::set<std::string> refusedKeys;  // open and create fail here
    std::vector<std::string> log;        // "set PATH|NAME", "delete PATH|NAME"

    void put(const std::string& path, const std::string& name, RegistryType type, std::vector<unsigned char> data)
    {
        keys[createPath(path)][fold(name)] = Value{type, std::move(data)};
    }
    void erase(const std::string& path, const std::string& name) { keys[fold(path)].erase(fold(name)); }
    void refuse(const std::string& path) { refusedKeys.insert(fold(path)); }
    void putDword(const std::string& path, const std::string& name, std::uint32_t v)
    {
        put(path, name, REGISTRY_TYPE_DWORD, dwordBytes(v));
    }
    void putText(const std::string& path, const std::string& name, const std::string& text)
    {
        put(path, name, REGISTRY_TYPE_SZ, std::vector<unsigned char>(text.c_str(), text.c_str() + text.size() + 1));
    }
    static std::vector<unsigned char> dwordBytes(std::uint32_t v)
    {
        return {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    }

    const Value* find(const std::string& path, const std::string& name) const
    {
        auto key = keys.find(fold(path));
        return key == keys.end() || !key->second.count(fold(name)) ? nullptr : &key->second.at(fold(name));
    }
    bool hasKey(const std::string& path) const { return keys.count(fold(path)) != 0; }
    std::size_t valueCount(const std::string& path) const { return hasKey(path) ? keys.at(fold(path)).size() : 0; }
    std::uint32_t dwordAt(const std::string& path, const std::string& name) const
    {
        const Value* v = find(path, name);
        std::uint32_t result = 0xDEADBEEF;
        return v && v->data.size() == 4 ? (std::memcpy(&result, v->data.data(), 4), result) : result;
    }
    std::string textAt(const std::string& path, const std::string& name) const
    {
        const Value* v = find(path, name);
        return v ? std::string(v->data.begin(), v->data.end()) : "<absent>";
    }

    RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        return hasKey(path) || refusedKeys.count(fold(path)) ? createKey(path, access, key)
                                                             : (*key = nullptr, REGISTRY_FILE_NOT_FOUND);
    }
    RegistryStatus createKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        *key = nullptr;
        if (refusedKeys.count(fold(path)))
            return REGISTRY_ACCESS_DENIED;
        createPath(path);
        openKeys[nextHandle] = {path, access};
        *key = reinterpret_cast<RegistryKey>(nextHandle++);
        return REGISTRY_OK;
    }
    RegistryStatus closeKey(RegistryKey key) override
    {
        return openKeys.erase(reinterpret_cast<std::intptr_t>(key)) ? REGISTRY_OK : REGISTRY_INVALID_HANDLE;
    }
    RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                              std::uint32_t* size) override
    {
        const std::string* path = opened(key, ACCESS_SET_VALUE);
        const Value* value = path ? find(*path, name) : nullptr;
        if (!value)
            return path ? REGISTRY_FILE_NOT_FOUND : REGISTRY_ACCESS_DENIED;
        if (data && !size)
            return REGISTRY_INVALID_HANDLE;
        auto length = static_cast<std::uint32_t>(value->data.size());
        bool fits = !data || length <= *size;
        if (data && fits && length)
            std::memcpy(data, value->data.data(), length);
        if (type)
            *type = value->type;
        if (size)
            *size = length;
        return fits ? REGISTRY_OK : REGISTRY_MORE_DATA;
    }
    RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                            std::uint32_t size) override
    {
        const std::string* path = opened(key, ACCESS_READ);
        if (!path)
            return REGISTRY_ACCESS_DENIED;
        auto bytes = static_cast<const unsigned char*>(data);
        keys[fold(*path)][fold(name)] = Value{type, std::vector<unsigned char>(bytes, bytes + size)};
        log.push_back("set " + *path + "|" + name);
        return REGISTRY_OK;
    }
    // Stored as the ANSI side would read it back; the tests use plain ASCII.
    RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) override
    {
        std::string narrowName(name, name + std::wcslen(name)), narrowText(text, text + std::wcslen(text));
        return setValue(key, narrowName.c_str(), REGISTRY_TYPE_SZ, narrowText.c_str(),
                        static_cast<std::uint32_t>(narrowText.size() + 1));
    }
    RegistryStatus deleteValue(RegistryKey key, const char* name) override
    {
        const std::string* path = opened(key, ACCESS_READ);
        if (!path)
            return REGISTRY_ACCESS_DENIED;
        log.push_back("delete " + *path + "|" + name);
        return keys[fold(*path)].erase(fold(name)) ? REGISTRY_OK : REGISTRY_FILE_NOT_FOUND;
    }

    static std::string fold(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return text;
    }

private:
    // The open key's path; null when the handle is unknown or opened with `refused` access.
    const std::string* opened(RegistryKey key, RegistryAccess refused) const
    {
        auto open = openKeys.find(reinterpret_cast<std::intptr_t>(key));
        return open == openKeys.end() || open->second.second == refused ? nullptr : &open->second.first;
    }
    // A key and every parent above it, as RegCreateKeyEx makes them.
    std::string createPath(const std::string& path)
    {
        for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
            keys[fold(path.substr(0, at))];
        keys[fold(path)];
        return fold(path);
    }
};

inline std::string slotName(int slot, const char* suffix)
{
    char name[64];
    std::snprintf(name, sizeof name, "Event_%02d_%s", slot, suffix);
    return name;
}

// Settings are large: off the stack, filled with garbage so a field load forgets shows up.
inline std::unique_ptr<Settings> garbageSettings()
{
    auto settings = std::make_unique<Settings>();
    std::memset(settings.get(), 0xA5, sizeof(Settings));
    return settings;
}
