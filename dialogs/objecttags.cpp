#include "dialogs/objecttags.h"

namespace tv {

namespace {
using K = TagItem::Kind;

std::string get(const Fields& f, const char* name) { return fieldText(f, name); }
bool ticked(const Fields& f, const char* name) { return get(f, name) == "1"; }

// " NAME=" and the value, quoted or bare, when the field is not empty.
std::string piece(const Fields& f, const char* attr, const char* field, bool quoted) {
    return attributeText(attr, get(f, field), quoted);
}

// The end of a tag with a loop count: "infinite", a number, or none.
std::string loopEnd(const Fields& f, const char* infinite) {
    if (ticked(f, infinite)) return " LOOP=infinite>";
    return piece(f, "LOOP", "loop", false) + ">";
}
} // namespace

const TagSpec& anchorSpec() {
    static const TagSpec s{"a", "<A>",
                           {{"HREF", "url", K::Quoted}, {"TARGET", "target", K::Quoted}, {"NAME", "name", K::Quoted},
                            {"TITLE", "title", K::Quoted}},
                           {{"HREF", "url", K::Quoted}, {"TITLE", "title", K::Quoted}, {"TARGET", "target", K::Quoted},
                            {"NAME", "name", K::Quoted}}};
    return s;
}

const TagSpec& imageSpec() {
    static const TagSpec s{"img", "<IMG>",
                           {{"SRC", "src", K::Quoted}, {"WIDTH", "width", K::Bare}, {"HEIGHT", "height", K::Bare},
                            {"HSPACE", "hspace", K::Bare}, {"VSPACE", "vspace", K::Bare}, {"ALT", "alt", K::Quoted},
                            {"ALIGN", "align", K::Quoted}, {"BORDER", "border", K::Bare},
                            {"USEMAP", "usemap", K::Quoted}, {"ISMAP", "ismap", K::Flag}},
                           {{"SRC", "src", K::Quoted}, {"ALT", "alt", K::Quoted}, {"ALIGN", "align", K::Quoted},
                            {"HEIGHT", "height", K::Bare}, {"WIDTH", "width", K::Bare}, {"BORDER", "border", K::Bare},
                            {"HSPACE", "hspace", K::Bare}, {"VSPACE", "vspace", K::Bare},
                            {"USEMAP", "usemap", K::Quoted}, {"ISMAP", "ismap", K::Flag}}};
    return s;
}

std::string buildImageTag(std::string tag, const Fields& fields) {
    Fields f = fields;
    if (!ticked(f, "wh")) {
        f.erase("width");
        f.erase("height");
    }
    return buildTag(imageSpec(), std::move(tag), f);
}

std::string applyScheme(const std::string& url, const std::string& scheme) {
    if (const std::size_t at = url.find("://"); at != std::string::npos) return scheme + url.substr(at + 3);
    if (const std::size_t at = url.find(':'); at != std::string::npos) return scheme + url.substr(at + 1);
    return scheme + url;
}

std::optional<PendingTexts> embedTexts(const Fields& f) {
    if (get(f, "src").empty()) return std::nullopt;
    return PendingTexts{"<EMBED" + piece(f, "SRC", "src", true) + piece(f, "WIDTH", "width", false) +
                            piece(f, "HEIGHT", "height", false) + piece(f, "BORDER", "border", false) +
                            piece(f, "ALIGN", "align", true) + ">",
                        ""};
}

std::optional<PendingTexts> soundTexts(const Fields& f) {
    if (get(f, "src").empty()) return std::nullopt;
    return PendingTexts{"<BGSOUND" + piece(f, "SRC", "src", true) + loopEnd(f, "infinite"), ""};
}

std::optional<PendingTexts> appletTexts(const Fields& f) {
    std::string tag = "<APPLET" + piece(f, "CODE", "code", true);
    tag += piece(f, "CODEBASE", "codebase", true) + piece(f, "NAME", "name", true) + piece(f, "ALT", "alt", true) +
           piece(f, "ALIGN", "align", false) + piece(f, "WIDTH", "width", false) + piece(f, "HEIGHT", "height", false) +
           piece(f, "VSPACE", "vspace", false) + piece(f, "HSPACE", "hspace", false) + ">";
    if (tag == "<APPLET>") return std::nullopt;
    return PendingTexts{tag + "\r\n", "</APPLET>"};
}

std::optional<PendingTexts> paramTexts(const Fields& f) {
    std::string tag = "<PARAM" + piece(f, "NAME", "name", true);
    tag += piece(f, "VALUE", "value", true) + ">";
    if (tag == "<PARAM>") return std::nullopt;
    return PendingTexts{tag + "\r\n", ""};
}

PendingTexts marqueeTexts(const Fields& f) {
    std::string tag = "<MARQUEE" + piece(f, "WIDTH", "width", false);
    tag += piece(f, "BGCOLOR", "bgcolor", true) + piece(f, "HEIGHT", "height", false) +
           piece(f, "ALIGN", "align", false) + piece(f, "HSPACE", "hspace", false) +
           piece(f, "VSPACE", "vspace", false) + piece(f, "SCROLLAMOUNT", "scrollamount", false) +
           piece(f, "SCROLLDELAY", "scrolldelay", false) + piece(f, "BEHAVIOR", "behavior", true) +
           piece(f, "DIRECTION", "direction", true) + loopEnd(f, "Infinite");
    return {tag + get(f, "text"), "</MARQUEE>"};
}

} // namespace tv
