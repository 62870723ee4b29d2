#pragma once
// A registry in memory with the query rules of the real one: names compare
// without regard to case, a value larger than the caller's buffer fails with
// REGISTRY_MORE_DATA and nothing is copied, keys opened for reading refuse
// writes. It logs every change, counts open keys and can refuse chosen keys.
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/registry.h"

struct MemoryRegistry : Registry {
    struct Value {
        RegistryType type;
        std::vector<unsigned char> data;
    };
    // Key paths and value names are kept folded to lower case, so that they
    // compare without regard to case as the registry's do.
    using Values = std::map<std::string, Value>;
    struct OpenKey {
        std::string path;
        RegistryAccess access;
    };

    std::map<std::string, Values> keys;
    std::map<std::intptr_t, OpenKey> openKeys;
    std::intptr_t nextHandle = 1;
    std::set<std::string> refusedKeys;         // open and create fail here
    std::vector<std::string> log;               // "set PATH|NAME", "delete PATH|NAME"

    // Test set-up, straight into the store.
    void put(const std::string& path, const std::string& name, RegistryType type, std::vector<unsigned char> data)
    {
        createPath(path);
        keys[fold(path)][fold(name)] = Value{type, std::move(data)};
    }
    void erase(const std::string& path, const std::string& name) { keys[fold(path)].erase(fold(name)); }
    void refuse(const std::string& path) { refusedKeys.insert(fold(path)); }
    void putDword(const std::string& path, const std::string& name, std::uint32_t value)
    {
        put(path, name, REGISTRY_TYPE_DWORD,
            {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
    }
    // The text and, unless told otherwise, its NUL.
    void putText(const std::string& path, const std::string& name, const std::string& text, bool withNul = true)
    {
        std::vector<unsigned char> data(text.begin(), text.end());
        if (withNul)
            data.push_back(0);
        put(path, name, REGISTRY_TYPE_SZ, std::move(data));
    }

    // Test inspection.
    const Value* find(const std::string& path, const std::string& name) const
    {
        auto key = keys.find(fold(path));
        if (key == keys.end())
            return nullptr;
        auto value = key->second.find(fold(name));
        return value == key->second.end() ? nullptr : &value->second;
    }
    bool hasKey(const std::string& path) const { return keys.count(fold(path)) != 0; }
    std::size_t valueCount(const std::string& path) const
    {
        auto key = keys.find(fold(path));
        return key == keys.end() ? 0 : key->second.size();
    }
    std::uint32_t dwordAt(const std::string& path, const std::string& name) const
    {
        const Value* value = find(path, name);
        std::uint32_t result = 0xDEADBEEF;
        if (value && value->data.size() == 4)
            std::memcpy(&result, value->data.data(), 4);
        return result;
    }
    std::string textAt(const std::string& path, const std::string& name) const
    {
        const Value* value = find(path, name);
        return value ? std::string(value->data.begin(), value->data.end()) : std::string("<absent>");
    }

    RegistryStatus openKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        *key = nullptr;
        if (refusedKeys.count(fold(path)))
            return REGISTRY_ACCESS_DENIED;
        if (!keys.count(fold(path)))
            return REGISTRY_FILE_NOT_FOUND;
        return handOut(path, access, key);
    }
    RegistryStatus createKey(const char* path, RegistryAccess access, RegistryKey* key) override
    {
        *key = nullptr;
        if (refusedKeys.count(fold(path)))
            return REGISTRY_ACCESS_DENIED;
        createPath(path);
        return handOut(path, access, key);
    }
    RegistryStatus closeKey(RegistryKey key) override
    {
        return openKeys.erase(handleOf(key)) ? REGISTRY_OK : REGISTRY_INVALID_HANDLE;
    }
    RegistryStatus queryValue(RegistryKey key, const char* name, RegistryType* type, void* data,
                              std::uint32_t* size) override
    {
        auto open = openKeys.find(handleOf(key));
        if (open == openKeys.end())
            return REGISTRY_INVALID_HANDLE;
        if (open->second.access == ACCESS_SET_VALUE)
            return REGISTRY_ACCESS_DENIED;
        const Value* value = find(open->second.path, name);
        if (!value)
            return REGISTRY_FILE_NOT_FOUND;
        if (type)
            *type = value->type;
        std::uint32_t length = static_cast<std::uint32_t>(value->data.size());
        if (!data) {
            if (size)
                *size = length;
            return REGISTRY_OK;
        }
        if (!size)
            return REGISTRY_INVALID_HANDLE;
        if (length > *size) {
            *size = length;
            return REGISTRY_MORE_DATA;
        }
        if (length)
            std::memcpy(data, value->data.data(), length);
        *size = length;
        return REGISTRY_OK;
    }
    RegistryStatus setValue(RegistryKey key, const char* name, RegistryType type, const void* data,
                            std::uint32_t size) override
    {
        auto open = openKeys.find(handleOf(key));
        if (open == openKeys.end())
            return REGISTRY_INVALID_HANDLE;
        if (open->second.access == ACCESS_READ)
            return REGISTRY_ACCESS_DENIED;
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        keys[fold(open->second.path)][fold(name)] = Value{type, std::vector<unsigned char>(bytes, bytes + size)};
        log.push_back("set " + open->second.path + "|" + name);
        return REGISTRY_OK;
    }
    // Stored as the ANSI side would read it back; the tests use plain ASCII.
    RegistryStatus setWideString(RegistryKey key, const wchar_t* name, const wchar_t* text) override
    {
        std::string narrowText = narrow(text);
        return setValue(key, narrow(name).c_str(), REGISTRY_TYPE_SZ, narrowText.c_str(),
                        static_cast<std::uint32_t>(narrowText.size() + 1));
    }
    RegistryStatus deleteValue(RegistryKey key, const char* name) override
    {
        auto open = openKeys.find(handleOf(key));
        if (open == openKeys.end())
            return REGISTRY_INVALID_HANDLE;
        if (open->second.access == ACCESS_READ)
            return REGISTRY_ACCESS_DENIED;
        log.push_back("delete " + open->second.path + "|" + name);
        return keys[fold(open->second.path)].erase(fold(name)) ? REGISTRY_OK : REGISTRY_FILE_NOT_FOUND;
    }

    static std::string fold(std::string text)
    {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return text;
    }

private:
    static std::intptr_t handleOf(RegistryKey key) { return reinterpret_cast<std::intptr_t>(key); }

    static std::string narrow(const wchar_t* text)
    {
        std::string result;
        for (; *text; ++text)
            result += *text < 0x80 ? static_cast<char>(*text) : '?';
        return result;
    }

    // A key and every parent above it, as RegCreateKeyEx makes them.
    void createPath(const std::string& path)
    {
        for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
            keys[fold(path.substr(0, at))];
        keys[fold(path)];
    }

    RegistryStatus handOut(const std::string& path, RegistryAccess access, RegistryKey* key)
    {
        std::intptr_t handle = nextHandle++;
        openKeys[handle] = OpenKey{path, access};
        *key = reinterpret_cast<RegistryKey>(handle);
        return REGISTRY_OK;
    }
};
