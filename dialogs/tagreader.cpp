#include "dialogs/tagreader.h"

#include "base/paths.h"

#include <algorithm>

namespace tv {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

} // namespace

bool beginsTag(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size() || text[at] != '<') return false;
    const char c = text[at + 1];
    return isLetter(c) || c == '/' || c == '!' || c == '?';
}

TagShape scanTag(std::string_view text, std::size_t at) {
    TagShape t;
    const std::size_t n = text.size();
    std::size_t i = std::min(at, n);
    if (i < n && text[i] == '<') ++i;
    // The element name runs to a blank, "/", ">" or the next tag.
    while (i < n && !isBlank(text[i]) && text[i] != '/' && text[i] != '>' && !beginsTag(text, i)) ++i;
    t.nameEnd = i;
    std::size_t lastEnd = i;  // where the last name or attribute ended
    while (i < n) {
        const std::size_t blanks = i;
        while (i < n && isBlank(text[i])) ++i;
        if (i >= n) break;
        const char c = text[i];
        if (c == '>') {
            t.closed = true;
            t.end = i + 1;
            return t;
        }
        if (beginsTag(text, i)) break;  // a tag without its ">" ends before the next one
        if (c == '/') {
            ++i;
            continue;
        }
        TagAttribute a;
        a.begin = blanks;  // the blanks before the name go with it
        a.name = i;
        ++i;  // the first character may be anything, "=" included
        while (i < n && !isBlank(text[i]) && text[i] != '/' && text[i] != '>' && text[i] != '=' && !beginsTag(text, i)) ++i;
        a.nameEnd = a.end = i;
        std::size_t j = i;
        while (j < n && isBlank(text[j])) ++j;
        if (j < n && text[j] == '=') {
            ++j;
            while (j < n && isBlank(text[j])) ++j;
            a.hasValue = true;
            if (j < n && (text[j] == '"' || text[j] == '\'')) {
                const char quote = text[j];
                a.quote = quote;
                a.value = j + 1;
                std::size_t k = a.value;
                while (k < n && text[k] != quote && !beginsTag(text, k)) ++k;
                if (k < n && text[k] == quote) {
                    a.valueEnd = k;
                    a.end = k + 1;
                } else {
                    // The quote is never closed before the next tag: the value
                    // runs to the first ">" (which ends the tag) or to that tag.
                    a.unclosed = true;
                    std::size_t g = a.value;
                    while (g < k && text[g] != '>') ++g;
                    a.valueEnd = a.end = g;
                }
            } else {
                a.value = j;
                while (j < n && !isBlank(text[j]) && text[j] != '>' && !beginsTag(text, j)) ++j;
                a.valueEnd = a.end = j;
            }
            i = a.end;
        }
        lastEnd = a.end;
        t.attributes.push_back(a);
    }
    t.end = lastEnd;
    return t;
}

std::vector<std::pair<std::string, std::optional<std::string>>> tagAttributes(std::string_view tag) {
    std::vector<std::pair<std::string, std::optional<std::string>>> out;
    const TagShape shape = scanTag(tag, 0);
    for (const TagAttribute& a : shape.attributes) {
        std::optional<std::string> value;
        if (a.hasValue) value = std::string(a.valueIn(tag));
        out.emplace_back(upper(a.nameIn(tag)), std::move(value));
    }
    return out;
}

namespace {

// The "<" of the element `name`, without regard to case, at `at`: the whole
// name when `whole`, else its beginning (a hand-made selection).
bool namesElement(std::string_view text, std::size_t at, std::size_t nameEnd, std::string_view name, bool whole) {
    if (at >= text.size() || text[at] != '<' || name.empty()) return false;
    const std::string_view written = text.substr(at + 1, nameEnd - at - 1);
    if (whole) return sameName(written, name);
    return written.size() >= name.size() && sameName(written.substr(0, name.size()), name);
}

// The selection is a whole start tag whose name begins with `name`.
bool selectionIsTag(std::string_view text, int selStart, int selLength, std::string_view name) {
    if (selLength <= 0) return false;
    const std::size_t at = static_cast<std::size_t>(selStart);
    const std::string_view sel = text.substr(at, static_cast<std::size_t>(selLength));
    const TagShape t = scanTag(sel, 0);
    return t.closed && t.end == sel.size() && namesElement(sel, 0, t.nameEnd, name, false);
}

} // namespace

