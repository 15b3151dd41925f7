#include "tools/multisearch.h"

#include "base/docfile.h"
#include "base/filekind.h"
#include "text/search.h"
#include "text/utf8.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace tv {

void CollectFolderFiles(const std::string& folder, bool recurse, const std::vector<std::string>& textExtensions,
                        std::vector<std::string>& list, std::vector<std::string>* passedOver) {
    collectFolderFilesWhere(
        folder, recurse, [&](const std::string& f) { return GetFileKind(f, textExtensions) == FileKind::Text; }, list,
        passedOver);
}

void collectFolderFilesWhere(const std::string& folder, bool recurse, const std::function<bool(const std::string&)>& wanted,
                             std::vector<std::string>& list, std::vector<std::string>* passedOver) {
    std::error_code ec;
    // Names are made full once, at the top folder; the ones below inherit it.
    const fs::path top = fs::path(folder).is_absolute() ? fs::path(folder) : fs::absolute(folder).lexically_normal();
    for (fs::directory_iterator it(top, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path p = it->path();
        std::error_code e2;
        if (it->is_directory(e2)) {
            if (recurse && !it->is_symlink(e2)) collectFolderFilesWhere(p.string(), true, wanted, list, passedOver);
            continue;
        }
        if (!wanted(p.string())) continue;
        // The status of what the name leads to: a FIFO, a device or a link
        // to one would never end a read; a broken link or a loop has none.
        // The folder's listing tells a plain file without another look-up.
        const bool plain = it->is_regular_file(e2) && !it->is_symlink(e2);
        const fs::file_status target = plain ? fs::file_status(fs::file_type::regular) : fs::status(p, e2);
        if (e2 || !fs::is_regular_file(target)) {
            if (passedOver) passedOver->push_back(p.string() + (e2 ? ": " + e2.message() : ": not a regular file"));
            continue;
        }
        list.push_back(p.is_absolute() ? p.string() : fs::absolute(p).lexically_normal().string());
    }
}

std::vector<std::string> eachFileOnce(const std::vector<std::string>& files) {
    std::vector<std::string> out;
    std::set<std::pair<unsigned long long, unsigned long long>> seen;
    std::set<std::string> names;
    for (const std::string& f : files) {
        const FileStamp s = fileStamp(f);
        const bool fresh = s.exists ? seen.insert({s.device, s.inode}).second : names.insert(f).second;
        if (fresh) out.push_back(f);
    }
    return out;
}

namespace {

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Every line break of `s` (CR LF, LF or CR) written as `br`.
std::string withLineBreaks(std::string_view s, std::string_view br) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s.substr(i, 2) == "\r\n") ++i;
            out += br;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The line end a file's text uses: its first one; CR LF when it has none,
// as for a document opened in the editor.
std::string_view ownLineEnd(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return "\r\n";
    if (text[at] == '\n') return "\n";
    return at + 1 < text.size() && text[at + 1] == '\n' ? std::string_view("\r\n") : std::string_view("\r");
}

// One pass over the text: at each place the earliest form that matches is
// replaced (of two at one place the first listed: CR LF comes before CR
// alone), and the search goes on after it.
int replaceForms(const std::vector<LineEndForm>& forms, std::string& text, bool caseSensitive,
                 const std::function<bool()>& cancelled) {
    if (forms.front().find.empty()) return 0;
    std::string out;
    int count = 0;
    std::size_t copied = 0;
    std::size_t from = 0;
    // The next match of each form, looked for again only once passed.
    std::vector<std::optional<int>> next(forms.size());
    std::vector<bool> known(forms.size(), false);
    while (true) {
        if (cancelled && cancelled()) break;
        int best = -1;
        for (std::size_t k = 0; k < forms.size(); ++k) {
            if (!known[k] || (next[k] && static_cast<std::size_t>(*next[k]) < from)) {
                next[k] = findText(text, static_cast<int>(from), forms[k].find, caseSensitive);
                known[k] = true;
            }
            if (next[k] && (best < 0 || *next[k] < *next[static_cast<std::size_t>(best)])) best = static_cast<int>(k);
        }
        if (best < 0) break;
        const LineEndForm& f = forms[static_cast<std::size_t>(best)];
        const auto at = static_cast<std::size_t>(*next[static_cast<std::size_t>(best)]);
        out.append(text, copied, at - copied);
        out += f.replacement;
        copied = at + f.find.size();
        from = copied;
        ++count;
    }
    if (count == 0) return 0;
    out.append(text, copied, std::string::npos);
    text.swap(out);
    return count;
}

} // namespace

