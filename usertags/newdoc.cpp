#include "usertags/newdoc.h"

namespace tv {

const std::array<const char*, 6> kDocTypeLines = {
    "<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 2.0//EN\">",
    "<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 3.0//EN\">",
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">",
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">",
    "<!DOCTYPE html PUBLIC \"-//Netscape Comm. Corp.//DTD HTML//EN\">",
    "<!DOCTYPE html PUBLIC \"-//Microsoft Corp.//DTD HTML//EN\">",
};

std::string NewDocumentText(const NewDocFields& f) {
    std::string s;
    if (!f.dtd.empty()) s += f.dtd + "\r\n";
    s += "<HTML>\r\n<HEAD>\r\n<TITLE>" + f.title + "</TITLE>\r\n</HEAD>\r\n";
    s += f.background.empty() ? std::string("<BODY") : "<BODY BACKGROUND=\"" + f.background + "\"";
    const std::pair<const char*, const std::string*> colours[] = {
        {"BGCOLOR", &f.bground}, {"TEXT", &f.text}, {"LINK", &f.link}, {"VLINK", &f.vlink}, {"ALINK", &f.alink}};
    for (const auto& [name, value] : colours)
        if (!value->empty()) s += std::string(" ") + name + "=\"" + *value + "\"";
    s += ">\r\n\r\n</BODY>\r\n</HTML>";
    return s;
}

std::size_t newDocumentCaret(const std::string& text) { return text.size() < 18 ? 0 : text.size() - 18; }

} // namespace tv
