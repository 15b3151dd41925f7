#include "dialogs/headtags.h"

#include <algorithm>

namespace tv {

namespace {
using K = TagItem::Kind;

std::string get(const Fields& f, const char* name) { return fieldText(f, name); }

std::string quoted(const char* attr, const std::string& v) { return attributeText(attr, v, true); }
std::string bare(const char* attr, const std::string& v) { return attributeText(attr, v, false); }
} // namespace

const TagSpec& bodySpec() {
    static const TagSpec s{"body", "<BODY>",
                           {{"BACKGROUND", "background", K::Quoted}, {"TEXT", "text", K::Quoted},
                            {"BGCOLOR", "bground", K::Quoted}, {"LINK", "link", K::Quoted},
                            {"VLINK", "vlink", K::Quoted}, {"ALINK", "alink", K::Quoted}},
                           {{"BACKGROUND", "background", K::Quoted}, {"BGCOLOR", "bground", K::Quoted},
                            {"TEXT", "text", K::Quoted}, {"LINK", "link", K::Quoted}, {"VLINK", "vlink", K::Quoted},
                            {"ALINK", "alink", K::Quoted}}};
    return s;
}

const TagSpec& ruleSpec() {
    static const TagSpec s{"hr", "<HR>",
                           {{"WIDTH", "width", K::Bare}, {"ALIGN", "align", K::Bare}, {"SIZE", "size", K::Bare},
                            {"NOSHADE", "noshade", K::Flag}},
                           {{"ALIGN", "align", K::Bare}, {"SIZE", "size", K::Bare}, {"WIDTH", "width", K::Bare},
                            {"NOSHADE", "noshade", K::Flag}}};
    return s;
}

const TagSpec& fontSpec() {
    static const TagSpec s{"font", "<FONT>",
                           {{"SIZE", "size", K::Quoted}, {"FACE", "face", K::Quoted}, {"COLOR", "color", K::Quoted}},
                           {{"COLOR", "color", K::Quoted}, {"FACE", "face", K::Quoted}}};
    return s;
}

PendingTexts bodyPending(const std::string& tag) { return {tag + "\r\n", "\r\n</BODY>"}; }

FontSize readFontSize(const std::string& value) {
    FontSize r;
    r.size = value;
    if (value.empty()) return r;
    const char c = value[0];
    if (c >= '0' && c <= '9') {
        r.type = 0;
    } else if (c == '+' || c == '-') {
        r.type = c == '+' ? 1 : 2;
        r.size = value.substr(1);
    }
    return r;
}

std::string fontSizeAttribute(bool ticked, int type, const std::string& size) {
    if (!ticked || size.empty()) return {};
    const char* sign = type == 1 ? "+" : type == 2 ? "-" : "";
    return attributeText("SIZE", sign + size, true);
}

std::string buildFontTag(std::string remainder, const Fields& fields, bool sizeTicked, int sizeType) {
    const std::string size = fontSizeAttribute(sizeTicked, sizeType, get(fields, "size"));
    if (!size.empty()) removeAttributes(remainder, "size");
    AppendAttribute(remainder, size);
    const std::string tag = buildTag(fontSpec(), remainder, fields);
    return tag == "<FONT>" ? std::string() : tag;
}

int fontSampleSize(bool ticked, int type, int size) {
    if (!ticked) return 12;
    int a = type == 1 ? 3 + size : type == 2 ? 3 - size : size;
    a = std::clamp(a, 1, 8);
    return a * 2 + 6;
}

int baseFontSampleSize(bool ticked, int size) {
    if (!ticked) return 12;
    return std::clamp(size, 1, 7) * 2 + 6;
}

PendingTexts baseTexts(const Fields& f) {
    const std::string t = "<BASE" + quoted("HREF", get(f, "href")) + quoted("TARGET", get(f, "target")) + ">";
    return {t == "<BASE>" ? std::string() : t, ""};
}

PendingTexts metaTexts(const Fields& f) {
    const std::string t = "<META" + quoted("NAME", get(f, "name")) + quoted("CONTENT", get(f, "content")) +
                          quoted("HTTP-EQUIV", get(f, "equiv")) + ">";
    return {t == "<META>" ? std::string() : t, ""};
}

PendingTexts linkTexts(const Fields& f) {
    std::string t = "<LINK" + quoted("HREF", get(f, "url"));
    t += quoted("NAME", get(f, "name")) + quoted("TITLE", get(f, "title")) + quoted("TYPE", get(f, "ltype")) +
         bare("REL", get(f, "rel")) + bare("REV", get(f, "rev")) + ">";
    return {t == "<LINK>" ? std::string() : t, ""};
}

PendingTexts isIndexTexts(const Fields& f) {
    return {"<ISINDEX" + quoted("PROMPT", get(f, "prompt")) + quoted("ACTION", get(f, "action")) + ">", ""};
}

PendingTexts baseFontTexts(const Fields& f) {
    std::string t = "<BASEFONT";
    if (!get(f, "SizeCheck").empty()) t += bare("SIZE", get(f, "size"));
    t += quoted("COLOR", get(f, "color")) + quoted("FACE", get(f, "face")) + ">";
    return {t == "<BASEFONT>" ? std::string() : t, ""};
}

PendingTexts headingTexts(const Fields& f) {
    const std::string level = get(f, "Level");
    if (level.empty()) return {};
    return {"<H" + level + bare("ALIGN", get(f, "align")) + ">", "</H" + level + ">"};
}

PendingTexts framesetTexts(const Fields& f) {
    if (get(f, "cols").empty() && get(f, "rows").empty()) return {};
    return {"<FRAMESET" + quoted("COLS", get(f, "cols")) + quoted("ROWS", get(f, "rows")) +
                bare("FRAMEBORDER", get(f, "border")) + bare("FRAMESPACING", get(f, "spacing")) + ">\r\n",
            "\r\n</FRAMESET>"};
}

PendingTexts frameTexts(const Fields& f) {
    if (get(f, "src").empty()) return {};
    return {"<FRAME" + quoted("SRC", get(f, "src")) + quoted("NAME", get(f, "name")) + bare("FRAMEBORDER", get(f, "border")) +
                bare("MARGINHEIGHT", get(f, "height")) + bare("MARGINWIDTH", get(f, "width")) +
                quoted("SCROLLING", get(f, "scroll")) + quoted("ALIGN", get(f, "align")) +
                (get(f, "noresize").empty() ? ">" : " NORESIZE>"),
            ""};
}

PendingTexts divisionTexts(const Fields& f) { return {"<DIV" + bare("ALIGN", get(f, "align")) + ">", "</DIV>"}; }

PendingTexts styleSheetTexts(int outputType, const Fields& f, const std::string& fontColor,
                             const std::string& background) {
    std::string d;
    if (!get(f, "size").empty()) d += "font-size: " + get(f, "size") + get(f, "fstype") + ";";
    auto add = [&](const char* property, const std::string& value, const std::string& unit = {}) {
        if (!value.empty()) d += std::string(" ") + property + ": " + value + unit + ";";
    };
    add("font-family", get(f, "family"));
    add("font-weight", get(f, "weight"));
    add("font-style", get(f, "style"));
    add("line-height", get(f, "lineheight"), get(f, "lhtype"));
    add("text-decoration", get(f, "decor"));
    add("text-align", get(f, "align"));
    add("text-indent", get(f, "indent"), get(f, "titype"));
    add("margin-left", get(f, "marginleft"), get(f, "mltype"));
    add("margin-right", get(f, "marginright"), get(f, "mrtype"));
    add("margin-top", get(f, "margintop"), get(f, "mttype"));
    add("color", fontColor);
    add("background", background);
    if (d.empty()) return {};
    if (d.front() == ' ') d.erase(0, 1);
    const std::string g = get(f, "tag");
    switch (outputType) {
    case 0: return {"<STYLE TYPE=\"text/css\">\r\n<!--\r\n" + g + " {" + d + "}\r\n-->\r\n</STYLE>", ""};
    case 1: return {"STYLE=\"" + d + "\"", ""};
    case 2: return {"<SPAN STYLE=\"" + d + "\">\r\n", "</SPAN>"};
    default: return {g + " {" + d + "}\r\n", ""};
    }
}

std::string addFramePiece(const std::string& field, const std::string& value, int type) {
    if (value.empty() && type != 3) return field;
    const std::string piece = type == 0 ? value + "%" : type == 1 ? value + "*" : type == 2 ? value : "*";
    return field.empty() ? piece : field + "," + piece;
}

} // namespace tv
