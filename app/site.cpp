// taviron-site: the search and replace of Taviron's search dialog and its
// Update command, from the command line, so that a site can be searched,
// changed and brought up to date in a script.

#include "base/docfile.h"
#include "base/paths.h"
#include "base/settings.h"
#include "check/linkcheck.h"
#include "tools/macros.h"
#include "tools/multisearch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

const char* const kHelp =
    "Usage: taviron-site find [OPTIONS] TEXT FOLDER...\n"
    "       taviron-site replace [OPTIONS] FIND REPLACEMENT FOLDER...\n"
    "       taviron-site update [OPTIONS] FILE|FOLDER...\n"
    "       taviron-site check [--external] [OPTIONS] FOLDER...\n"
    "\n"
    "Searches or replaces a text in the text files of folders, as Taviron's search\n"
    "dialog does with \"Directory:\".\n"
    "\n"
    "  find      prints the files that hold TEXT, one a line, in the order the\n"
    "            dialog lists them\n"
    "  replace   replaces FIND by REPLACEMENT and prints the count of each file\n"
    "            changed (count, a tab, the file) and the total\n"
    "  update    fills the macros (#DATE#, #USERNAME#, #FILENAME#...) and the\n"
    "            include blocks of the text files named or found in the folders,\n"
    "            writes them back and prints each file that changed; the date\n"
    "            format is the one chosen in Taviron's options\n"
    "  check     follows every reference of the text files and of the style\n"
    "            sheets they use (href, src, srcset, url() ...) and prints each\n"
    "            problem as FILE:LINE:COLUMN: error|warning: MESSAGE (a missing\n"
    "            file, one that exists only in other letter case, a #fragment\n"
    "            with no such id, an id used twice), then the files no page\n"
    "            refers to, and a summary; exit status 1 when there are problems;\n"
    "            with --external also each http and https link (HEAD, then GET;\n"
    "            redirects followed and reported; 8 at once, 15 s each)\n"
    "\n"
    "Options:\n"
    "  -c, --case-sensitive   letter case counts (by default a-z match A-Z)\n"
    "  -n, --no-recurse       only the folders named, not their sub-folders\n"
    "  -e, --ext LIST         text file extensions, comma separated\n"
    "                         (default html,htm,shtml,txt)\n"
    "  -h, --help             this text\n"
    "      --version          the version of taviron-site\n"
    "\n"
    "A text may hold line breaks as \\n; they match CR LF in the files.\n"
    "Exit status: 0 all went well, 1 nothing matched (nothing changed for\n"
    "update), 2 an error; update writes nothing further after an error.\n";

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string e = list.substr(start, comma - start);
        if (!e.empty() && e.front() == '.') e.erase(0, 1);
        if (!e.empty()) out.push_back(e);
        start = comma + 1;
    }
    return out;
}

// "\n" written in an argument stands for the document's line break.
std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Entries of the folders that are no regular files are passed over, each
// with a word.
void tellPassedOver(const std::vector<std::string>& passedOver) {
    for (const std::string& p : passedOver) std::fprintf(stderr, "taviron-site: passed over %s\n", p.c_str());
}

int usage(const char* problem) {
    std::fprintf(stderr, "taviron-site: %s\n\n%s", problem, kHelp);
    return 2;
}

// The Update over files and folders, with the user's date settings.
int update(const std::vector<std::string>& names, bool recurse, const std::vector<std::string>& extensions) {
    std::vector<std::string> files, passedOver;
    for (const std::string& n : names) {
        std::error_code ec;
        if (std::filesystem::is_directory(n, ec)) {
            tv::CollectFolderFiles(n, recurse, extensions, files, &passedOver);
        } else if (std::filesystem::is_regular_file(n, ec)) {
            files.push_back(std::filesystem::absolute(n, ec).lexically_normal().string());
        } else {
            std::fprintf(stderr, "taviron-site: %s is neither a file nor a folder\n", n.c_str());
            return 2;
        }
    }
    tellPassedOver(passedOver);
    const std::vector<std::string> unique = tv::eachFileOnce(files);
    const std::string program = tv::programFolder();
    const auto store = tv::openSettingsStore();
    const tv::Settings settings = tv::ReadSettings(*store);
    tv::MacroContext context =
        tv::macroContextFor(settings, tv::registeredOwner(), program);
    tv::UpdateFilesCallbacks callbacks;
    // Each changed file is reported as soon as it is written, so that the
    // report is complete also when a later file stops the run.
    std::string last;
    callbacks.progress = [&](std::size_t, const std::string& file) { last = file; };
    callbacks.changed = [](const std::string& file) {
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
    };
    try {
        return tv::UpdateFiles(unique, extensions, context, callbacks).empty() ? 1 : 0;
    } catch (const std::runtime_error& e) {
        std::string message = e.what();
        message.erase(0, message.find_first_not_of(' '));
        std::fprintf(stderr, "taviron-site: %s: %s\n", last.c_str(), message.c_str());
        return 2;
    }
}

