#include "text/encoding.h"

#include "text/codec.h"
#include "text/utf8.h"

#include <algorithm>
#include <cctype>

namespace tv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

} // namespace

const char* encodingName(FileEncoding e) {
    switch (e) {
    case FileEncoding::Utf8: return "UTF-8";
    case FileEncoding::Utf8Bom: return "UTF-8 with BOM";
    case FileEncoding::Windows1252: return "Windows-1252";
    }
    return "UTF-8";
}

std::optional<FileEncoding> encodingNamed(std::string_view name) {
    for (FileEncoding e : {FileEncoding::Utf8, FileEncoding::Utf8Bom, FileEncoding::Windows1252})
        if (name == encodingName(e)) return e;
    return std::nullopt;
}

std::optional<FileEncoding> declaredCharset(std::string_view bytes) {
    const std::string head = lowerAscii(bytes.substr(0, 1024));
    for (std::size_t at = head.find("charset"); at != std::string::npos; at = head.find("charset", at + 1)) {
        std::size_t i = at + 7;
        while (i < head.size() && (head[i] == ' ' || head[i] == '\t')) ++i;
        if (i >= head.size() || head[i] != '=') continue;
        ++i;
        while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '"' || head[i] == '\'')) ++i;
        std::size_t end = i;
        while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) || head[end] == '-' ||
                                     head[end] == '_'))
            ++end;
        const std::string name = head.substr(i, end - i);
        if (name == "utf-8" || name == "utf8") return FileEncoding::Utf8;
        if (name == "windows-1252" || name == "iso-8859-1" || name == "us-ascii" || name == "latin1" ||
            name == "cp1252")
            return FileEncoding::Windows1252;
        return std::nullopt;  // a charset this program does not write
    }
    return std::nullopt;
}

FileEncoding detectEncoding(std::string_view bytes, FileEncoding fallback) {
    if (bytes.substr(0, kBom.size()) == kBom) return FileEncoding::Utf8Bom;
    if (!isAscii(bytes)) return isValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Windows1252;
    if (const auto declared = declaredCharset(bytes)) return *declared;
    return fallback == FileEncoding::Utf8Bom ? FileEncoding::Utf8 : fallback;
}

DecodedText decodeFile(std::string bytes, FileEncoding fallback) {
    const FileEncoding e = detectEncoding(bytes, fallback);
    switch (e) {
    case FileEncoding::Utf8Bom:
        bytes.erase(0, kBom.size());
        return {std::move(bytes), e};
    case FileEncoding::Windows1252:
        return {windows1252().decode(bytes), e};
    case FileEncoding::Utf8:
        break;
    }
    return {std::move(bytes), e};
}

std::string encodeFile(std::string_view text, FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8Bom: {
        std::string out(kBom);
        out.append(text);
        return out;
    }
    case FileEncoding::Windows1252:
        return windows1252().encode(text);
    case FileEncoding::Utf8:
        break;
    }
    return std::string(text);
}

bool fitsEncoding(std::string_view text, FileEncoding encoding) {
    if (encoding != FileEncoding::Windows1252 || isAscii(text)) return true;
    std::size_t i = 0;
    unsigned char byte = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        if (!windows1252().fromUnicode(nextCodePoint(text, i), byte)) return false;
    }
    return true;
}

std::string limitToEncoding(std::string_view text, FileEncoding encoding) {
    if (fitsEncoding(text, encoding)) return std::string(text);
    return windows1252().decode(windows1252().encode(text));
}

} // namespace tv
