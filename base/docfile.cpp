#include "base/docfile.h"

#include "base/paths.h"
#include "text/lines.h"
#include "text/search.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tv {

const char* const kSaveAsFilter =
    "HTML     (*.html)|*.html|HTML     (*.htm)|*.htm|HTML     (*.shtml)|*.shtml|"
    "Style Sheet    (*.css)|*.css|Text        (*.txt)|*.txt|All files    (*.*)|*.*";
const char* const kOpenFilter =
    "HTML files|*.html; *.htm; *.shtm; *.shtml; *.css|Text files|*.txt|All files|*.*";

LineEnds platformLineEnds() {
#ifdef _WIN32
    return LineEnds::CrLf;
#else
    return LineEnds::Lf;
#endif
}

EditorText fileToEditorText(std::string bytes) {
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') { ++crlf; ++i; }
            else ++cr;
        } else if (bytes[i] == '\n') {
            ++lf;
        }
    }
    if (cr == 0 && lf == 0 && crlf == 0) return {std::move(bytes), platformLineEnds()};
    if (cr == 0 && lf == 0) return {std::move(bytes), LineEnds::CrLf};
    if (cr == 0 && crlf == 0) {
        std::string out;
        out.reserve(bytes.size() + lf);
        for (char c : bytes) {
            if (c == '\n') out += '\r';
            out += c;
        }
        return {std::move(out), LineEnds::Lf};
    }
    return {std::move(bytes), LineEnds::AsIs};
}

std::string editorToFileText(std::string_view text, LineEnds lineEnds) {
    if (lineEnds != LineEnds::Lf) return std::string(text);
    return crLfToLf(text);
}

namespace {

std::string systemMessage(int err) { return std::strerror(err); }

[[noreturn]] void fail(const std::string& path, int err) {
    throw FileError(path + ": " + systemMessage(err));
}

// Follows a chain of symbolic links to the file that is finally written.
fs::path resolveLinks(fs::path p) {
    std::error_code ec;
    for (int hops = 0; hops < 40; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
        fs::path target = fs::read_symlink(p, ec);
        if (ec) return p;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return p;
}

} // namespace

FileStamp fileStamp(const std::string& path) {
    FileStamp f;
#ifndef _WIN32
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return f;
    f.exists = true;
    f.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    f.size = static_cast<long long>(st.st_size);
    f.device = static_cast<unsigned long long>(st.st_dev);
    f.inode = static_cast<unsigned long long>(st.st_ino);
#else
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return f;
    f.exists = true;
    f.modified = static_cast<long long>(time.time_since_epoch().count());
    f.size = static_cast<long long>(fs::file_size(path, ec));
#endif
    return f;
}

std::string readFileBytes(const std::string& path) {
#ifndef _WIN32
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(path, errno);
    struct stat st {};
    const std::size_t reported = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    // Read straight into the string, to the end, whatever size was reported
    // (a file may grow, and some report none).
    std::string bytes(reported + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2 + 65536);
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            fail(path, err);
        }
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(used);
    return bytes;
#else
    std::error_code ec;
    if (fs::is_directory(path, ec)) fail(path, EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, errno ? errno : ENOENT);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) fail(path, EIO);
    return bytes;
#endif
}

#ifndef _WIN32
namespace {
// Writes every byte, going on after interruptions; throws the errno of a
// failure.
void writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errno;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}
} // namespace
#endif

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = resolveLinks(fs::path(path));
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
#ifndef _WIN32
    std::string tmpl = (folder / ("." + target.filename().string() + ".taviron-XXXXXX")).string();
    const int fd = mkstemp(tmpl.data());
    if (fd < 0) fail(path, errno);
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        fail(path, err);
    };
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) abandon(EISDIR);
    try {
        writeAll(fd, bytes);
    } catch (int err) {
        abandon(err);
    }
    // Owner and mode are given after the bytes: a write by an ordinary user
    // clears the set-user and set-group bits, as a change of owner does.
    if (replacing) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) { /* not ours to give away: keep our own */ }
        if (::fchmod(fd, old.st_mode & 07777) != 0) abandon(errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0) abandon(errno);
    }
    if (::fsync(fd) != 0) abandon(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        fail(path, err);
    }
    if (::rename(tmpl.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        fail(path, err);
    }
#else
    const fs::path tmp = folder / (target.filename().string() + ".taviron-tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) fail(path, errno);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const int err = errno;
            out.close();
            fs::remove(tmp);
            fail(path, err);
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        fs::remove(tmp);
        throw FileError(path + ": " + ec.message());
    }
#endif
}

