#include "app/recovery.h"

#include <cstdlib>
#include <filesystem>

namespace tv {

namespace {

constexpr std::string_view kMagic = "Taviron recovery 1\n";

const char* lineEndsName(LineEnds e) {
    switch (e) {
    case LineEnds::CrLf: return "CRLF";
    case LineEnds::Lf: return "LF";
    case LineEnds::AsIs: return "as-is";
    }
    return "LF";
}

std::optional<LineEnds> lineEndsOf(std::string_view name) {
    if (name == "CRLF") return LineEnds::CrLf;
    if (name == "LF") return LineEnds::Lf;
    if (name == "as-is") return LineEnds::AsIs;
    return std::nullopt;
}

} // namespace

std::string encodeJournal(const JournalEntry& e) {
    std::string out(kMagic);
    out += "file: " + e.fileName + "\n";
    out += "encoding: " + e.encoding + "\n";
    out += std::string("line-ends: ") + lineEndsName(e.lineEnds) + "\n";
    out += "length: " + std::to_string(e.text.size()) + "\n\n";
    out.reserve(out.size() + e.text.size());
    out += e.text;
    return out;
}

std::optional<JournalEntry> decodeJournal(std::string_view bytes) {
    if (bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    std::size_t at = kMagic.size();
    JournalEntry e;
    bool haveName = false, haveEnds = false, haveLength = false;
    std::size_t length = 0;
    for (;;) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (line.empty()) break;
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 2);
        if (key == "file") {
            e.fileName = value;
            haveName = !value.empty();
        } else if (key == "encoding") {
            e.encoding = value;
        } else if (key == "line-ends") {
            const auto ends = lineEndsOf(value);
            if (!ends) return std::nullopt;
            e.lineEnds = *ends;
            haveEnds = true;
        } else if (key == "length") {
            if (value.empty() || value.size() > 18) return std::nullopt;
            length = 0;
            for (char c : value) {
                if (c < '0' || c > '9') return std::nullopt;
                length = length * 10 + static_cast<std::size_t>(c - '0');
            }
            haveLength = true;
        }  // names this version does not know are passed over
    }
    if (!haveName || !haveEnds || !haveLength || bytes.size() - at != length) return std::nullopt;
    e.text = bytes.substr(at);
    return e;
}

std::string recoveryFolder() {
    std::string dir;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) dir = std::string(state) + "/Taviron";
    else if (const char* home = std::getenv("HOME"); home && *home) dir = std::string(home) + "/.local/state/Taviron";
    else dir = "./.taviron-state";
    dir += "/recovery";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

std::string journalFileName(const std::string& owner, int serial) {
    return owner + "-" + std::to_string(serial) + ".journal";
}

std::string journalOwner(std::string_view fileName) {
    constexpr std::string_view suffix = ".journal";
    if (fileName.size() <= suffix.size() || fileName.substr(fileName.size() - suffix.size()) != suffix) return {};
    const std::string_view stem = fileName.substr(0, fileName.size() - suffix.size());
    const std::size_t dash = stem.rfind('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == stem.size()) return {};
    for (char c : stem.substr(dash + 1))
        if (c < '0' || c > '9') return {};
    return std::string(stem.substr(0, dash));
}

std::string recoverQuestion(std::size_t count) {
    return "Taviron did not close normally. Recover " + std::to_string(count) + " unsaved document" +
           (count == 1 ? "" : "s") + "?";
}

} // namespace tv
