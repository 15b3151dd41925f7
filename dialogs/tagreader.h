// Reading and rewriting the tag under the caret: the tag finder, the four
// tag-text helpers, relative references for picked files, and the tag
// builders of the element dialogs. Tag texts are single-byte strings that
// begin with "<" and end with the first ">" after it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// Where the tag finder leaves the selection, and whether a start tag of the
// element is selected.
struct FoundTag {
    bool found = false;
    int selStart = 0;
    int selLength = 0;
};

// Looks for a start tag of `name` around the caret (or in the selection).
FoundTag FindTagIn(std::string_view text, int selStart, int selLength, std::string_view name);

// Takes the attribute `name` out of the tag text and returns its value ("" when absent).
std::string ExtractAttribute(std::string& tag, std::string_view name);
// Takes the bare attribute `name` out of the tag text; true when it was there.
bool ExtractFlag(std::string& tag, std::string_view name);
// The value of `name` in the tag text, which stays as it is.
std::string ReadAttribute(std::string_view tag, std::string_view name);
// Puts the attribute text (with a blank in front) before the tag's ">".
void AppendAttribute(std::string& tag, std::string_view text);

// The reference text for a picked file, relative to the folder of `baseFile`
// (the document, or the program with `programFolder`); an untitled document
// gets the file's name alone. With `forwardSlash` every "\" becomes "/".
std::string RelativeReference(const std::string& file, bool forwardSlash, bool programFolder,
                              const std::string& documentFile, bool documentUntitled,
                              const std::string& programFile);

// --- the element dialogs' tags ----------------------------------------------

// The dialogs' field texts by control name; a ticked check box holds "1".
using Fields = std::map<std::string, std::string>;
// A field's text, "" when the dialog has no such control.
std::string fieldText(const Fields& f, const char* name);

struct TagItem {
    enum Kind { Bare, Quoted, Flag };
    const char* attr;   // as written, upper case: "BORDER"
    const char* field;  // the dialog control: "border"
    Kind kind;
};

// An edit-or-insert command: what it reads, in which order, and what it
// writes.
struct TagSpec {
    const char* element;    // for FindTag: "table"
    const char* insertTag;  // "<TABLE>"
    std::vector<TagItem> read;
    std::vector<TagItem> write;
};

const TagSpec& tableSpec();
const TagSpec& tableRowSpec();
const TagSpec& tableDataSpec();
const TagSpec& tableHeaderSpec();
const TagSpec& formSpec();
const TagSpec& selectSpec();
const TagSpec& textAreaSpec();

// Edit mode: takes every attribute the dialog knows out of `tag`, in
// reading order, into `fields`; the tag keeps the rest.
void readTagFields(const TagSpec& spec, std::string& tag, Fields& fields);
// Appends the fields that are not empty, in writing order, to the tag (or
// its remainder).
std::string buildTag(const TagSpec& spec, std::string tag, const Fields& fields);

// The texts Markup and Repeat Tag use after a command built the tag T.
struct PendingTexts {
    std::string start;
    std::string end;
};
PendingTexts tablePending(const std::string& tag, const std::string& caption);
PendingTexts pendingFor(const TagSpec& spec, const std::string& tag);

// The input dialog's types, in item order.
extern const char* const kInputTypes[8];
// Which fields an input type uses: name, value, checked, size and max
// length, source and alignment.
struct InputEnabling {
    bool name, value, checked, sizes, source;
};
InputEnabling inputEnabling(int type);
// The input tag; empty when nothing is to be inserted (no type, or a
// required name missing).
std::string buildInputTag(int type, const Fields& fields);
std::string buildOptionTag(const std::string& value, bool selected);

// List options: the stored start tags.
extern const char* const kOrderTypeLetters[5];
std::string buildUnorderedTag(const std::string& bullet);
std::string buildOrderedTag(int orderType, const std::string& start);
// The order type (0 to 4) of a TYPE value by its first letter, -1 for none.
int orderTypeOf(const std::string& typeValue);

// The script element around the script's text.
PendingTexts scriptPending(const std::string& language, const std::string& contents);

} // namespace tv
