// Tag insertion: the texts the tag commands write, and the rules that tag
// the lines of a selection.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

enum class LineMode { Starts, Ends };

// Inserts `tag` at the start or at the end of each line of the selected text
// `sel`. `startsLine` tells whether the selection begins at a line start.
// At line ends: before each CR that does not end an empty line. At line
// starts: after the leading blanks of each line that follows a line break
// and is not empty (and of the first line when `startsLine`).
std::string MarkLines(std::string sel, std::string_view tag, LineMode mode, bool startsLine);

// Whether a selection at `selStart` begins a line of `text`.
bool startsLine(std::string_view text, int selStart);

// "<" and ">" become the guillemets U+00AB and U+00BB (two bytes each in
// the editor's UTF-8), so that a comment holds no tag brackets.
std::string commentText(std::string_view sel);

// A colour code "#" with six hexadecimal digits at the selection or just
// before the caret: where it starts (it is 7 characters long).
std::optional<int> ColorCodeAt(std::string_view text, int selStart, int selLength);

// The simple tag commands of the document menus.
enum class TagMenu { StyleLogical, Style, FormatStructure, FormatHeading, Format, Elements, ElementsTable,
                     ElementsFrame, Lists };
enum class TagRule {
    Plain,      // Markup
    Paragraph,  // end text only with a selection
    LineBreak,  // with a selection, MarkLines at line ends instead
    List,       // start text from a setting; "<LI>" at line starts afterwards
    Comment,    // its own steps
};

struct TagCommand {
    const char* name;      // Bold1
    TagMenu menu;
    const char* caption;   // "&Bold"
    const char* shortcut;  // "Ctrl+B", or ""
    const char* start;
    const char* end;
    TagRule rule = TagRule::Plain;
    const char* hint = "";
};

const std::vector<TagCommand>& tagCommands();
const TagCommand* tagCommand(std::string_view name);

// Start and end text of a command; `listTag` is the "UL" or "OL" setting
// for those two lists, `hasSelection` decides the Paragraph's end.
std::pair<std::string, std::string> tagTexts(const TagCommand& c, bool hasSelection, const std::string& ulTag,
                                             const std::string& olTag);

} // namespace tv
