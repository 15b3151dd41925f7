// The encodings of files on disk. Inside the program all document text is
// UTF-8; a file is decoded when it is read and encoded when it is written,
// each in its own encoding, and nothing else sees file bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv {

enum class FileEncoding { Utf8, Utf8Bom, Windows1252 };

// "UTF-8", "UTF-8 with BOM", "Windows-1252".
const char* encodingName(FileEncoding e);
std::optional<FileEncoding> encodingNamed(std::string_view name);

// The charset a page declares in its first 1,024 bytes (<meta charset=...>
// or a Content-Type with "charset="): UTF-8 for "utf-8", Windows-1252 for
// "windows-1252", "iso-8859-1" and "us-ascii"; none for anything else.
std::optional<FileEncoding> declaredCharset(std::string_view bytes);

// The encoding of file bytes: a UTF-8 byte-order mark; else valid UTF-8
// holding a byte above 0x7F; else, with any byte above 0x7F, Windows-1252;
// else (pure ASCII) the charset the page declares; else `fallback`.
FileEncoding detectEncoding(std::string_view bytes, FileEncoding fallback);

struct DecodedText {
    std::string text;  // UTF-8
    FileEncoding encoding;
};
// File bytes as text, in the encoding detectEncoding finds.
DecodedText decodeFile(std::string bytes, FileEncoding fallback);
// The bytes of a text in an encoding; a character Windows-1252 lacks is
// written as its numeric character reference. encodeFile(decodeFile(b)) == b
// for every file b.
std::string encodeFile(std::string_view text, FileEncoding encoding);

// A text with every character the encoding lacks turned into its numeric
// character reference ("&#20013;"): what may go into a document of that
// encoding. UTF-8 takes everything.
std::string limitToEncoding(std::string_view text, FileEncoding encoding);
// Whether limitToEncoding would change nothing.
bool fitsEncoding(std::string_view text, FileEncoding encoding);

} // namespace tv