std::string applySaveAsExtension(const std::string& name, int filterIndex, bool& changed) {
    changed = false;
    const std::string upper = upperAscii(name);
    auto has = [&](const char* s) { return upper.find(s) != std::string::npos; };
    if (filterIndex == 1 && !has(".HTML") && has(".HTM")) {
        changed = true;
        return name + "l";
    }
    if (filterIndex == 3 && !has(".SHTML") && !has(".HTM") && has(".SHT")) {
        changed = true;
        return name + "ml";
    }
    return name;
}

std::string confirmReplaceText(std::string_view fileName) {
    return std::string(fileName) + "\r\nThis file already exists." + "\r\n\r\n" +
           "Replace existing file?";
}

std::string closePromptText(std::string_view caption) {
    return "Save changes to " + std::string(caption) + "?";
}

#ifndef _WIN32
namespace {

// Whether the user may write a file with these bits: the permission bits
// decide, also for the super user, who may write only a file that has a
// write bit at all.
bool userMayWrite(const fs::path& target, const struct stat& st) {
    if (::geteuid() == 0) return (st.st_mode & 0222) != 0;
    return ::access(target.c_str(), W_OK) == 0;
}

bool inGroup(gid_t gid) {
    if (gid == ::getegid()) return true;
    gid_t groups[256];
    const int n = ::getgroups(256, groups);
    for (int i = 0; i < n; ++i)
        if (groups[i] == gid) return true;
    return false;
}

bool hasExtendedAttributes(const fs::path& target) {
    const ssize_t n = ::listxattr(target.c_str(), nullptr, 0);
    return n > 0;
}

// Rewrites the file itself with `bytes`; throws the errno of a failure.
// The mode is given back after the write, which clears the set-user and
// set-group bits of a file written by an ordinary user (only its owner can).
void rewrite(const fs::path& target, std::string_view bytes) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) throw errno;  // before the truncation clears them
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) throw errno;
    try {
        writeAll(fd, bytes);
        if ((st.st_mode & 06000) != 0 && st.st_uid == ::geteuid()) (void)::fchmod(fd, st.st_mode & 07777);
        if (::fsync(fd) != 0) throw errno;
    } catch (int) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) throw errno;
}

} // namespace
#endif

WriteWay documentWriteWay(const std::string& path) {
    const fs::path target = resolveLinks(fs::path(path));
#ifndef _WIN32
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return WriteWay::New;
    if (!S_ISREG(st.st_mode)) return WriteWay::InPlace;
    if (!userMayWrite(target, st)) throw ReadOnlyError(fileNameOnly(path) + " is read-only.");
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const bool root = ::geteuid() == 0;
    const bool ownerKept = root || st.st_uid == ::geteuid();
    const bool groupKept = root || (st.st_uid == ::geteuid() && inGroup(st.st_gid));
    if (!ownerKept || !groupKept || st.st_nlink > 1 || hasExtendedAttributes(target) ||
        ::access(folder.c_str(), W_OK | X_OK) != 0)
        return WriteWay::InPlace;
    return WriteWay::Rename;
#else
    return fs::exists(target) ? WriteWay::Rename : WriteWay::New;
#endif
}

void writeDocumentFile(const std::string& path, std::string_view bytes) {
    if (documentWriteWay(path) != WriteWay::InPlace) {
        writeFileAtomically(path, bytes);
        return;
    }
#ifndef _WIN32
    const fs::path target = resolveLinks(fs::path(path));
    // The old text is kept until the new one is on disk: in memory, and as a
    // file beside it where the folder lets us write one, so that it survives
    // even a crash in the middle of the write.
    const std::string old = readFileBytes(target.string());
    std::string copy;
    try {
        copy = target.parent_path().empty() ? std::string(".") : target.parent_path().string();
        copy += "/." + target.filename().string() + ".taviron-old-XXXXXX";
        const int fd = ::mkstemp(copy.data());
        if (fd < 0) throw errno;
        try {
            writeAll(fd, old);
            if (::fsync(fd) != 0) throw errno;
        } catch (int) {
            ::close(fd);
            ::unlink(copy.c_str());
            throw;
        }
        ::close(fd);
    } catch (int) {
        copy.clear();  // no room beside it: the copy in memory must do
    }
    try {
        rewrite(target, bytes);
    } catch (int err) {
        try {
            rewrite(target, old);
            if (!copy.empty()) ::unlink(copy.c_str());
        } catch (int) {
            // The copy beside the file is all that is left of the old text.
            if (!copy.empty())
                throw FileError(path + ": " + systemMessage(err) + ". The old text is kept in " + copy + ".");
        }
        fail(path, err);
    }
    if (!copy.empty()) ::unlink(copy.c_str());
#endif
}

