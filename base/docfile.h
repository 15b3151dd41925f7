// Reading and writing document files. The editor always holds CR LF line
// ends; a file keeps its own convention on disk, and saving never leaves a
// half-written file behind.
#pragma once

#include "text/encoding.h"

#include <stdexcept>
#include <functional>
#include <string>
#include <utility>
#include <string_view>

namespace tv {

// How a file's lines end on disk.
enum class LineEnds {
    CrLf,  // every break is CR LF
    Lf,    // every break is LF alone: the editor shows CR LF, saving writes LF
    AsIs,  // mixed or lone CR: the bytes go to the editor and back unchanged
};

// The convention of documents that were never saved.
LineEnds platformLineEnds();

// A read or write failure, with the system's message in what().
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EditorText {
    std::string text;
    LineEnds lineEnds;
};

// A document file as the editor holds it: UTF-8 text with CR LF line ends,
// and how to write it back.
struct LoadedDocument {
    std::string text;
    LineEnds lineEnds;
    FileEncoding encoding;
};
// File bytes decoded (detectEncoding, with `fallback` for pure ASCII) and
// their line ends turned into CR LF.
LoadedDocument documentFromFile(std::string bytes, FileEncoding fallback);
// The bytes to write: the file's line ends, then its encoding. For a text
// nobody edited, documentToFile(documentFromFile(b)) == b.
std::string documentToFile(std::string_view text, LineEnds lineEnds, FileEncoding encoding);

// A text file of a site (an include file, a template, a tag set, a file
// searched across) as text, and back in the encoding it had.
struct LoadedText {
    std::string text;
    FileEncoding encoding;
};
// Throws FileError "Cannot open file NAME".
LoadedText readSiteText(const std::string& fileName, FileEncoding fallback = FileEncoding::Utf8);
// Throws FileError "Cannot create file NAME" or ReadOnlyError.
void writeSiteText(const std::string& text, FileEncoding encoding, const std::string& fileName);

// Works out the line-end convention of text and turns it into the editor's
// text.
EditorText fileToEditorText(std::string bytes);
// The bytes to write for an editor text under a convention.
std::string editorToFileText(std::string_view text, LineEnds lineEnds);

// What tells that a file on disk changed, without reading it: its time of
// change, size and identity. A file that is not there has none.
struct FileStamp {
    bool exists = false;
    long long modified = 0;  // nanoseconds
    long long size = 0;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file a name leads to (links followed).
FileStamp fileStamp(const std::string& path);

// The whole file, byte for byte. Throws FileError.
std::string readFileBytes(const std::string& path);

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target, so a failure leaves the old file whole. A symbolic link
// stays a link: the file it points to is the one rewritten. The old file's
// permissions (and owner, where allowed) are kept. Throws FileError with the
// system's message.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// The whole file for the site tools (Update, search across files, include
// blocks, tag sets, projects): a regular file of at most 64 MiB. Throws
// FileError "Cannot open file NAME: reason".
constexpr long long kMaxSiteFile = 64LL << 20;
std::string readSiteFileBytes(const std::string& fileName);
// Reads the file as readSiteFileBytes does, a window at a time: `look` sees
// each window (beginning with the last `overlap` bytes of the one before)
// and stops the reading by returning true. Returns what `look` returned
// last; the errors are readSiteFileBytes's. `identity` receives the file's
// device and inode.
bool scanSiteFileBytes(const std::string& fileName, std::size_t overlap, const std::function<bool(std::string_view)>& look,
                  std::pair<unsigned long long, unsigned long long>* identity = nullptr);
// Writes the file whole or not at all (writeFileAtomically). Throws
// FileError "Cannot create file NAME".
void writeSiteFileBytes(const std::string& text, const std::string& fileName);

// A file whose permission bits forbid the user to write it (for the super
// user: a file without any write bit). what() is "NAME is read-only.".
class ReadOnlyError : public FileError {
public:
    using FileError::FileError;
};

// How a document file is written back.
enum class WriteWay {
    New,      // no file yet: written beside and renamed into place
    Rename,   // written beside and renamed over the old file
    InPlace,  // the old file is rewritten, its copy kept until the new text is on disk
};
// The way for a file as it is now. A rename would lose what the file is when
// its owner or group cannot be given back, it has more than one hard link,
// or it carries access lists or extended attributes; and it cannot be made
// in a folder the user may not write. Throws ReadOnlyError.
WriteWay documentWriteWay(const std::string& path);

// Writes a document or site file whole, by the way documentWriteWay gives:
// a failure leaves the old file as it was (in place, its kept copy is put
// back). A symbolic link stays a link. Throws FileError or ReadOnlyError.
void writeDocumentFile(const std::string& path, std::string_view bytes);

// The Save As extension rules: filter 1 ("*.html") turns a typed ".htm" name
// into ".html", filter 3 ("*.shtml") turns ".sht" into ".shtml". Returns the
// name to save under; `changed` tells whether a suffix was appended.
std::string applySaveAsExtension(const std::string& name, int filterIndex, bool& changed);

// The save dialog's filter list and the open dialog's.
extern const char* const kSaveAsFilter;
extern const char* const kOpenFilter;

// Text of the "Replace existing file?" question for a name.
std::string confirmReplaceText(std::string_view fileName);
// Text of the close prompt for a window caption.
std::string closePromptText(std::string_view caption);

} // namespace tv
