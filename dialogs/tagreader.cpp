#include "dialogs/tagreader.h"

#include "app/paths.h"

#include <algorithm>
#include <cstring>

namespace tv {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

// The selected text begins with "<" and the name, and ends with its first ">".
bool isStartTagOf(std::string_view sel, std::string_view name) {
    if (sel.size() < name.size() + 1 || sel.front() != '<') return false;
    if (upper(sel.substr(1, name.size())) != upper(name)) return false;
    return sel.find('>') == sel.size() - 1;
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
    if (isStartTagOf(text.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength)), name)) {
        r.found = true;
        return r;
    }
    // Back from the caret to the nearest "<" or ">".
    int i = selStart;  // 1-based index of the character before the caret
    while (i >= 1 && text[static_cast<std::size_t>(i - 1)] != '<' && text[static_cast<std::size_t>(i - 1)] != '>') --i;
    if (i >= 1 && text[static_cast<std::size_t>(i - 1)] == '>') return r;  // not inside a tag
    if (i >= 1) {
        const std::size_t after = static_cast<std::size_t>(i) + name.size();
        const bool nameMatches = after < text.size() &&
                                 upper(text.substr(static_cast<std::size_t>(i), name.size())) == upper(name) &&
                                 (text[after] == ' ' || text[after] == '>');
        if (nameMatches) {
            const std::size_t close = text.find('>', static_cast<std::size_t>(i - 1));
            r.selStart = i - 1;
            r.selLength = close == std::string_view::npos ? 0 : static_cast<int>(close) - (i - 1) + 1;
        }
    }
    if (r.selLength > 0) {
        r.found = isStartTagOf(text.substr(static_cast<std::size_t>(r.selStart), static_cast<std::size_t>(r.selLength)), name);
    }
    return r;
}

namespace {

struct ValueSpan {
    std::size_t keyAt = std::string::npos;  // where " NAME=" starts
    std::size_t valueAt = 0;                // first character of the value (after the key)
    std::string value;
    std::size_t removeLength = 0;           // from valueAt on, what Extract deletes
};

ValueSpan locate(std::string_view tag, std::string_view name) {
    ValueSpan v;
    const std::string key = " " + upper(name) + "=";
    v.keyAt = upper(tag).find(key);
    if (v.keyAt == std::string::npos) return v;
    const std::size_t start = v.keyAt + key.size();
    v.valueAt = start;
    const std::size_t last = tag.empty() ? 0 : tag.size() - 1;  // the tag's last character is never copied
    if (start < tag.size() && tag[start] == '"') {
        std::size_t j = start + 1;
        while (j < last && tag[j] != '"') v.value += tag[j++];
        // The closing quote goes with the value; a tag whose quote is never
        // closed keeps its ">".
        const bool closed = j < tag.size() && tag[j] == '"';
        v.removeLength = (closed ? j + 1 : j) - start;
    } else {
        std::size_t j = start;
        while (j < last && tag[j] != '>' && tag[j] != ' ') v.value += tag[j++];
        v.removeLength = j > start ? j - start : 0;
    }
    return v;
}

} // namespace

std::string ExtractAttribute(std::string& tag, std::string_view name) {
    const ValueSpan v = locate(tag, name);
    if (v.keyAt == std::string::npos) return {};
    const std::size_t keyLength = v.valueAt - v.keyAt;
    tag.erase(v.keyAt, keyLength + v.removeLength);
    return v.value;
}

bool ExtractFlag(std::string& tag, std::string_view name) {
    const std::size_t p = upper(tag).find(" " + upper(name));
    if (p == std::string::npos) return false;
    tag.erase(p, name.size() + 1);
    return true;
}

std::string ReadAttribute(std::string_view tag, std::string_view name) { return locate(tag, name).value; }

void AppendAttribute(std::string& tag, std::string_view text) {
    if (text.empty()) return;
    std::string t(text);
    if (t.front() != ' ') t.insert(t.begin(), ' ');
    if (tag.empty()) {
        tag = t;
        return;
    }
    tag.insert(tag.size() - 1, t);
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
        if (item.kind == K::Flag) fields[item.field] = ExtractFlag(tag, item.attr) ? "1" : "";
        else fields[item.field] = ExtractAttribute(tag, item.attr);
    }
}

std::string buildTag(const TagSpec& spec, std::string tag, const Fields& fields) {
    auto value = [&](const char* field) {
        const auto it = fields.find(field);
        return it == fields.end() ? std::string() : it->second;
    };
    for (const TagItem& item : spec.write) {
        if (item.kind == K::Flag) continue;
        const std::string v = value(item.field);
        if (v.empty()) continue;
        AppendAttribute(tag, std::string(" ") + item.attr + "=" + (item.kind == K::Quoted ? "\"" + v + "\"" : v));
    }
    for (const TagItem& item : spec.write)
        if (item.kind == K::Flag && !value(item.field).empty()) AppendAttribute(tag, std::string(" ") + item.attr);
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
    auto value = [&](const char* field) {
        const auto it = fields.find(field);
        return it == fields.end() ? std::string() : it->second;
    };
    std::string tag = std::string("<INPUT TYPE=") + kInputTypes[type];
    const InputEnabling on = inputEnabling(type);
    if (on.name) {
        if (value("name").empty()) return {};
        tag += " NAME=\"" + value("name") + "\"";
    }
    if (on.source) {
        if (!value("src").empty()) tag += " SRC=\"" + value("src") + "\"";
        if (!value("align").empty()) tag += " ALIGN=" + value("align");
    }
    if (on.value && !value("value").empty()) tag += " VALUE=\"" + value("value") + "\"";
    if (on.checked && !value("checked").empty()) tag += " CHECKED";
    if (on.sizes) {
        if (!value("size").empty()) tag += " SIZE=" + value("size");
        if (!value("maxlength").empty()) tag += " MAXLENGTH=" + value("maxlength");
    }
    return tag + ">";
}

std::string buildOptionTag(const std::string& value, bool selected) {
    std::string tag = value.empty() ? "<OPTION" : "<OPTION VALUE=\"" + value + "\"";
    return tag + (selected ? " SELECTED>" : ">");
}

const char* const kOrderTypeLetters[5] = {"1", "A", "a", "I", "i"};

std::string buildUnorderedTag(const std::string& bullet) {
    std::string tag = "<UL";
    if (!bullet.empty()) tag += " TYPE=" + bullet;
    tag += ">";
    return tag.substr(0, 255);
}

std::string buildOrderedTag(int orderType, const std::string& start) {
    std::string tag = "<OL";
    if (orderType >= 0 && orderType < 5) {
        tag += std::string(" TYPE=") + kOrderTypeLetters[orderType];
        if (!start.empty()) tag += " START=" + start;
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
    if (!language.empty()) start += " LANGUAGE=\"" + language + "\">\r\n<!--\r\n";
    else start += ">";
    start += contents;
    return {start, "\r\n//-->\r\n</SCRIPT>"};
}

} // namespace tv
