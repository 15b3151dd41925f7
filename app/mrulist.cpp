#include "app/mrulist.h"

#include "base/paths.h"
#include "base/settings.h"

#include <algorithm>

namespace tv {

void MruList::AddItem(const std::string& name) {
    Remove(name);
    items_.insert(items_.begin(), name);
    while (static_cast<int>(items_.size()) > std::max(0, maximum)) items_.pop_back();
}

void MruList::Remove(const std::string& name) {
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const std::string& n) { return sameFileName(n, name); });
    if (it != items_.end()) items_.erase(it);
}

void MruList::Load(const SettingsStore& store, const std::string& key) {
    items_ = readListSection(store, key);
}

void MruList::Save(SettingsStore& store, const std::string& key) const { writeListSection(store, key, items_); }

namespace {
// An "&" of a file name would mark a menu item's access key.
std::string literal(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}
} // namespace

std::string MruList::menuCaption(int index, const std::string& name, bool nameOnly) {
    return "&" + std::to_string(index) + " " + literal(nameOnly ? fileNameOnly(name) : name);
}

std::string MruList::dropDownCaption(const std::string& name) { return "&" + literal(fileNameOnly(name)); }

} // namespace tv
