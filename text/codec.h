// The Windows-1252 code page, one of the encodings of files on disk (see
// text/encoding.h), and the line ends of the clipboard.
#pragma once

#include <string>
#include <string_view>

namespace tv {

class DocumentCodec {
public:
    virtual ~DocumentCodec() = default;
    virtual const char* name() const = 0;
    // Unicode code point of one document byte.
    virtual char32_t toUnicode(unsigned char byte) const = 0;
    // Document byte for a code point; false when the encoding lacks it.
    virtual bool fromUnicode(char32_t cp, unsigned char& byte) const = 0;

    // Document bytes to UTF-8.
    std::string decode(std::string_view bytes) const;
    // UTF-8 to document bytes; a character the encoding lacks becomes its
    // numeric character reference ("&#20013;"). Invalid UTF-8 sequences
    // become U+FFFD first, and so a reference as well.
    std::string encode(std::string_view utf8) const;
};

class Windows1252Codec final : public DocumentCodec {
public:
    const char* name() const override { return "Windows-1252"; }
    char32_t toUnicode(unsigned char byte) const override;
    bool fromUnicode(char32_t cp, unsigned char& byte) const override;
};

const DocumentCodec& windows1252();

// Clipboard text uses LF alone; document text uses CR LF. Pasted text has
// every line end (CR LF, LF or CR alone) turned into CR LF; copied text has
// CR LF turned into LF.
std::string clipboardToDocumentLineEnds(std::string_view text);
std::string documentToClipboardLineEnds(std::string_view text);


} // namespace tv
