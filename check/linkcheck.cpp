#include "check/linkcheck.h"

#include "base/docfile.h"
#include "base/filekind.h"
#include "check/references.h"
#include "text/htmlwalk.h"
#include "tools/multisearch.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <cctype>
#include <system_error>
#include <tuple>

namespace tv {
namespace {

namespace fs = std::filesystem;

struct Placed {
    std::string written, url;
    int line = 0, column = 0;
};

// What one read of a page or style sheet leaves: its references and
// anchors with their places, and the problems found in it alone.
struct Scanned {
    std::vector<Placed> references;
    std::set<std::string> anchors;
    bool hasBase = false;
    std::string base;
    std::vector<CheckProblem> problems;
};

// Lines and columns (in characters) of increasing offsets, in one walk.
class Places {
public:
    explicit Places(std::string_view text) : text_(text) {}
    std::pair<int, int> at(std::size_t offset) {
        if (offset < pos_) pos_ = 0, line_ = 1, column_ = 1;
        for (; pos_ < offset && pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '\n' || (c == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n'))) {
                ++line_;
                column_ = 1;
            } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                ++column_;
            }
        }
        return {line_, column_};
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1, column_ = 1;
};

std::string lower(std::string_view s) {
    std::string out;
    for (char c : s) out += asciiLower(c);
    return out;
}

bool isStyleSheet(const std::string& file) { return lower(fs::path(file).extension().string()) == ".css"; }

// The scheme of an address ("http", "mailto"), or empty.
std::string schemeOf(std::string_view url) {
    if (url.empty() || !std::isalpha(static_cast<unsigned char>(url[0]))) return {};
    for (std::size_t i = 1; i < url.size(); ++i) {
        const char c = url[i];
        if (c == ':') return lower(url.substr(0, i));
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
    }
    return {};
}

enum class Found { Yes, OtherCase, No };

class Checker {
public:
    Checker(const std::vector<std::string>& folders, const LinkCheckOptions& options) : options_(options) {
        for (const std::string& f : folders) {
            std::error_code ec;
            roots_.push_back(fs::absolute(f, ec).lexically_normal().string());
            if (roots_.back().size() > 1 && roots_.back().back() == '/') roots_.back().pop_back();
        }
    }

    LinkCheck run() {
        std::vector<std::string> pages, all;
        for (const std::string& root : roots_) {
            CollectFolderFiles(root, options_.recurse, options_.textExtensions, pages);
            collectFolderFilesWhere(
                root, options_.recurse, [&](const std::string& f) { return !hidden(f, root); }, all);
        }
        pages = eachFileOnce(pages);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (options_.progress && !options_.progress(i, pages.size(), pages[i])) {
                out_.cancelled = true;
                break;
            }
            checkFile(pages[i]);
        }
        // Style sheets the pages use, and those they use in turn.
        while (!out_.cancelled && !sheets_.empty()) {
            const std::string sheet = *sheets_.begin();
            sheets_.erase(sheets_.begin());
            checkFile(sheet);
        }
        if (!out_.cancelled && !web_.empty()) checkWeb();
        for (const std::string& f : eachFileOnce(all)) {
            const std::string stem = lower(fs::path(f).stem().string());
            if (stem != "index" && stem != "default" && !referenced_.count(f)) out_.orphans.push_back(f);
        }
        std::sort(out_.orphans.begin(), out_.orphans.end());
        std::stable_sort(out_.problems.begin(), out_.problems.end(), [](const CheckProblem& a, const CheckProblem& b) {
            return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
        });
        return std::move(out_);
    }

private:
    static bool hidden(const std::string& file, const std::string& root) {
        const std::string rel = file.substr(std::min(file.size(), root.size()));
        return rel.find("/.") != std::string::npos;
    }

    // The folder a page's "/..." addresses start from: the checked folder
    // that holds it (the deepest), else its own folder.
    std::string rootOf(const std::string& file) const {
        std::string best;
        for (const std::string& r : roots_)
            if (file.compare(0, r.size() + 1, r + "/") == 0 && r.size() > best.size()) best = r;
        return best.empty() ? fs::path(file).parent_path().string() : best;
    }

