#include "usertags/newdoc.h"

#include <gtest/gtest.h>

namespace {

TEST(NewDocument, SkeletonLeavesOutEmptyParts) {
    struct Case {
        tv::NewDocFields fields;
        std::string text;
    } cases[] = {
        {{}, "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n</BODY>\r\n</HTML>"},
        {{tv::kDocTypeLines[2], "Home", "bg.gif", "#C0C0C0", "", "#0000FF", "", "#FF0000"},
         "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n<HTML>\r\n<HEAD>\r\n<TITLE>Home</TITLE>\r\n"
         "</HEAD>\r\n<BODY BACKGROUND=\"bg.gif\" BGCOLOR=\"#C0C0C0\" LINK=\"#0000FF\" ALINK=\"#FF0000\">\r\n\r\n"
         "</BODY>\r\n</HTML>"},
        {{"", "", "", "", "#000000", "", "#800080", ""},
         "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY TEXT=\"#000000\" VLINK=\"#800080\">\r\n\r\n"
         "</BODY>\r\n</HTML>"},
    };
    for (const Case& c : cases) {
        const std::string text = tv::NewDocumentText(c.fields);
        EXPECT_EQ(text, c.text);
        // The caret lands on the empty line inside the body.
        EXPECT_EQ(text.substr(tv::newDocumentCaret(text)), "\r\n</BODY>\r\n</HTML>");
    }
}

} // namespace
