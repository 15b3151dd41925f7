#include "editor/markup.h"

#include <algorithm>

namespace tv {

std::string MarkLines(std::string s, std::string_view tag, LineMode mode, bool startsLine) {
    if (mode == LineMode::Ends) {
        for (std::size_t k = s.size(); k-- > 0;) {
            if (s[k] != '\r') continue;
            if (k >= 2 && s[k - 2] == '\r') continue;  // an empty line gets no tag
            s.insert(k, tag);
        }
        return s;
    }
    auto insertAfterBlanks = [&](std::size_t p) {
        p = std::min(s.find_first_not_of(' ', p), s.size());
        s.insert(p, tag);
        return p + tag.size();
    };
    std::size_t i = 0;
    if (startsLine) i = insertAfterBlanks(0);
    for (; i < s.size(); ++i) {
        if (i == 0 || s[i - 1] != '\r') continue;
        if (i + 1 >= s.size()) break;  // the last character: no line follows
        if (s[i + 1] == '\r') continue;  // the next line is empty
        i = insertAfterBlanks(i + 1) - 1;
    }
    return s;
}

bool startsLine(std::string_view text, int selStart) {
    return selStart == 0 || (selStart >= 2 && text[static_cast<std::size_t>(selStart - 2)] == '\r');
}

std::string commentText(std::string_view sel) {
    std::string out;
    out.reserve(sel.size());
    for (char c : sel) {
        if (c == '<') out += "\xC2\xAB";       // U+00AB, in the editor's UTF-8
        else if (c == '>') out += "\xC2\xBB";  // U+00BB
        else out += c;
    }
    return out;
}

namespace {
bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isCode(std::string_view t, std::size_t at) {
    if (at + 7 > t.size() || t[at] != '#') return false;
    for (std::size_t k = 1; k < 7; ++k)
        if (!isHex(t[at + k])) return false;
    return true;
}
} // namespace

std::optional<int> ColorCodeAt(std::string_view text, int selStart, int selLength) {
    if (text.empty()) return std::nullopt;
    if (selLength == 7 && isCode(text, static_cast<std::size_t>(selStart))) return selStart;
    for (int i = selStart - 1; i >= 0; --i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c == '#') return isCode(text, static_cast<std::size_t>(i)) ? std::optional<int>(i) : std::nullopt;
        if (!isHex(c)) return std::nullopt;
    }
    return std::nullopt;
}

