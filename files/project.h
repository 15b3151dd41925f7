// A project: a tree of named folders, each holding a list of file paths,
// kept in a ".vkp" file.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tv {

// The name of a project that has never been saved.
inline constexpr const char* kUntitledProject = "Untitled.vkp";

// A project file that cannot be read or written; what() is the message.
class ProjectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TProject {
public:
    static constexpr std::size_t kMaxTitle = 255;
    static constexpr std::size_t kMaxFolders = 255;
    static constexpr int kMaxDepth = 200;  // far deeper than anyone files a site

    TProject();  // a root
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    int Level = 0;
    const std::string& Title() const { return title_; }
    const std::vector<std::string>& Files() const { return files_; }

    // The one flag of the whole tree.
    bool ProjectModified() const { return root_->modified_; }

    // Reads the file; a damaged one throws ProjectError and leaves the
    // project as it was.
    void LoadFromFile(const std::string& fileName);
    // Writes the file whole or not at all; throws ProjectError.
    void SaveToFile(const std::string& fileName);
    // The bytes of this folder's record, and reading one back from `data`
    // at `pos` (bounded by the data's size).
    void WriteToStream(std::string& out) const;
    void ReadFromStream(const std::string& data, std::size_t& pos);

    void Clear();
    // False when the folder holds the file already (letter case ignored).
    bool AddFile(const std::string& path);
    // Adds the file even when it is there (a file dragged onto its folder).
    void AppendFile(const std::string& path);
    void RemoveFile(const std::string& path);
    // Appends a new sub-folder titled "Title"; nullptr when the folder has
    // as many sub-folders as the file can hold.
    TProject* AddFolder();
    void RemoveFolder(const TProject* folder);
    // At most 255 characters are kept.
    void Rename(const std::string& title);
    int FolderCount() const { return static_cast<int>(folders_.size()); }
    TProject* GetFolder(int index) const;
    TProject* Parent() const { return parent_; }

private:
    TProject(TProject* parent, TProject* root);
    void touch() { root_->modified_ = true; }
    void read(const std::string& data, std::size_t& pos, int depth);

    std::string title_ = "Title";
    std::vector<std::string> files_;
    std::vector<std::unique_ptr<TProject>> folders_;
    TProject* parent_ = nullptr;
    TProject* root_;
    bool modified_ = false;
};

// Every folder of the tree, the root first, depth first in list order (the
// search dialog's project list).
std::vector<TProject*> ListProjectFolders(TProject& root);

// Appends the folder's text files not in the list yet (letter case
// ignored), in the folder's order; with `recurse` then those of each
// sub-folder, depth first.
void CollectProjectFiles(const TProject& folder, bool recurse, const std::vector<std::string>& textExtensions,
                         std::vector<std::string>& list);

} // namespace tv