std::vector<LineEndForm> lineEndForms(const std::string& find, const std::string& replacement, std::string_view text) {
    if (!hasLineBreak(find)) return {{find, withLineBreaks(replacement, ownLineEnd(text))}};
    std::vector<LineEndForm> forms;
    for (const std::string_view br : {"\r\n", "\n", "\r"})
        forms.push_back({withLineBreaks(find, br), withLineBreaks(replacement, br)});
    return forms;
}

int ReplaceCounted(const std::string& find, const std::string& replacement, std::string& text, bool caseSensitive,
                   const std::function<bool()>& cancelled) {
    return replaceForms({{find, replacement}}, text, caseSensitive, cancelled);
}

bool fileHolds(const std::string& file, const std::string& find, bool caseSensitive,
               std::pair<unsigned long long, unsigned long long>* identity) {
    // Each file is searched as characters, in its own encoding. Text of
    // ASCII only is the same bytes in every encoding a page may be in
    // (UTF-8 and Windows-1252 agree there, and other characters never hold
    // ASCII bytes), so it is looked for in the raw bytes, a window at a
    // time, and the reading stops at the first match. A line break matches
    // the file's own line ends, whichever they are.
    if (find.empty()) return false;
    const std::vector<LineEndForm> forms = lineEndForms(find, "", "");
    auto holds = [&](std::string_view text) {
        return std::any_of(forms.begin(), forms.end(),
                           [&](const LineEndForm& f) { return findText(text, 0, f.find, caseSensitive).has_value(); });
    };
    if (!isAscii(find)) {
        if (identity) {
            const FileStamp s = fileStamp(file);
            *identity = {s.device, s.inode};
        }
        return holds(readSiteText(file).text);
    }
    std::size_t longest = 0;
    for (const LineEndForm& f : forms) longest = std::max(longest, f.find.size());
    return scanSiteFileBytes(file, longest - 1, holds, identity);
}

std::vector<std::string> FindInFiles(const std::vector<std::string>& files, const std::string& find,
                                     bool caseSensitive, const FindCallbacks& cb, std::vector<std::string>* found) {
    std::vector<std::string> local;
    std::vector<std::string>& hits = found ? *found : local;
    // A file reached by two names is listed under the first; its identity
    // comes from the opened file, not from another look-up of the name.
    std::set<std::pair<unsigned long long, unsigned long long>> seen;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::pair<unsigned long long, unsigned long long> id;
        const bool holds = fileHolds(files[i], find, caseSensitive, &id);
        if (seen.insert(id).second && holds) hits.push_back(files[i]);
        if (cb.progress) cb.progress(i + 1, hits.size());
        if (cb.cancelled && cb.cancelled()) break;
    }
    return hits;
}

ReplaceResult ReplaceInFiles(const std::vector<std::string>& files, const std::string& find,
                             const std::string& replacement, bool caseSensitive, const ReplaceCallbacks& cb) {
    ReplaceResult r;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        if (cb.progress) cb.progress(i + 1, file, r.total);
        std::optional<std::string> open = cb.openText ? cb.openText(file) : std::nullopt;
        LoadedText loaded = open ? LoadedText{*open, FileEncoding::Utf8} : readSiteText(file);
        // Line breaks are matched and written in the file's own line ends.
        const int n = replaceForms(lineEndForms(find, replacement, loaded.text), loaded.text, caseSensitive,
                                   cb.cancelled);
        if (n > 0) {
            // Written back in the file's own encoding: the bytes outside the
            // replacements stay as they were, and a replacement the encoding
            // cannot hold is written as numeric references.
            if (open) cb.setOpenText(file, loaded.text);
            else writeSiteText(loaded.text, loaded.encoding, file);
            if (cb.changed) cb.changed(file, n);
            r.changed.emplace_back(file, n);
            r.total += n;
        }
        if (cb.cancelled && cb.cancelled()) break;
    }
    return r;
}

} // namespace tv
