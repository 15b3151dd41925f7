// The rules of the file pane: which files its lists show, how its folder
// list is laid out, and how the list button walks through its states.
#pragma once

#include <string>
#include <vector>

namespace tv {

// The file pane's filter list, "Name|masks|Name|masks".
inline constexpr const char* kPaneFilter =
    "All web files|*.htm;*.gif;*.jpg;*.jpeg;*.sht|HTML Files|*.htm;*.sht|Image Files|*.gif;*.jpg;*.jpeg;*.png|"
    "All files (*.*)|*.*";

struct FilterEntry {
    std::string name, masks;
};
// The name and mask pairs of a "Name|masks|..." filter text.
std::vector<FilterEntry> SplitFilter(const std::string& filter);

// True when the file name matches one of the ";"-separated masks ("*" and
// "?" wildcards, letter case ignored). As in the file dialogs users know, a
// mask ending in a three-letter extension also takes longer extensions that
// begin with it, so "*.htm" lists ".html" pages and "*.sht" ".shtml" ones.
bool MatchesMask(const std::string& fileName, const std::string& masks);

// The files (not folders) of `folder` that match the masks, by name with
// letter case ignored. An unreadable folder gives none.
std::vector<std::string> FolderFiles(const std::string& folder, const std::string& masks);

// One row of the folder list: the folders from the root down to the shown
// one, then its sub-folders one level deeper.
struct DirListItem {
    std::string name;  // "/" for the root
    std::string path;
    int level = 0;
    bool current = false;
};
std::vector<DirListItem> DirListItems(const std::string& folder);

// The file list shows two columns from this width on.
int FileListColumns(int width);

// What the list tool button does to the pane: shown on page 0 goes to page
// 1; shown on page 1 hides it and selects page 0; hidden shows page 0.
struct PaneView {
    bool visible = false;
    int page = 0;
};
PaneView ListButtonStep(PaneView view);

// Sorts full paths the way the project file list shows them.
void SortNoCase(std::vector<std::string>& names);

} // namespace tv
