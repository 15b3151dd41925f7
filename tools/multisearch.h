// Search and replace across files: which files are text, collecting them
// from a folder tree, and the loops that search and replace in them with
// progress, cancelling and open documents left to the caller.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tv {

enum class FileKind { Image, Text, Other };

// Images by their extension (gif, jpg, jpeg, png); text when the extension
// (without the dot, letter case ignored) is one of `textExtensions`.
FileKind GetFileKind(const std::string& fileName, const std::vector<std::string>& textExtensions);

// The text files of a folder, in the order the file system gives them;
// with `recurse` each sub-folder's files come where the sub-folder stands.
void CollectFolderFiles(const std::string& folder, bool recurse, const std::vector<std::string>& textExtensions,
                        std::vector<std::string>& list);

// A file that cannot be read or written: what() is the message to show.
class SiteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file, or SiteError "Cannot open file NAME".
std::string LoadFileText(const std::string& fileName);
// Writes the file whole or not at all; SiteError "Cannot create file NAME".
void SaveFileText(const std::string& text, const std::string& fileName);

// As ReplaceAll, testing `cancelled` before each replacement.
int ReplaceCounted(const std::string& find, const std::string& replacement, std::string& text, bool caseSensitive,
                   const std::function<bool()>& cancelled);

struct FindCallbacks {
    // After each file: its number (from 1) and the files found so far.
    std::function<void(std::size_t index, std::size_t found)> progress;
    std::function<bool()> cancelled;
};
// The files whose text holds `find`. Throws SiteError (the files found
// before it are reported through `found`).
std::vector<std::string> FindInFiles(const std::vector<std::string>& files, const std::string& find,
                                     bool caseSensitive, const FindCallbacks& callbacks = {},
                                     std::vector<std::string>* found = nullptr);

struct ReplaceCallbacks {
    // The text of an open document for the file, when there is one.
    std::function<std::optional<std::string>(const std::string& file)> openText;
    // Puts a replaced text into the open document instead of the file.
    std::function<void(const std::string& file, const std::string& text)> setOpenText;
    std::function<void(std::size_t index, const std::string& file, int total)> progress;
    std::function<bool()> cancelled;
};
struct ReplaceResult {
    std::vector<std::pair<std::string, int>> changed;  // file and count, in order
    int total = 0;
};
ReplaceResult ReplaceInFiles(const std::vector<std::string>& files, const std::string& find,
                             const std::string& replacement, bool caseSensitive, const ReplaceCallbacks& callbacks = {});

} // namespace tv
