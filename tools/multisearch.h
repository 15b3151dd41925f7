// Search and replace across files: collecting the text files
// from a folder tree, and the loops that search and replace in them with
// progress, cancelling and open documents left to the caller.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The text files of a folder, in the order the file system gives them;
// with `recurse` each sub-folder's files come where the sub-folder stands.
// Only regular files are listed; each entry passed over for being something
// else (a FIFO, a device, a link to one, a broken link or a loop of links)
// adds a line to `passedOver` when it is given.
void CollectFolderFiles(const std::string& folder, bool recurse, const std::vector<std::string>& textExtensions,
                        std::vector<std::string>& list, std::vector<std::string>* passedOver = nullptr);
// The same with the files whose full name `wanted` accepts.
void collectFolderFilesWhere(const std::string& folder, bool recurse, const std::function<bool(const std::string&)>& wanted,
                             std::vector<std::string>& list, std::vector<std::string>* passedOver = nullptr);

// The list with each file once: names that lead to the same file (by device
// and inode, through links or two folders) keep the first.
std::vector<std::string> eachFileOnce(const std::vector<std::string>& files);

// A find text and its replacement with their line breaks as one kind of
// line end.
struct LineEndForm {
    std::string find;
    std::string replacement;
};
// What a find text with line breaks is looked for as in a file: each break
// as CR LF, LF or CR (in this order), with the replacement's breaks the same. Without a
// break in the find text, one form whose replacement takes the line end
// `text` uses (its first; CR LF when it has none).
std::vector<LineEndForm> lineEndForms(const std::string& find, const std::string& replacement, std::string_view text);

// As ReplaceAll, testing `cancelled` before each replacement.
int ReplaceCounted(const std::string& find, const std::string& replacement, std::string& text, bool caseSensitive,
                   const std::function<bool()>& cancelled);

struct FindCallbacks {
    // After each file: its number (from 1) and the files found so far.
    std::function<void(std::size_t index, std::size_t found)> progress;
    std::function<bool()> cancelled;
};
// Whether the text of a file holds `find`; `identity` receives the file's
// device and inode.
bool fileHolds(const std::string& file, const std::string& find, bool caseSensitive,
               std::pair<unsigned long long, unsigned long long>* identity = nullptr);
// The files whose text holds `find`, each file once (as eachFileOnce). Throws FileError (the files found
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
    // After a file has been written (or an open text changed), so that what
    // is on disk is always known, also when a later file stops the run.
    std::function<void(const std::string& file, int count)> changed;
};
struct ReplaceResult {
    std::vector<std::pair<std::string, int>> changed;  // file and count, in order
    int total = 0;
};
ReplaceResult ReplaceInFiles(const std::vector<std::string>& files, const std::string& find,
                             const std::string& replacement, bool caseSensitive, const ReplaceCallbacks& callbacks = {});

} // namespace tv