FoundTag FindTagIn(std::string_view text, int selStart, int selLength, std::string_view name) {
    FoundTag r{false, selStart, selLength};
    if (text.empty()) return r;
    const int n = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, n);
    selLength = std::clamp(selLength, 0, n - selStart);
    r.selStart = selStart;
    r.selLength = selLength;
    if (selectionIsTag(text, selStart, selLength, name)) {
        r.found = true;
        return r;
    }
    // The nearest tag before the caret; a quoted value never holds the
    // beginning of a tag, so no tag further back can hold the caret.
    std::size_t p = static_cast<std::size_t>(selStart);
    while (p > 0 && !beginsTag(text, p - 1)) --p;
    if (p == 0) return r;
    const std::size_t at = p - 1;
    const TagShape t = scanTag(text, at);
    // Inside a tag that has its ">" means before it; a tag without one
    // reaches up to the next tag, which lies at or after the caret.
    const bool inside = !t.closed || static_cast<std::size_t>(selStart) < t.end;
    if (inside && namesElement(text, at, t.nameEnd, name, true)) {
        r.found = true;
        r.selStart = static_cast<int>(at);
        r.selLength = static_cast<int>(t.end - at);
    }
    return r;
}

namespace {

// The first attribute named `name`; with `valued`, only one with "=".
const TagAttribute* findAttribute(std::string_view tag, const TagShape& shape, std::string_view name, bool valued) {
    for (const TagAttribute& a : shape.attributes)
        if ((!valued || a.hasValue) && sameName(a.nameIn(tag), name)) return &a;
    return nullptr;
}

// A value whose quote is never closed and that meets the next tag: the tag
// has no ">" and the value reads on into what follows.
bool runsIntoNextTag(const TagShape& shape, const TagAttribute& a) { return a.unclosed && !shape.closed; }

// Takes the attribute out with the blanks before it; what stood on either
// side stays apart, and an attribute without a value before it does not
// take what follows (an attribute whose name begins with "=") as its value.
void eraseAttribute(std::string& tag, const TagShape& shape, const TagAttribute& a) {
    const TagAttribute* before = nullptr;
    for (const TagAttribute& b : shape.attributes)
        if (&b != &a && b.end <= a.begin) before = &b;
    tag.erase(a.begin, a.end - a.begin);
    const std::size_t at = a.begin;
    std::size_t next = at;
    while (next < tag.size() && isBlank(tag[next])) ++next;
    if (before && !before->hasValue && before->end == at && next < tag.size() && tag[next] == '=') {
        tag.insert(at, " /");
        return;
    }
    const bool joins =
        at > 0 && at < tag.size() && !isBlank(tag[at - 1]) && !isBlank(tag[at]) && tag[at] != '>' && !beginsTag(tag, at);
    if (joins) tag.insert(at, 1, ' ');
}

} // namespace

std::string ExtractAttribute(std::string& tag, std::string_view name) {
    const TagShape shape = scanTag(tag, 0);
    const TagAttribute* a = findAttribute(tag, shape, name, true);
    if (!a) return {};
    std::string value(a->valueIn(tag));
    eraseAttribute(tag, shape, *a);
    return value;
}

bool ExtractFlag(std::string& tag, std::string_view name) {
    const TagShape shape = scanTag(tag, 0);
    const TagAttribute* a = findAttribute(tag, shape, name, false);
    if (!a) return false;
    eraseAttribute(tag, shape, *a);
    return true;
}

std::string ReadAttribute(std::string_view tag, std::string_view name) {
    const TagShape shape = scanTag(tag, 0);
    const TagAttribute* a = findAttribute(tag, shape, name, true);
    return a ? std::string(a->valueIn(tag)) : std::string();
}

void removeAttributes(std::string& tag, std::string_view name) {
    for (;;) {
        const TagShape shape = scanTag(tag, 0);
        const TagAttribute* a = findAttribute(tag, shape, name, false);
        if (!a) return;
        eraseAttribute(tag, shape, *a);
    }
}

