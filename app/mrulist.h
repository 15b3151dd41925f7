// The recent-file list: full file names, newest first, at most `maximum`.
#pragma once

#include <string>
#include <vector>

namespace tv {

class SettingsStore;

class MruList {
public:
    int maximum = 10;

    const std::vector<std::string>& items() const { return items_; }
    // A name already there (letter case ignored) moves to the top; a new one
    // goes on top and the oldest beyond `maximum` drop out.
    void AddItem(const std::string& name);
    // Removes the name (letter case ignored).
    void Remove(const std::string& name);

    // Read from and written to a list section ("F0", "F1", ...).
    void Load(const SettingsStore& store, const std::string& key);
    void Save(SettingsStore& store, const std::string& key) const;

    // Caption of an entry in the File menu's submenu ("&0 /path/page.html")
    // and in the Open button's drop-down ("&page.html"); an "&" of the name
    // is doubled so that it shows.
    static std::string menuCaption(int index, const std::string& name, bool nameOnly);
    static std::string dropDownCaption(const std::string& name);

private:
    std::vector<std::string> items_;
};

} // namespace tv
