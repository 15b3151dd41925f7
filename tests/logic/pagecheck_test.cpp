#include "check/pagecheck.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> shown(const tv::PageCheck& c) {
    std::vector<std::string> out;
    for (const tv::CheckProblem& p : c.problems) out.push_back(tv::formatProblem(p, ""));
    return out;
}

TEST(PageCheck, ProblemsAtTheEditorsPlaces) {
    // Accented letters and tabs before the error: columns in characters,
    // a tab one character.
    const tv::PageCheck c = tv::checkPage("<!DOCTYPE html>\n<html><head><title>t</title></head><body>\r\n"
                                          "<p>caf\xC3\xA9\t\t<foo>x</foo>\n<img src=a.png>\n</body></html>",
                                          {});
    EXPECT_EQ(shown(c), (std::vector<std::string>{":3:10: error: <foo> is not recognized!",
                                                  ":3:10: warning: discarding unexpected <foo>",
                                                  ":3:16: warning: discarding unexpected </foo>",
                                                  ":4:1: warning: <img> lacks \"alt\" attribute"}));
    // Errors only, and a limit with the count of the rest.
    tv::PageCheckOptions errorsOnly;
    errorsOnly.warnings = false;
    EXPECT_EQ(shown(tv::checkPage("<!DOCTYPE html><title>t</title><foo><bar>", errorsOnly)),
              (std::vector<std::string>{":1:32: error: <foo> is not recognized!", ":1:37: error: <bar> is not recognized!"}));
    tv::PageCheckOptions two;
    two.limit = 2;
    std::string many = "<!DOCTYPE html><title>t</title>";
    for (int i = 0; i < 10; ++i) many += "<img src=x>";
    const tv::PageCheck limited = tv::checkPage(many, two);
    const tv::PageCheck all = tv::checkPage(many, {});
    EXPECT_GE(all.problems.size(), 10u);
    EXPECT_EQ(limited.problems.size(), 2u);
    EXPECT_EQ(limited.more, all.problems.size() - 2);
    EXPECT_EQ(limited.problems[1].message, all.problems[1].message);
    // A clean page, and accessibility checks only when asked.
    const std::string clean = "<!DOCTYPE html>\n<html lang=en><head><title>t</title></head><body><p>ok</p></body></html>";
    EXPECT_TRUE(tv::checkPage(clean, {}).problems.empty());
    tv::PageCheckOptions access;
    access.accessibility = 3;
    EXPECT_FALSE(tv::checkPage("<!DOCTYPE html><title>t</title><img src=x.png>", access).problems.empty());
}

} // namespace