const std::vector<TagCommand>& tagCommands() {
    using M = TagMenu;
    using R = TagRule;
    static const std::vector<TagCommand> table = {
        {"Address1", M::StyleLogical, "&Address", "", "<ADDRESS>", "</ADDRESS>"},
        {"Citation1", M::StyleLogical, "&Citation", "", "<CITE>", "</CITE>"},
        {"Code1", M::StyleLogical, "C&ode", "", "<CODE>", "</CODE>"},
        {"Define1", M::StyleLogical, "&Define", "", "<DFN>", "</DFN>"},
        {"Emphasis1", M::StyleLogical, "&Emphasis", "", "<EM>", "</EM>"},
        {"Example1", M::StyleLogical, "E&xample", "", "<XMP>", "</XMP>"},
        {"Keyboard1", M::StyleLogical, "&Keyboard", "", "<KBD>", "</KBD>"},
        {"Listing1", M::StyleLogical, "&Listing", "", "<LISTING>", "</LISTING>"},
        {"Sample1", M::StyleLogical, "Sa&mple", "", "<SAMP>", "</SAMP>"},
        {"Strong1", M::StyleLogical, "&Strong", "", "<STRONG>", "</STRONG>"},
        {"Variable1", M::StyleLogical, "&Variable", "", "<VAR>", "</VAR>"},
        {"Bold1", M::Style, "&Bold", "Ctrl+B", "<B>", "</B>", R::Plain, "Bold|Bold text"},
        {"Italic1", M::Style, "&Italic", "Ctrl+Shift+I", "<I>", "</I>", R::Plain, "Italic|Italic text"},
        {"Underline1", M::Style, "&Underline", "Ctrl+Shift+U", "<U>", "</U>", R::Plain, "Underline|Underlined text"},
        {"Teletype1", M::Style, "&Teletype", "Ctrl+Shift+T", "<TT>", "</TT>", R::Plain, "Teletype|Fixed-width text"},
        {"StrikeThrough1", M::Style, "Stri&ke Through", "", "<STRIKE>", "</STRIKE>"},
        {"Big1", M::Style, "Bi&g", "", "<BIG>", "</BIG>"},
        {"Small1", M::Style, "S&mall", "", "<SMALL>", "</SMALL>"},
        {"Subscript1", M::Style, "Subs&cript", "", "<SUB>", "</SUB>"},
        {"Superscript1", M::Style, "Su&perscript", "", "<SUP>", "</SUP>"},
        {"HTML1", M::FormatStructure, "&HTML", "", "<HTML>\r\n", "\r\n</HTML>"},
        {"Head1", M::FormatStructure, "H&ead", "", "<HEAD>\r\n", "\r\n</HEAD>"},
        {"Title1", M::FormatStructure, "  &Title", "", "<TITLE>", "</TITLE>"},
        {"NoBreak1", M::FormatStructure, "  &No Break", "", "<NOBR>", "</NOBR>"},
        {"WordBreak1", M::FormatStructure, "    &Word Break", "", "<WBR>", ""},
        {"H1", M::FormatHeading, "H&1 ", "Ctrl+1", "<H1>", "</H1>", R::Plain, "Level 1|Heading level 1"},
        {"H2", M::FormatHeading, "H&2 ", "Ctrl+2", "<H2>", "</H2>", R::Plain, "Level 2|Heading level 2"},
        {"H3", M::FormatHeading, "H&3 ", "Ctrl+3", "<H3>", "</H3>", R::Plain, "Level 3|Heading level 3"},
        {"H4", M::FormatHeading, "H&4 ", "Ctrl+4", "<H4>", "</H4>", R::Plain, "Level 4|Heading level 4"},
        {"H5", M::FormatHeading, "H&5 ", "Ctrl+5", "<H5>", "</H5>", R::Plain, "Level 5|Heading level 5"},
        {"H6", M::FormatHeading, "H&6 ", "Ctrl+6", "<H6>", "</H6>", R::Plain, "Level 6|Heading level 6"},
        {"Paragraph1", M::Format, "&Paragraph", "Ctrl+P", "<P>", "</P>", R::Paragraph, "Paragraph|New paragraph"},
        {"LineBreak1", M::Format, "&Line Break", "Ctrl+Shift+L", "<BR>", "", R::LineBreak, "Line Break|Break the line"},
        {"Center1", M::Format, "&Center", "Ctrl+Shift+C", "<CENTER>", "</CENTER>", R::Plain, "Center|Center text"},
        {"BlockQuote1", M::Format, "Block &Quote", "", "<BLOCKQUOTE>", "</BLOCKQUOTE>", R::Plain,
         "Block Quote|Quoted block of text"},
        {"Preformatted1", M::Format, "Pre&formatted", "", "<PRE>", "</PRE>", R::Plain, "Preformatted|Preformatted text"},
        {"Comment1", M::Elements, "&Comment", "", "<!-- ", " -->", R::Comment, "Comment|Comment out text"},
        {"Caption1", M::ElementsTable, "  &Caption", "", "<CAPTION>", "</CAPTION>"},
        {"NoFrames1", M::ElementsFrame, "  &No Frames", "", "<NOFRAMES>\r\n", "\r\n</NOFRAMES>"},
        {"UnorderedList1", M::Lists, "&Unordered List", "Ctrl+U", "<UL>\r\n", "</UL>\r\n", R::List,
         "Unordered List|Bulleted list"},
        {"OrderedList1", M::Lists, "&Ordered List", "Ctrl+Shift+O", "<OL>\r\n", "</OL>\r\n", R::List,
         "Ordered List|Numbered list"},
        {"Directory1", M::Lists, "&Directory", "", "<DIR>\r\n", "</DIR>\r\n", R::List},
        {"Menu1", M::Lists, "&Menu", "", "<MENU>\r\n", "</MENU>\r\n", R::List},
        {"ListItem1", M::Lists, "  &List Item", "Ctrl+L", "<LI>", "", R::Plain, "List Item|Item of a list"},
        {"DefinitionList1", M::Lists, "D&efinition List", "", "<DL>\r\n", "</DL>\r\n", R::Plain,
         "Definition List|List of terms and definitions"},
        {"DefinitionTitle1", M::Lists, "  Definition &Title", "", "<DT>", ""},
        {"DefinitionItem1", M::Lists, "  Definition &Item", "", "<DD>", ""},
    };
    return table;
}

const TagCommand* tagCommand(std::string_view name) {
    for (const TagCommand& c : tagCommands())
        if (name == c.name) return &c;
    return nullptr;
}

std::pair<std::string, std::string> tagTexts(const TagCommand& c, bool hasSelection, const std::string& ulTag,
                                             const std::string& olTag) {
    std::string start = c.start, end = c.end;
    if (c.rule == TagRule::Paragraph && !hasSelection) end.clear();
    if (std::string_view(c.name) == "UnorderedList1") start = ulTag + "\r\n";
    if (std::string_view(c.name) == "OrderedList1") start = olTag + "\r\n";
    return {start, end};
}

} // namespace tv
