// Update macros and include blocks: the tokens a page holds for dates, the
// owner, its file and its title, and the blocks that pull in other files.
#pragma once

#include "base/settings.h"
#include "tools/dateformat.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tv {

// What the macros are filled from.
struct MacroContext {
    int dateFormat = 0;                      // setting "DateFormat", 0 to 5
    std::string customDate = "\"Last Updated:\" c";
    std::string owner;                       // the owner's name
    std::string programFolder;               // base of relative include names
    DateLocale locale;
    std::function<DateTime()> now = nowLocal;
    // Where include files are read from; unset: the disk. nullopt: no such file.
    std::function<std::optional<std::string>(const std::string& fullName)> readFile;
    // The most text the include blocks of one Update may put in, counting
    // every block at every depth; more stops the Update.
    std::size_t maxExpansion = std::size_t{64} << 20;
};

// The context of the program's settings: date format and custom pattern,
// the owner's name (document text) and the program's folder.
MacroContext macroContextFor(const Settings& settings, std::string owner, std::string programFolder);

// An Update that cannot go on; what() is the message to show.
class MacroError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The date of a kind: 0 the default format, 1 to 5 the fixed patterns, 6
// the custom one.
std::string MacroDate(int kind, const MacroContext& context);

// The full name of an include file: absolute when it begins with "/" or "\"
// or has ":" second, else in the program's folder; "\" counts as "/".
std::string resolveIncludeName(const std::string& name, const std::string& programFolder);

// Fills the include blocks of `text` from their files; with `oneTime` (and
// for names beginning with "^") the markers go too. Throws MacroError, the
// text then unchanged.
void ExpandIncludes(std::string& text, bool oneTime, const MacroContext& context);

// Includes, then the tokens "#DATE#", "#DATE1#"...,"#USERNAME#", and for a
// saved document "#FILEPATH#" and "#FILENAME#", and "#TITLE#" with a title.
void ApplyMacros(std::string& text, bool oneTime, const std::string& title, const std::string& fileName,
                 const MacroContext& context);

struct UpdateFilesCallbacks {
    // The text of an open document for the file, when there is one; the
    // result then goes back into that document, not into the file.
    std::function<std::optional<std::string>(const std::string& file)> openText;
    std::function<void(const std::string& file, const std::string& text)> setOpenText;
    // Before each file: its number (from 1).
    std::function<void(std::size_t index, const std::string& file)> progress;
    std::function<bool()> cancelled;
    // After a file whose text changed has been written.
    std::function<void(const std::string& file)> changed;
};
// Update over a list of files: each text file (by `textExtensions`) gets
// ApplyMacros without a title and is written back. Returns the files whose
// text changed, in list order. Throws MacroError (or FileError for a file
// that cannot be read or written); the files before it stay updated.
std::vector<std::string> UpdateFiles(const std::vector<std::string>& files,
                                     const std::vector<std::string>& textExtensions, const MacroContext& context,
                                     const UpdateFilesCallbacks& callbacks = {});

// The empty block the Include File command writes.
std::string includeBlock(const std::string& name);

} // namespace tv