// The link check of folders, its problems one a line.
int check(const std::vector<std::string>& folders, bool recurse, const std::vector<std::string>& extensions, bool external) {
    for (const std::string& f : folders) {
        std::error_code ec;
        if (!std::filesystem::is_directory(f, ec)) {
            std::fprintf(stderr, "taviron-site: %s is not a folder\n", f.c_str());
            return 2;
        }
    }
    tv::LinkCheckOptions options;
    options.textExtensions = extensions;
    options.recurse = recurse;
    options.external = external;
    const tv::LinkCheck result = tv::checkLinks(folders, options);
    std::error_code ec;
    const std::string here = std::filesystem::current_path(ec).string();
    int errors = 0, warnings = 0;
    for (const tv::CheckProblem& p : result.problems) {
        std::printf("%s\n", tv::formatProblem(p, here).c_str());
        ++(p.error ? errors : warnings);
    }
    if (!result.orphans.empty()) {
        std::printf("Files no page or style sheet refers to:\n");
        for (const std::string& f : result.orphans) std::printf("  %s\n", tv::shownName(f, here).c_str());
    }
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::printf("%s, %s, %s no page refers to; %s read.\n", count(errors, "error", "errors").c_str(),
                count(warnings, "warning", "warnings").c_str(), count(result.orphans.size(), "file", "files").c_str(),
                count(result.filesRead, "file", "files").c_str());
    return result.problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> words;
    bool caseSensitive = false, recurse = true, external = false;
    std::vector<std::string> extensions{"html", "htm", "shtml", "txt"};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("taviron-site %s\n", TAVIRON_VERSION);
            return 0;
        }
        if (a == "-c" || a == "--case-sensitive") caseSensitive = true;
        else if (a == "-n" || a == "--no-recurse") recurse = false;
        else if (a == "--external") external = true;
        else if (a == "-e" || a == "--ext") {
            if (++i >= argc) return usage("--ext needs a list of extensions");
            extensions = split(argv[i]);
        } else if (a.rfind("--ext=", 0) == 0) {
            extensions = split(a.substr(6));
        } else if (a.size() > 1 && a[0] == '-' && words.size() < 1) {
            return usage(("unknown option " + a).c_str());
        } else {
            words.push_back(a);
        }
    }
    if (words.empty()) return usage("a command is needed");
    const std::string command = words[0];
    if (command == "check") {
        if (words.size() < 2) return usage("at least one folder is needed");
        return check({words.begin() + 1, words.end()}, recurse, extensions, external);
    }
    if (command == "update") {
        if (words.size() < 2) return usage("at least one file or folder is needed");
        return update({words.begin() + 1, words.end()}, recurse, extensions);
    }
    if (external) return usage("--external goes with check only");
    const std::size_t texts = command == "find" ? 1 : command == "replace" ? 2 : 0;
    if (texts == 0) return usage(("unknown command " + command).c_str());
    if (words.size() < 2 + texts) return usage("a text and at least one folder are needed");
    const std::string find = unescape(words[1]);
    if (find.empty()) return usage("the text to search for is empty");
    std::vector<std::string> files, passedOver;
    for (std::size_t k = 1 + texts; k < words.size(); ++k) {
        std::error_code ec;
        if (!std::filesystem::is_directory(words[k], ec)) {
            std::fprintf(stderr, "taviron-site: %s is not a folder\n", words[k].c_str());
            return 2;
        }
        tv::CollectFolderFiles(words[k], recurse, extensions, files, &passedOver);
    }
    tellPassedOver(passedOver);
    try {
        if (command == "find") {
            // (a file reached twice is listed once)
            std::vector<std::string> found;
            tv::FindInFiles(files, find, caseSensitive, {}, &found);
            for (const std::string& f : found) std::printf("%s\n", f.c_str());
            return found.empty() ? 1 : 0;
        }
        // A file reached twice (through two folders, or a link) is handled once.
        const std::vector<std::string> unique = tv::eachFileOnce(files);
        tv::ReplaceCallbacks cb;
        // Each file is reported as soon as it is written.
        cb.changed = [](const std::string& file, int count) {
            std::printf("%d\t%s\n", count, file.c_str());
            std::fflush(stdout);
        };
        const tv::ReplaceResult r = tv::ReplaceInFiles(unique, find, unescape(words[2]), caseSensitive, cb);
        std::printf("%d occurrences replaced.\n", r.total);
        return r.total == 0 ? 1 : 0;
    } catch (const tv::FileError& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "taviron-site: %s\n", e.what());
        return 2;
    }
}
