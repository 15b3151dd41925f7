// Reading and rewriting the tag under the caret: the tag finder, the
// tag-text helpers, relative references for picked files, and the tag
// builders of the element dialogs. A tag is read as a browser reads it:
// attributes one after the other, separated by blanks of any kind, values in
// double quotes, single quotes or none; it ends at its ">" (outside quotes),
// or, when that is missing, before the next tag.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv {

// One attribute of a tag text, as offsets into it.
struct TagAttribute {
    std::size_t begin = 0;             // the blanks before the name start here
    std::size_t name = 0, nameEnd = 0;
    bool hasValue = false;             // written with "="
    char quote = 0;                    // '"', '\'' or none
    bool unclosed = false;             // a quote that is never closed
    std::size_t value = 0, valueEnd = 0;  // the value without its quotes
    std::size_t end = 0;               // after the value and its closing quote
    std::string_view nameIn(std::string_view tag) const { return tag.substr(name, nameEnd - name); }
    std::string_view valueIn(std::string_view tag) const { return tag.substr(value, valueEnd - value); }
};

struct TagShape {
    std::size_t nameEnd = 0;  // the end of the element name
    std::vector<TagAttribute> attributes;
    std::size_t end = 0;      // after the ">", or after the last attribute when there is none
    bool closed = false;      // ends with its ">"
};

// A "<" at `at` that begins a tag: followed by a letter, "/", "!" or "?".
bool beginsTag(std::string_view text, std::size_t at);
// The tag that begins at `at` (its "<"). A quoted value runs to its closing
// quote; one never closed before the next tag runs to the first ">".
TagShape scanTag(std::string_view text, std::size_t at);
// Each attribute's name in upper case and its value (none without "="),
// in the tag's order.
std::vector<std::pair<std::string, std::optional<std::string>>> tagAttributes(std::string_view tag);

// Where the tag finder leaves the selection, and whether a start tag of the
// element is selected.
struct FoundTag {
    bool found = false;
    int selStart = 0;
    int selLength = 0;
};

// Looks for a start tag of `name` around the caret (or in the selection):
// the whole tag is selected, up to its ">" or, without one, up to its last
// attribute.
FoundTag FindTagIn(std::string_view text, int selStart, int selLength, std::string_view name);

// Takes the first attribute `name` that has a value out of the tag text, with
// the blanks before it, and returns its value ("" when absent).
std::string ExtractAttribute(std::string& tag, std::string_view name);
// Takes the attribute `name` (a flag such as NOWRAP) out of the tag text;
// true when it was there.
bool ExtractFlag(std::string& tag, std::string_view name);
// The value of `name` in the tag text, which stays as it is.
std::string ReadAttribute(std::string_view tag, std::string_view name);
// Takes every attribute `name` out of the tag text.
void removeAttributes(std::string& tag, std::string_view name);
// Puts the attribute text (with a blank in front) after the tag's last
// attribute, before the blanks, "/" and ">" that close it.
void AppendAttribute(std::string& tag, std::string_view text);
// " NAME=value" as a browser reads it back whole: bare when asked and the
// value holds nothing that would end it, else in double quotes (single
// quotes for a value holding double ones); "" for an empty value.
std::string attributeText(std::string_view name, std::string_view value, bool quoted);

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