    const Scanned& scan(const std::string& file) {
        auto it = scanned_.find(file);
        if (it != scanned_.end()) return *it->second;
        auto s = std::make_unique<Scanned>();
        try {
            const std::string text = readSiteText(file).text;
            ++out_.filesRead;
            Places places(text);
            if (isStyleSheet(file)) {
                std::vector<PageReference> refs;
                scanCssReferences(text, 0, refs);
                for (const PageReference& r : refs) {
                    const auto [line, column] = places.at(r.offset);
                    s->references.push_back({r.written, r.url, line, column});
                }
            } else {
                const PageReferences refs = scanPageReferences(text);
                s->hasBase = refs.hasBase;
                s->base = refs.base;
                // References and anchors in the order of the text, for one walk.
                std::vector<std::pair<std::size_t, int>> order;
                for (std::size_t i = 0; i < refs.references.size(); ++i) order.emplace_back(refs.references[i].offset, int(i));
                for (std::size_t i = 0; i < refs.anchors.size(); ++i) order.emplace_back(refs.anchors[i].offset, -1 - int(i));
                std::sort(order.begin(), order.end());
                std::map<std::string, std::pair<int, int>> ids;
                s->references.resize(refs.references.size());
                for (const auto& [offset, index] : order) {
                    const auto [line, column] = places.at(offset);
                    if (index >= 0) {
                        const PageReference& r = refs.references[static_cast<std::size_t>(index)];
                        s->references[static_cast<std::size_t>(index)] = {r.written, r.url, line, column};
                        continue;
                    }
                    const PageAnchor& a = refs.anchors[static_cast<std::size_t>(-1 - index)];
                    s->anchors.insert(a.name);
                    if (!a.isId) continue;
                    const auto [first, fresh] = ids.emplace(a.name, std::make_pair(line, column));
                    if (!fresh)
                        s->problems.push_back({file, line, column, false,
                                               "id \"" + a.name + "\" is used twice (first on line " +
                                                   std::to_string(first->second.first) + ")"});
                }
            }
        } catch (const FileError& e) {
            s->problems.push_back({file, 0, 0, true, e.what()});
        }
        return *scanned_.emplace(file, std::move(s)).first->second;
    }

