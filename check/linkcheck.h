// The link check of a site: every reference of the text files of some
// folders, and of the style sheets they use, followed to its file and its
// #fragment; ids used twice in a page; files no page or style sheet refers
// to. Each file is read once, by the rules of the search across files.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tv {

struct LinkProblem {
    std::string file;  // full name
    int line = 0;      // from 1
    int column = 0;    // from 1, in characters
    bool error = true; // false: a warning
    std::string message;
};

struct LinkCheck {
    std::vector<LinkProblem> problems;  // by file, then place
    std::vector<std::string> orphans;   // full names, sorted
    std::size_t filesRead = 0;
    bool cancelled = false;
};

struct LinkCheckOptions {
    std::vector<std::string> textExtensions{"html", "htm", "shtml", "txt"};
    bool recurse = true;
    // Before each page: its number from 0, the count, its name; false stops.
    std::function<bool(std::size_t, std::size_t, const std::string&)> progress;
};

LinkCheck checkLinks(const std::vector<std::string>& folders, const LinkCheckOptions& options);

// "FILE:LINE:COLUMN: error: MESSAGE", FILE relative to `from` when it lies
// inside it.
std::string formatLinkProblem(const LinkProblem& p, const std::string& from);
// A name relative to `from` when it lies inside it, else as it is.
std::string shownName(const std::string& file, const std::string& from);

} // namespace tv
