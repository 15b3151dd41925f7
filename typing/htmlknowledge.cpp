#include "typing/htmlknowledge.h"

#include <algorithm>

namespace tv {

const std::vector<ElementInfo>& htmlElements() {
    static const std::vector<ElementInfo> table{
        {"a", false, "download href hreflang ping referrerpolicy rel target type"},
        {"abbr", false, ""},
        {"address", false, ""},
        {"area", true, "alt coords download href ping referrerpolicy rel shape target"},
        {"article", false, ""},
        {"aside", false, ""},
        {"audio", false, "autoplay controls crossorigin loop muted preload src"},
        {"b", false, ""},
        {"base", true, "href target"},
        {"bdi", false, ""},
        {"bdo", false, ""},
        {"blockquote", false, "cite"},
        {"body", false, "onload onunload"},
        {"br", true, ""},
        {"button", false, "command commandfor disabled form formaction formenctype formmethod formnovalidate "
                          "formtarget name popovertarget popovertargetaction type value"},
        {"canvas", false, "height width"},
        {"caption", false, ""},
        {"cite", false, ""},
        {"code", false, ""},
        {"col", true, "span"},
        {"colgroup", false, "span"},
        {"data", false, "value"},
        {"datalist", false, ""},
        {"dd", false, ""},
        {"del", false, "cite datetime"},
        {"details", false, "name open"},
        {"dfn", false, ""},
        {"dialog", false, "closedby open"},
        {"div", false, ""},
        {"dl", false, ""},
        {"dt", false, ""},
        {"em", false, ""},
        {"embed", true, "height src type width"},
        {"fieldset", false, "disabled form name"},
        {"figcaption", false, ""},
        {"figure", false, ""},
        {"footer", false, ""},
        {"form", false, "accept-charset action autocomplete enctype method name novalidate rel target"},
        {"h1", false, ""},
        {"h2", false, ""},
        {"h3", false, ""},
        {"h4", false, ""},
        {"h5", false, ""},
        {"h6", false, ""},
        {"head", false, ""},
        {"header", false, ""},
        {"hgroup", false, ""},
        {"hr", true, ""},
        {"html", false, "lang manifest"},
        {"i", false, ""},
        {"iframe", false, "allow allowfullscreen height loading name referrerpolicy sandbox src srcdoc width"},
        {"img", true, "alt crossorigin decoding fetchpriority height ismap loading referrerpolicy sizes src srcset "
                      "usemap width"},
        {"input", true, "accept alpha alt autocomplete checked colorspace dirname disabled form formaction formenctype "
                        "formmethod formnovalidate formtarget height list max maxlength min minlength multiple name "
                        "pattern placeholder popovertarget popovertargetaction readonly required size src step type "
                        "value width"},
        {"ins", false, "cite datetime"},
        {"kbd", false, ""},
        {"label", false, "for"},
        {"legend", false, ""},
        {"li", false, "value"},
        {"link", true, "as blocking color crossorigin disabled fetchpriority href hreflang imagesizes imagesrcset "
                       "integrity media referrerpolicy rel sizes type"},
        {"main", false, ""},
        {"map", false, "name"},
        {"mark", false, ""},
        {"math", false, ""},
        {"menu", false, ""},
        {"meta", true, "charset content http-equiv media name"},
        {"meter", false, "high low max min optimum value"},
        {"nav", false, ""},
        {"noscript", false, ""},
        {"object", false, "data form height name type width"},
        {"ol", false, "reversed start type"},
        {"optgroup", false, "disabled label"},
        {"option", false, "disabled label selected value"},
        {"output", false, "for form name"},
        {"p", false, ""},
        {"picture", false, ""},
        {"pre", false, ""},
        {"progress", false, "max value"},
        {"q", false, "cite"},
        {"rp", false, ""},
        {"rt", false, ""},
        {"ruby", false, ""},
        {"s", false, ""},
        {"samp", false, ""},
        {"script", false, "async blocking crossorigin defer fetchpriority integrity nomodule referrerpolicy src type"},
        {"search", false, ""},
        {"section", false, ""},
        {"select", false, "autocomplete disabled form multiple name required size"},
        {"slot", false, "name"},
        {"small", false, ""},
        {"source", true, "height media sizes src srcset type width"},
        {"span", false, ""},
        {"strong", false, ""},
        {"style", false, "blocking media"},
        {"sub", false, ""},
        {"summary", false, ""},
        {"sup", false, ""},
        {"svg", false, ""},
        {"table", false, ""},
        {"tbody", false, ""},
        {"td", false, "colspan headers rowspan"},
        {"template", false, "shadowrootclonable shadowrootcustomelementregistry shadowrootdelegatesfocus "
                            "shadowrootmode shadowrootserializable"},
        {"textarea", false, "autocomplete cols dirname disabled form maxlength minlength name placeholder readonly "
                            "required rows wrap"},
        {"tfoot", false, ""},
        {"th", false, "abbr colspan headers rowspan scope"},
        {"thead", false, ""},
        {"time", false, "datetime"},
        {"title", false, ""},
        {"tr", false, ""},
        {"track", true, "default kind label src srclang"},
        {"u", false, ""},
        {"ul", false, ""},
        {"var", false, ""},
        {"video", false, "autoplay controls crossorigin height loop muted playsinline poster preload src width"},
        {"wbr", true, ""},
    };
    return table;
}

const ElementInfo* htmlElement(std::string_view name) {
    const auto& t = htmlElements();
    const auto it = std::lower_bound(t.begin(), t.end(), name,
                                     [](const ElementInfo& e, std::string_view n) { return e.name < n; });
    return it != t.end() && it->name == name ? &*it : nullptr;
}

const std::vector<std::string_view>& globalAttributes() {
    static const std::vector<std::string_view> list{
        "accesskey", "autocapitalize", "autocorrect", "autofocus", "class", "contenteditable", "dir", "draggable",
        "enterkeyhint", "hidden", "id", "inert", "inputmode", "is", "itemid", "itemprop", "itemref", "itemscope",
        "itemtype", "lang", "nonce", "popover", "slot", "spellcheck", "style", "tabindex", "title", "translate",
        "writingsuggestions"};
    return list;
}

namespace {
void addWords(std::vector<std::string_view>& out, std::string_view words) {
    while (!words.empty()) {
        const std::size_t blank = words.find(' ');
        const std::string_view w = words.substr(0, blank);
        if (!w.empty() && std::find(out.begin(), out.end(), w) == out.end()) out.push_back(w);
        if (blank == std::string_view::npos) break;
        words.remove_prefix(blank + 1);
    }
}
} // namespace

std::vector<std::string_view> attributesOf(std::string_view element) {
    std::vector<std::string_view> out;
    if (const ElementInfo* e = htmlElement(element)) addWords(out, e->attributes);
    for (std::string_view g : globalAttributes())
        if (std::find(out.begin(), out.end(), g) == out.end()) out.push_back(g);
    return out;
}

std::vector<std::string_view> attributeValues(std::string_view element, std::string_view attribute) {
    struct Values {
        std::string_view element;  // empty: any element
        std::string_view attribute;
        std::string_view values;
    };
    static const Values table[] = {
        {"input", "type",
         "button checkbox color date datetime-local email file hidden image month number password radio range reset "
         "search submit tel text time url week"},
        {"button", "type", "button reset submit"},
        {"ol", "type", "1 a A i I"},
        {"script", "type", "importmap module speculationrules text/javascript"},
        {"style", "type", "text/css"},
        {"link", "type", "image/png image/svg+xml image/x-icon text/css"},
        {"link", "rel",
         "alternate author canonical dns-prefetch expect help icon license manifest modulepreload next pingback "
         "preconnect prefetch preload prev privacy-policy search stylesheet terms-of-service"},
        {"link", "as", "audio document embed fetch font image object script style track video worker"},
        {"", "rel", "alternate author bookmark external help license next nofollow noopener noreferrer opener prev "
                    "privacy-policy search tag terms-of-service"},
        {"", "target", "_blank _parent _self _top"},
        {"", "formtarget", "_blank _parent _self _top"},
        {"", "method", "dialog get post"},
        {"", "formmethod", "dialog get post"},
        {"", "enctype", "application/x-www-form-urlencoded multipart/form-data text/plain"},
        {"", "formenctype", "application/x-www-form-urlencoded multipart/form-data text/plain"},
        {"", "align", "bottom center justify left middle right top"},
        {"", "valign", "baseline bottom middle top"},
        {"", "dir", "auto ltr rtl"},
        {"", "loading", "eager lazy"},
        {"", "decoding", "async auto sync"},
        {"", "fetchpriority", "auto high low"},
        {"", "crossorigin", "anonymous use-credentials"},
        {"", "referrerpolicy",
         "no-referrer no-referrer-when-downgrade origin origin-when-cross-origin same-origin strict-origin "
         "strict-origin-when-cross-origin unsafe-url"},
        {"", "preload", "auto metadata none"},
        {"", "shape", "circle default poly rect"},
        {"", "scope", "col colgroup row rowgroup"},
        {"", "wrap", "hard soft"},
        {"", "kind", "captions chapters descriptions metadata subtitles"},
        {"", "autocomplete", "off on"},
        {"", "contenteditable", "false plaintext-only true"},
        {"", "draggable", "false true"},
        {"", "spellcheck", "false true"},
        {"", "translate", "no yes"},
        {"", "hidden", "hidden until-found"},
        {"", "popover", "auto hint manual"},
        {"", "popovertargetaction", "hide show toggle"},
        {"", "inputmode", "decimal email none numeric search tel text url"},
        {"", "enterkeyhint", "done enter go next previous search send"},
        {"", "autocapitalize", "characters none off on sentences words"},
        {"", "http-equiv", "content-security-policy content-type default-style refresh x-ua-compatible"},
        {"meta", "name",
         "application-name author color-scheme description generator keywords referrer robots theme-color viewport"},
        {"", "charset", "utf-8 windows-1252"},
        {"", "sandbox",
         "allow-downloads allow-forms allow-modals allow-popups allow-same-origin allow-scripts allow-top-navigation"},
    };
    std::vector<std::string_view> out;
    // An element's own list goes before the list of any element.
    for (const bool own : {true, false})
        for (const Values& v : table)
            if (v.attribute == attribute && (own ? v.element == element : v.element.empty()) && out.empty())
                addWords(out, v.values);
    return out;
}

} // namespace tv
