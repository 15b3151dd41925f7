#include "base/registrystore.h"

#ifdef _WIN32

#include <windows.h>

namespace tv {

namespace {

std::string fullKey(const std::string& key) {
    std::string k = key;
    for (char& c : k)
        if (c == '/') c = '\\';
    return k.empty() ? std::string("Software\\Taviron") : "Software\\Taviron\\" + k;
}

class Key {
public:
    Key(const std::string& path, bool create) {
        const std::string p = fullKey(path);
        const LONG r = create ? RegCreateKeyExA(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, 0,
                                                KEY_READ | KEY_WRITE, nullptr, &h_, nullptr)
                              : RegOpenKeyExA(HKEY_CURRENT_USER, p.c_str(), 0, KEY_READ, &h_);
        if (r != ERROR_SUCCESS) h_ = nullptr;
    }
    ~Key() {
        if (h_) RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

} // namespace

std::optional<std::string> RegistryStore::read(const std::string& key, const std::string& name) const {
    const Key k(key, false);
    if (!k.get()) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string value(size, '\0');
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(size);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

void RegistryStore::write(const std::string& key, const std::string& name, const std::string& value) {
    const Key k(key, true);
    if (!k.get()) return;  // writing does not report failures
    RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

std::vector<std::pair<std::string, std::string>> RegistryStore::values(const std::string& key) const {
    std::vector<std::pair<std::string, std::string>> out;
    const Key k(key, false);
    if (!k.get()) return out;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLen = sizeof name;
        DWORD type = 0, size = 0;
        if (RegEnumValueA(k.get(), i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
        if (auto v = read(key, std::string(name, nameLen))) out.emplace_back(std::string(name, nameLen), *v);
    }
    return out;
}

void RegistryStore::deleteKey(const std::string& key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, fullKey(key).c_str());
}

} // namespace tv

#endif
