// A problem found in a page or a site, at a place of a file.
#pragma once

#include <string>
#include <vector>

namespace tv {

struct CheckProblem {
    std::string file;   // full name; empty: the document checked
    int line = 0;       // from 1; 0: the file as a whole
    int column = 0;     // from 1, in characters
    bool error = true;  // false: a warning
    std::string message;
};

// "FILE:LINE:COLUMN: error: MESSAGE", FILE relative to `from` when it lies
// inside it.
std::string formatProblem(const CheckProblem& p, const std::string& from);
// A name relative to `from` when it lies inside it, else as it is.
std::string shownName(const std::string& file, const std::string& from);

} // namespace tv