LoadedDocument documentFromFile(std::string bytes, FileEncoding fallback) {
    DecodedText decoded = decodeFile(std::move(bytes), fallback);
    EditorText t = fileToEditorText(std::move(decoded.text));
    return {std::move(t.text), t.lineEnds, decoded.encoding};
}

std::string documentToFile(std::string_view text, LineEnds lineEnds, FileEncoding encoding) {
    return encodeFile(editorToFileText(text, lineEnds), encoding);
}

LoadedText readSiteText(const std::string& fileName, FileEncoding fallback) {
    DecodedText d = decodeFile(readSiteFileBytes(fileName), fallback);
    return {std::move(d.text), d.encoding};
}

void writeSiteText(const std::string& text, FileEncoding encoding, const std::string& fileName) {
    writeSiteFileBytes(encodeFile(text, encoding), fileName);
}

std::string readSiteFileBytes(const std::string& fileName) {
#ifndef _WIN32
    // Only a regular file of a sane size is read (scanSiteFileBytes checks): a
    // FIFO or a device would never end, and a huge file would only fill the
    // memory.
    std::string text;
    scanSiteFileBytes(fileName, 0, [&text](std::string_view window) {
        text.append(window);
        return false;
    });
    return text;
#else
    try {
        return readFileBytes(fileName);
    } catch (const FileError& e) {
        // The system's reason follows the name: "NAME: reason".
        const std::string what = e.what();
        const std::size_t colon = what.rfind(": ");
        throw FileError("Cannot open file " + fileName + (colon == std::string::npos ? "" : what.substr(colon)));
    }
#endif
}

bool scanSiteFileBytes(const std::string& fileName, std::size_t overlap, const std::function<bool(std::string_view)>& look,
                  std::pair<unsigned long long, unsigned long long>* identity) {
#ifndef _WIN32
    auto cannot = [&fileName](int err) { throw FileError("Cannot open file " + fileName + ": " + systemMessage(err)); };
    // Opened first and asked about through the descriptor: one look-up of
    // the name; a FIFO does not block the opening.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) cannot(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxSiteFile) {
        const int err = errno;
        const bool regular = S_ISREG(st.st_mode);
        ::close(fd);
        if (st.st_mode == 0) cannot(err);
        throw FileError("Cannot open file " + fileName + (regular ? ": larger than 64 MiB" : ": not a regular file"));
    }
    if (identity) *identity = {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
    constexpr std::size_t kWindow = 64 * 1024;
    // Not filled first: every byte looked at has been read.
    const auto buffer = std::make_unique_for_overwrite<char[]>(overlap + kWindow);
    std::size_t kept = 0;  // bytes carried over from the window before
    bool found = false;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.get() + kept, kWindow);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            cannot(err);
        }
        if (n == 0) break;
        const std::size_t used = kept + static_cast<std::size_t>(n);
        found = look(std::string_view(buffer.get(), used));
        if (found) break;
        kept = std::min(overlap, used);
        std::memmove(buffer.get(), buffer.get() + used - kept, kept);
    }
    ::close(fd);
    return found;
#else
    (void)overlap;
    if (identity) {
        const FileStamp s = fileStamp(fileName);
        *identity = {s.device, s.inode};
    }
    return look(readSiteFileBytes(fileName));
#endif
}

void writeSiteFileBytes(const std::string& text, const std::string& fileName) {
    try {
        writeDocumentFile(fileName, text);
    } catch (const ReadOnlyError&) {
        throw;
    } catch (const FileError& e) {
        const std::string what = e.what();
        const std::size_t colon = what.rfind(": ");
        throw FileError("Cannot create file " + fileName + (colon == std::string::npos ? "" : what.substr(colon)));
    }
}

} // namespace tv
