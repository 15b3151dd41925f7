#include "tools/macros.h"

#include "base/docfile.h"
#include "base/filekind.h"
#include "base/frametext.h"
#include "base/paths.h"
#include "text/entities.h"
#include "tools/dateformat.h"

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace tv {

namespace {
const std::string kOpening = "##INCLUDE=\"";       // 11 characters
const std::string kEnd = "<!--##ENDINCLUDE##";      // the end marker begins so
const std::string kEndMarker = "<!--##ENDINCLUDE##-->";  // 21 characters
const std::string kClosing = "\"##--";
constexpr int kMaxNesting = 16;

// One Update's include work: each file is read once, and the text the
// blocks put in is counted, so that files including each other many times
// over cannot make an Update run for ever.
struct Expansion {
    std::map<std::string, std::optional<std::string>> files;
    std::size_t total = 0;
};

void expand(std::string& text, bool oneTime, const MacroContext& c, int depth, const std::string& within,
            Expansion& work) {
    std::size_t scan = 0;
    while (scan < text.size()) {
        const std::size_t open = text.find(kOpening, scan);
        const std::size_t end = text.find(kEnd, scan);
        const std::size_t close = text.find(kClosing, scan);
        if (open == std::string::npos || end == std::string::npos || close == std::string::npos) return;
        const std::size_t nameStart = open + kOpening.size();
        // A block must read start marker, name, closing text, end marker.
        if (close < nameStart || end < close + 6 || open < 4)
            throw MacroError("Include markers out of order" + (within.empty() ? std::string() : " in " + within));
        std::string name = text.substr(nameStart, close - nameStart);
        bool once = oneTime;
        if (!name.empty() && name[0] == '^') {
            once = true;
            name.erase(0, 1);
        }
        if (name.empty())
            throw MacroError("An include block names no file" + (within.empty() ? std::string() : " in " + within));
        const std::string full = resolveIncludeName(name, c.programFolder);
        auto cached = work.files.find(full);
        if (cached == work.files.end()) {
            std::optional<std::string> found;
            if (c.readFile) {
                found = c.readFile(full);
                if (found) found = decodeFile(std::move(*found), FileEncoding::Utf8).text;
            } else {
                std::error_code ec;
                if (fs::exists(full, ec)) {
                    try {
                        found = readSiteText(full).text;  // characters, whatever the file's encoding
                    } catch (const FileError& e) {
                        throw MacroError(e.what());
                    }
                }
            }
            cached = work.files.emplace(full, std::move(found)).first;
        }
        if (!cached->second) throw MacroError("  Unable to open file " + full);
        if (depth >= kMaxNesting) throw MacroError("Include files nested too deeply at " + full);
        work.total += cached->second->size();
        if (work.total > c.maxExpansion)
            throw MacroError("Include blocks expand beyond " + std::to_string(c.maxExpansion >> 20) + " MiB in " +
                             (within.empty() ? full : within));
        std::string content = *cached->second;
        expand(content, true, c, depth + 1, full, work);
        if (once) {
            const std::size_t from = open - 4;
            text.replace(from, end + kEndMarker.size() - from, content);
            scan = from + content.size();
        } else {
            const std::size_t from = close + 6;
            text.replace(from, end - from, content);
            scan = from + content.size() + kEndMarker.size();
        }
        if (scan + 1 >= text.size()) return;
    }
}
} // namespace

std::string MacroDate(int kind, const MacroContext& c) {
    std::string pattern;
    if (kind == 0) {
        if (c.dateFormat < 0 || c.dateFormat > 5) return {};
        pattern = datePattern(c.dateFormat, c.customDate);
    } else if (kind >= 1 && kind <= 5) {
        pattern = datePattern(kind - 1, "");
    } else if (kind == 6) {
        pattern = c.customDate;
    } else {
        return {};
    }
    return FormatDateTime(pattern, c.now(), c.locale);
}

std::string resolveIncludeName(const std::string& name, const std::string& programFolder) {
    std::string n = name;
    for (char& ch : n)
        if (ch == '\\') ch = '/';
    const bool absolute = (!n.empty() && n[0] == '/') || (n.size() > 1 && n[1] == ':');
    fs::path p = absolute ? fs::path(n) : fs::path(programFolder) / n;
    return p.lexically_normal().string();
}

void ExpandIncludes(std::string& text, bool oneTime, const MacroContext& context) {
    std::string work = text;  // the text changes only when all went well
    Expansion expansion;
    expand(work, oneTime, context, 0, "", expansion);
    text.swap(work);
}

void ApplyMacros(std::string& text, bool oneTime, const std::string& title, const std::string& fileName,
                 const MacroContext& c) {
    std::string work = text;
    Expansion expansion;
    expand(work, oneTime, c, 0, "", expansion);
    ReplaceAll("#DATE#", MacroDate(0, c), work, true);
    for (int k = 1; k <= 6; ++k) ReplaceAll("#DATE" + std::to_string(k) + "#", MacroDate(k, c), work, true);
    ReplaceAll("#USERNAME#", c.owner, work, true);
    if (!fileName.empty() && !IsUntitledName(fileName)) {
        std::string folder = folderOf(fileName);
        if (folder != "/") folder += "/";
        ReplaceAll("#FILEPATH#", folder, work, true);
        ReplaceAll("#FILENAME#", fileNameOnly(fileName), work, true);
    }
    if (!title.empty() && title.find("#TITLE#") == std::string::npos) ReplaceAll("#TITLE#", title, work, true);
    text.swap(work);
}

std::vector<std::string> UpdateFiles(const std::vector<std::string>& files,
                                     const std::vector<std::string>& textExtensions, const MacroContext& context,
                                     const UpdateFilesCallbacks& cb) {
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (cb.cancelled && cb.cancelled()) break;
        const std::string& file = files[i];
        if (cb.progress) cb.progress(i + 1, file);
        if (GetFileKind(file, textExtensions) != FileKind::Text) continue;
        std::optional<std::string> open = cb.openText ? cb.openText(file) : std::nullopt;
        LoadedText loaded = open ? LoadedText{*open, FileEncoding::Utf8} : readSiteText(file);
        std::string text = loaded.text;
        ApplyMacros(text, false, "", file, context);
        if (text == loaded.text) continue;  // a file nothing changed in is not written
        // Written back in its own encoding: bytes outside the changes stay.
        if (open && cb.setOpenText) cb.setOpenText(file, text);
        else writeSiteText(text, loaded.encoding, file);
        changed.push_back(file);
        if (cb.changed) cb.changed(file);
    }
    return changed;
}

std::string includeBlock(const std::string& name) { return "<!--##INCLUDE=\"" + name + "\"##-->\r\n" + kEndMarker; }

MacroContext macroContextFor(const Settings& settings, std::string owner, std::string programFolder) {
    MacroContext c;
    c.dateFormat = settings.dateFormat;
    c.customDate = settings.custDate;
    c.owner = std::move(owner);
    c.programFolder = std::move(programFolder);
    return c;
}

} // namespace tv
