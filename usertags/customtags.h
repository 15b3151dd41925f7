// The user's own tags: four sets, each a title and a list of tags with a
// beginning and a closing text, kept in a small text file per set.
#pragma once

#include "text/encoding.h"
#include "tools/macros.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tv {

// Line breaks in the texts are kept as "%0D" and "%0A".
struct UserTag {
    std::string name;   // "-" is a separator
    std::string start;  // coded
    std::string close;  // coded
};

std::string codeLineBreaks(const std::string& text);
std::string decodeLineBreaks(const std::string& text);

class CustomTagSet {
public:
    static constexpr const char* kDefaultTitle = "Custom Tags";
    static constexpr int kMaximum = 26;

    std::string title = kDefaultTitle;
    std::string fileName;  // "CUSTOM1.VOK"...
    std::string folder;
    std::vector<UserTag> tags;
    bool changed = false;
    // The file's encoding, kept when it is written back (new sets: UTF-8).
    FileEncoding encoding = FileEncoding::Utf8;

    // Marks the set changed when the title differs; true then.
    bool setTitle(const std::string& t);
    void InsertTag(int position, const UserTag& tag);
    void ChangeTag(int position, const UserTag& tag);
    void DeleteTag(int position);
    void MoveTag(int from, int to);
    // Reads the file (a missing one gives an empty set with the default
    // title); clears the changed flag. Throws FileError when unreadable.
    void LoadTags();
    // Writes the file whole when the set has changed. Throws FileError.
    void SaveTags();
    std::string path() const;
};

// The names of the elements the tags of a set begin with, as written, each
// once ("<CENTER>" gives "CENTER"; a tag whose start is no tag gives none).
std::vector<std::string> elementNamesOf(const std::vector<UserTag>& tags);

// The file text of a set, and back (tolerant: see the reader).
std::string serializeTagSet(const std::string& title, const std::vector<UserTag>& tags);
void parseTagSet(const std::string& text, std::string& title, std::vector<UserTag>& tags);

// Expands a tag's text for insertion: line breaks decoded, macros filled,
// then each prompt $$?="Text" replaced by the answer `ask` gives. Returns
// nullopt when a prompt was cancelled. Throws MacroError.
std::optional<std::string> ExpandTagText(const std::string& coded, const MacroContext& context,
                                         const std::function<std::optional<std::string>(const std::string&)>& ask);

} // namespace tv
