#include "check/problem.h"

namespace tv {

std::string shownName(const std::string& file, const std::string& from) {
    std::string base = from;
    if (!base.empty() && base.back() != '/') base += '/';
    return !base.empty() && file.compare(0, base.size(), base) == 0 ? file.substr(base.size()) : file;
}

std::string formatProblem(const CheckProblem& p, const std::string& from) {
    std::string out = shownName(p.file, from);
    if (p.line > 0) out += ":" + std::to_string(p.line) + ":" + std::to_string(p.column);
    return out + ": " + (p.error ? "error" : "warning") + ": " + p.message;
}

} // namespace tv
