// The link check of a site: every reference of the text files of some
// folders, and of the style sheets they use, followed to its file and its
// #fragment; ids used twice in a page; files no page or style sheet refers
// to. Each file is read once, by the rules of the search across files.
#pragma once

#include "check/problem.h"
#include "check/webcheck.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tv {

struct LinkCheck {
    std::vector<CheckProblem> problems;  // by file, then place
    std::vector<std::string> orphans;   // full names, sorted
    std::size_t filesRead = 0;
    bool cancelled = false;
};

struct LinkCheckOptions {
    std::vector<std::string> textExtensions{"html", "htm", "shtml", "txt"};
    bool recurse = true;
    // Before each page: its number from 0, the count, its name; false stops.
    std::function<bool(std::size_t, std::size_t, const std::string&)> progress;
    // Links to the web (http, https) are asked only with `external`.
    bool external = false;
    WebCheckOptions web;
};

LinkCheck checkLinks(const std::vector<std::string>& folders, const LinkCheckOptions& options);

} // namespace tv