    // Whether a file is there, with its letter case or with another
    // (`real` then names it).
    Found find(const std::string& path, std::string& real) {
        std::error_code ec;
        if (fs::exists(path, ec)) {
            real = path;
            return Found::Yes;
        }
        // Walk down from the root, matching each part in any letter case.
        fs::path at("/");
        bool other = false;
        for (const fs::path& part : fs::path(path).relative_path()) {
            const std::string name = part.string();
            if (fs::exists(at / name, ec)) {
                at /= name;
                continue;
            }
            const std::vector<std::string>& names = listing(at.string());
            const std::string wanted = lower(name);
            const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return lower(n) == wanted; });
            if (match == names.end()) return Found::No;
            at /= *match;
            other = true;
        }
        real = at.string();
        return other ? Found::OtherCase : Found::No;
    }

    // What an address leads to, looked up once for the whole check (pages
    // of a site share their links).
    struct Target {
        Found found = Found::No;
        std::string real;
        bool isFolder = false;
    };
    const Target& lookUp(const std::string& path) {
        auto it = targets_.find(path);
        if (it != targets_.end()) return it->second;
        Target t;
        t.found = find(path, t.real);
        std::error_code ec;
        t.isFolder = t.found != Found::No && fs::is_directory(t.real, ec);
        return targets_.emplace(path, std::move(t)).first->second;
    }

    const std::vector<std::string>& listing(const std::string& dir) {
        auto it = listings_.find(dir);
        if (it != listings_.end()) return it->second;
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator d(dir, ec), end; !ec && d != end; d.increment(ec)) names.push_back(d->path().filename().string());
        return listings_.emplace(dir, std::move(names)).first->second;
    }

    void problem(const std::string& file, const Placed& r, bool error, const std::string& message) {
        out_.problems.push_back({file, r.line, r.column, error, message});
    }

    void checkFile(const std::string& file) {
        if (!checked_.insert(file).second) return;
        const Scanned& s = scan(file);
        out_.problems.insert(out_.problems.end(), s.problems.begin(), s.problems.end());
        const fs::path folder = fs::path(file).parent_path();
        // A base address elsewhere on the web makes the relative ones remote.
        fs::path baseFolder = folder;
        bool remoteBase = false;
        if (s.hasBase && !s.base.empty()) {
            const std::string scheme = schemeOf(s.base);
            if (scheme == "file") baseFolder = fs::path(percentDecoded(localPart(s.base))).parent_path();
            else if (!scheme.empty() || s.base.rfind("//", 0) == 0) remoteBase = true;
            else baseFolder = resolve(file, folder, s.base).parent_path();
        }
        for (const Placed& r : s.references) {
            std::string url = r.url;
            const std::string scheme = schemeOf(url);
            if (scheme == "http" || scheme == "https") {
                if (options_.external) web_.push_back({file, r, url.substr(0, url.find('#'))});
                continue;
            }
            if (!scheme.empty() && scheme != "file") continue;  // mail, scripts, data
            if (url.rfind("//", 0) == 0) continue;
            std::string fragment;
            if (const std::size_t hash = url.find('#'); hash != std::string::npos) {
                fragment = percentDecoded(url.substr(hash + 1));
                url.erase(hash);
            }
            if (const std::size_t query = url.find('?'); query != std::string::npos) url.erase(query);
            std::string target;
            if (scheme == "file") {
                target = fs::path(percentDecoded(localPart(url))).lexically_normal().string();
            } else if (url.empty()) {
                if (s.hasBase && !s.base.empty() && remoteBase) continue;
                target = file;  // this page
            } else {
                if (remoteBase) continue;
                target = resolve(file, baseFolder, url).string();
            }
            if (target.size() > 1 && target.back() == '/') target.pop_back();
            const Target& where = lookUp(target);
            const Found found = where.found;
            const std::string& real = where.real;
            if (found == Found::No) {
                problem(file, r, true, "missing file \"" + r.written + "\"");
                continue;
            }
            if (found == Found::OtherCase) {
                problem(file, r, true,
                        "\"" + r.written + "\" is \"" + shownName(real, folder.string()) +
                            "\" on disk: works on Windows and macOS, not on a Linux server");
            }
            if (real != file) referenced_.insert(real);
            const bool isFolder = where.isFolder;
            if (!isFolder && isStyleSheet(real) && !checked_.count(real)) sheets_.insert(real);
            if (fragment.empty() || fragment == "top" || isFolder) continue;
            if (GetFileKind(real, options_.textExtensions) != FileKind::Text) continue;
            const Scanned& t = real == file ? s : scan(real);
            if (t.anchors.count(fragment)) continue;
            problem(file, r, false,
                    "no id or name \"" + fragment + "\" in " +
                        (real == file ? std::string("this page") : "\"" + shownName(real, folder.string()) + "\""));
        }
    }

    void checkWeb() {
        std::vector<std::string> urls;
        for (const WebLink& w : web_) urls.push_back(w.url);
        WebCheckOptions web = options_.web;
        if (options_.progress && !web.progress)
            web.progress = [this](std::size_t done, std::size_t count) { return options_.progress(done, count, "web"); };
        const std::map<std::string, WebAnswer> answers = checkWebAddresses(urls, web);
        for (const WebLink& w : web_) {
            const auto it = answers.find(w.url);
            if (it == answers.end()) continue;  // stopped before it was asked
            const WebAnswer& a = it->second;
            if (!a.failure.empty())
                problem(w.file, w.ref, true, "broken link \"" + w.ref.written + "\" (" + a.failure + ")");
            else if (!a.ok())
                problem(w.file, w.ref, true, "broken link \"" + w.ref.written + "\" (" + std::to_string(a.status) + ")");
            else if (a.redirects > 0)
                problem(w.file, w.ref, false, "\"" + w.ref.written + "\" redirects to \"" + a.finalUrl + "\"");
        }
    }

    // "file:///a/b" and "file://localhost/a/b": "/a/b".
    static std::string localPart(const std::string& url) {
        std::string rest = url.substr(5);
        if (rest.rfind("//", 0) == 0) {
            rest.erase(0, 2);
            const std::size_t slash = rest.find('/');
            rest = slash == std::string::npos ? "/" : rest.substr(slash);
        }
        if (const std::size_t cut = rest.find_first_of("?#"); cut != std::string::npos) rest.erase(cut);
        return rest;
    }

    fs::path resolve(const std::string& page, const fs::path& from, const std::string& url) const {
        const std::string path = percentDecoded(url);
        if (!path.empty() && path[0] == '/') return (fs::path(rootOf(page)) / path.substr(1)).lexically_normal();
        return (from / path).lexically_normal();
    }

    const LinkCheckOptions& options_;
    std::vector<std::string> roots_;
    std::map<std::string, std::unique_ptr<Scanned>> scanned_;
    std::map<std::string, std::vector<std::string>> listings_;
    std::map<std::string, Target> targets_;
    std::set<std::string> referenced_, checked_, sheets_;
    struct WebLink {
        std::string file;
        Placed ref;
        std::string url;
    };
    std::vector<WebLink> web_;
    LinkCheck out_;
};

} // namespace

LinkCheck checkLinks(const std::vector<std::string>& folders, const LinkCheckOptions& options) {
    return Checker(folders, options).run();
}

} // namespace tv