void AppendAttribute(std::string& tag, std::string_view text) {
    if (text.empty()) return;
    std::string t(text);
    if (t.front() != ' ') t.insert(t.begin(), ' ');
    if (tag.empty()) {
        tag = t;
        return;
    }
    // After the last attribute (or the name): before the blanks, a "/" and
    // the ">" that close the tag. A last attribute that would read on into
    // what is put after it (a quote never closed, an "=" with nothing after
    // it) stays last.
    const TagShape shape = scanTag(tag, 0);
    std::size_t at = shape.nameEnd;
    if (!shape.attributes.empty()) {
        const TagAttribute& last = shape.attributes.back();
        const bool readsOn = last.unclosed || (last.hasValue && !last.quote && last.value == last.valueEnd);
        at = readsOn ? last.begin : last.end;
    }
    at = std::min(at, tag.size());
    // What follows at once ("/>", a quote running on) stays apart.
    if (at < tag.size() && tag[at] != '>' && !isBlank(tag[at])) t += ' ';
    tag.insert(at, t);
}

std::string attributeText(std::string_view name, std::string_view value, bool quoted) {
    if (value.empty()) return {};
    std::string out = " " + std::string(name) + "=";
    // A bare value that a browser would cut short is quoted after all.
    const bool bareSafe = value.find_first_of(" \t\r\n\f\"'=<>`") == std::string_view::npos;
    if (!quoted && bareSafe) return out + std::string(value);
    if (value.find('"') == std::string_view::npos) return out + '"' + std::string(value) + '"';
    if (value.find('\'') == std::string_view::npos) return out + '\'' + std::string(value) + '\'';
    std::string v;
    for (char c : value) {
        if (c == '"') v += "&quot;";
        else v += c;
    }
    return out + '"' + v + '"';
}

std::string RelativeReference(const std::string& file, bool forwardSlash, bool programFolder,
                              const std::string& documentFile, bool documentUntitled,
                              const std::string& programFile) {
#ifdef _WIN32
    const auto sep = [](char c) { return c == '\\' || c == '/'; };
    const auto same = [](const std::string& a, const std::string& b) { return upper(a) == upper(b); };
    const char out = '\\';
#else
    const auto sep = [](char c) { return c == '/'; };
    const auto same = [](const std::string& a, const std::string& b) { return a == b; };
    const char out = '/';
#endif
    std::string ref;
    if (programFolder || !documentUntitled) {
        const std::string base = programFolder ? programFile : documentFile;
        auto split = [&](const std::string& path) {
            std::vector<std::string> parts;
            std::string cur;
            for (char c : path) {
                if (sep(c)) {
                    parts.push_back(cur);
                    cur.clear();
                } else {
                    cur += c;
                }
            }
            parts.push_back(cur);
            return parts;
        };
        std::vector<std::string> b = split(base), f = split(file);
        b.pop_back();  // the base's own name
        const std::string fileName = f.back();
        f.pop_back();
        // Different drives (or no common root): the full name.
        if (b.empty() || f.empty() || !same(b.front(), f.front())) {
            ref = file;
        } else {
            std::size_t common = 0;
            while (common < b.size() && common < f.size() && same(b[common], f[common])) ++common;
            for (std::size_t k = common; k < b.size(); ++k) ref += std::string("..") + out;
            for (std::size_t k = common; k < f.size(); ++k) ref += f[k] + out;
            ref += fileName;
        }
    } else {
        ref = fileNameOnly(file);
    }
    if (forwardSlash) std::replace(ref.begin(), ref.end(), '\\', '/');
    return ref;
}

// --- element dialogs --------------------------------------------------------------

