// The settings store in the current user's registry hive under
// "Software\Taviron", as the program keeps it on Windows.
#pragma once

#ifdef _WIN32

#include "base/settings.h"

namespace tv {

class RegistryStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key, const std::string& name) const override;
    void write(const std::string& key, const std::string& name, const std::string& value) override;
    std::vector<std::pair<std::string, std::string>> values(const std::string& key) const override;
    void deleteKey(const std::string& key) override;
};

} // namespace tv

#endif
