// The check of one page by HTML Tidy: its markup errors and warnings, at
// lines and columns counted as the editor counts them (characters, a tab
// one character). The doctype found in the page decides the rules (HTML5
// when there is none).
#pragma once

#include "check/problem.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tv {

struct PageCheckOptions {
    bool warnings = true;       // false: errors only
    int accessibility = 0;      // 0 none, 1 to 3: the accessibility checks of that priority
    std::size_t limit = 500;    // problems kept
};

struct PageCheck {
    std::vector<CheckProblem> problems;  // in the order of the page
    std::size_t more = 0;                // found beyond the limit
};

// `text` is UTF-8.
PageCheck checkPage(std::string_view text, const PageCheckOptions& options);

} // namespace tv