namespace {
using K = TagItem::Kind;
const std::vector<TagItem> kColorsRead = {{"BGCOLOR", "bgcolor", K::Quoted},
                                          {"BORDERCOLOR", "bordercolor", K::Quoted},
                                          {"BORDERCOLORLIGHT", "light", K::Quoted},
                                          {"BORDERCOLORDARK", "dark", K::Quoted}};

std::vector<TagItem> join(std::vector<TagItem> a, const std::vector<TagItem>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
} // namespace

const TagSpec& tableSpec() {
    static const TagSpec s{"table", "<TABLE>",
                           join({{"WIDTH", "width", K::Quoted}, {"BORDER", "border", K::Bare},
                                 {"CELLPADDING", "padding", K::Bare}, {"CELLSPACING", "spacing", K::Bare},
                                 {"BACKGROUND", "background", K::Quoted}},
                                kColorsRead),
                           join({{"BORDER", "border", K::Bare}, {"CELLPADDING", "padding", K::Bare},
                                 {"CELLSPACING", "spacing", K::Bare}, {"WIDTH", "width", K::Quoted},
                                 {"BACKGROUND", "background", K::Quoted}},
                                kColorsRead)};
    return s;
}

const TagSpec& tableRowSpec() {
    static const TagSpec s{"tr", "<TR>",
                           join({{"ALIGN", "align", K::Bare}, {"VALIGN", "valign", K::Bare}, {"BORDER", "border", K::Bare}},
                                kColorsRead),
                           join({{"ALIGN", "align", K::Bare}, {"VALIGN", "valign", K::Bare}, {"BORDER", "border", K::Bare}},
                                kColorsRead)};
    return s;
}

namespace {
TagSpec cellSpec(const char* element, const char* insertTag) {
    return TagSpec{element, insertTag,
                   join({{"COLSPAN", "colspan", K::Bare}, {"ROWSPAN", "rowspan", K::Bare}, {"ALIGN", "align", K::Bare},
                         {"WIDTH", "width", K::Bare}, {"NOWRAP", "nowrap", K::Flag}, {"VALIGN", "valign", K::Bare},
                         {"BORDER", "border", K::Bare}},
                        kColorsRead),
                   join(join({{"WIDTH", "width", K::Bare}, {"ALIGN", "align", K::Bare}, {"VALIGN", "valign", K::Bare},
                              {"COLSPAN", "colspan", K::Bare}, {"ROWSPAN", "rowspan", K::Bare}, {"BORDER", "border", K::Bare}},
                             kColorsRead),
                        {{"NOWRAP", "nowrap", K::Flag}})};
}
} // namespace

const TagSpec& tableDataSpec() {
    static const TagSpec s = cellSpec("td", "<TD>");
    return s;
}

const TagSpec& tableHeaderSpec() {
    static const TagSpec s = cellSpec("th", "<TH>");
    return s;
}

const TagSpec& formSpec() {
    static const TagSpec s{"form", "<FORM>",
                           {{"ACTION", "action", K::Quoted}, {"METHOD", "method", K::Quoted},
                            {"ENCTYPE", "enctype", K::Quoted}, {"TARGET", "target", K::Quoted}},
                           {{"METHOD", "method", K::Quoted}, {"ACTION", "action", K::Quoted},
                            {"ENCTYPE", "enctype", K::Quoted}, {"TARGET", "target", K::Quoted}}};
    return s;
}

const TagSpec& selectSpec() {
    static const TagSpec s{"Select", "<SELECT>",
                           {{"NAME", "name", K::Quoted}, {"SIZE", "size", K::Quoted}, {"MULTIPLE", "multi", K::Flag}},
                           {{"NAME", "name", K::Quoted}, {"SIZE", "size", K::Quoted}, {"MULTIPLE", "multi", K::Flag}}};
    return s;
}

const TagSpec& textAreaSpec() {
    static const TagSpec s{"TextArea", "<TEXTAREA>",
                           {{"NAME", "name", K::Quoted}, {"ROWS", "rows", K::Bare}, {"COLS", "cols", K::Bare},
                            {"WRAP", "wrap", K::Quoted}},
                           {{"NAME", "name", K::Quoted}, {"ROWS", "rows", K::Bare}, {"COLS", "cols", K::Bare},
                            {"WRAP", "wrap", K::Quoted}}};
    return s;
}

void readTagFields(const TagSpec& spec, std::string& tag, Fields& fields) {
    for (const TagItem& item : spec.read) {
        const TagShape shape = scanTag(tag, 0);
        const TagAttribute* a = findAttribute(tag, shape, item.attr, false);
        fields[item.field] = "";
        if (!a) continue;
        if (item.kind == K::Flag) {
            fields[item.field] = "1";
            // A flag written with a value (NOWRAP="nowrap") stays as it is
            // while its box stays ticked.
            if (!a->hasValue) eraseAttribute(tag, shape, *a);
        } else if (a->hasValue && a->valueEnd > a->value && !runsIntoNextTag(shape, *a)) {
            fields[item.field] = std::string(a->valueIn(tag));
            eraseAttribute(tag, shape, *a);
        }
        // An attribute without a value, with an empty one (ALT=""), or with
        // a quote that runs on into the next tag stays where it is unless
        // the dialog gives it a value.
    }
}

std::string buildTag(const TagSpec& spec, std::string tag, const Fields& fields) {
    for (const TagItem& item : spec.write) {
        if (item.kind == K::Flag) continue;
        const std::string v = fieldText(fields, item.field);
        if (v.empty()) continue;
        // A browser takes the first of two attributes of one name.
        removeAttributes(tag, item.attr);
        AppendAttribute(tag, attributeText(item.attr, v, item.kind == K::Quoted));
    }
    for (const TagItem& item : spec.write) {
        if (item.kind != K::Flag) continue;
        const bool ticked = !fieldText(fields, item.field).empty();
        const TagShape shape = scanTag(tag, 0);
        const bool there = findAttribute(tag, shape, item.attr, false) != nullptr;
        if (!ticked) removeAttributes(tag, item.attr);
        else if (!there) AppendAttribute(tag, std::string(" ") + item.attr);
    }
    return tag;
}

PendingTexts tablePending(const std::string& tag, const std::string& caption) {
    std::string start = tag + "\r\n";
    if (!caption.empty()) start += "<CAPTION>" + caption + "</CAPTION>\r\n";
    return {start, "\r\n</TABLE>"};
}

std::string fieldText(const Fields& f, const char* name) {
    const auto it = f.find(name);
    return it == f.end() ? std::string() : it->second;
}

PendingTexts pendingFor(const TagSpec& spec, const std::string& tag) {
    const std::string e = spec.element;
    if (e == "table") return tablePending(tag, "");
    if (e == "tr") return {tag, "</TR>"};
    if (e == "td") return {tag, "</TD>"};
    if (e == "th") return {tag, "</TH>"};
    if (e == "form") return {tag, "</FORM>"};
    if (e == "a") return {tag, "</A>"};
    if (e == "img") return {tag, ""};
    if (e == "Select") return {tag + "\r\n", "\r\n</SELECT>"};
    return {tag, "</TEXTAREA>"};
}

const char* const kInputTypes[8] = {"checkbox", "hidden", "image", "password", "radio", "reset", "submit", "text"};

InputEnabling inputEnabling(int type) {
    switch (type) {
    case 0: case 4: return {true, true, true, false, false};   // checkbox, radio
    case 1: return {true, true, false, false, false};          // hidden
    case 2: return {true, false, false, false, true};          // image
    case 3: case 7: return {true, true, false, true, false};   // password, text
    case 5: case 6: return {false, true, false, false, false}; // reset, submit
    default: return {false, false, false, false, false};
    }
}

std::string buildInputTag(int type, const Fields& fields) {
    if (type < 0 || type > 7) return {};
    auto value = [&](const char* field) { return fieldText(fields, field); };
    std::string tag = std::string("<INPUT TYPE=") + kInputTypes[type];
    const InputEnabling on = inputEnabling(type);
    if (on.name) {
        if (value("name").empty()) return {};
        tag += attributeText("NAME", value("name"), true);
    }
    if (on.source) tag += attributeText("SRC", value("src"), true) + attributeText("ALIGN", value("align"), false);
    if (on.value) tag += attributeText("VALUE", value("value"), true);
    if (on.checked && !value("checked").empty()) tag += " CHECKED";
    if (on.sizes) tag += attributeText("SIZE", value("size"), false) + attributeText("MAXLENGTH", value("maxlength"), false);
    return tag + ">";
}

std::string buildOptionTag(const std::string& value, bool selected) {
    return "<OPTION" + attributeText("VALUE", value, true) + (selected ? " SELECTED>" : ">");
}

const char* const kOrderTypeLetters[5] = {"1", "A", "a", "I", "i"};

std::string buildUnorderedTag(const std::string& bullet) {
    std::string tag = "<UL";
    tag += attributeText("TYPE", bullet, false);
    tag += ">";
    return tag.substr(0, 255);
}

std::string buildOrderedTag(int orderType, const std::string& start) {
    std::string tag = "<OL";
    if (orderType >= 0 && orderType < 5) {
        tag += std::string(" TYPE=") + kOrderTypeLetters[orderType];
        tag += attributeText("START", start, false);
    }
    tag += ">";
    return tag.substr(0, 255);
}

int orderTypeOf(const std::string& typeValue) {
    if (typeValue.empty()) return -1;
    for (int i = 0; i < 5; ++i)
        if (typeValue[0] == kOrderTypeLetters[i][0]) return i;
    return -1;
}

PendingTexts scriptPending(const std::string& language, const std::string& contents) {
    std::string start = "<SCRIPT";
    if (!language.empty()) start += attributeText("LANGUAGE", language, true) + ">\r\n<!--\r\n";
    else start += ">";
    start += contents;
    return {start, "\r\n//-->\r\n</SCRIPT>"};
}

} // namespace tv
