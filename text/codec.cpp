#include "text/codec.h"

#include "text/lines.h"
#include "text/utf8.h"

namespace tv {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, so every byte survives
// a trip to Unicode and back.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::string DocumentCodec::decode(std::string_view bytes) const {
    // The UTF-8 form of each of the 256 bytes, made once; the text is then
    // measured and written in two straight passes.
    struct Form {
        char bytes[4];
        unsigned char size;
    };
    Form forms[256];
    for (int b = 0; b < 256; ++b) {
        const std::string u = utf8Of(toUnicode(static_cast<unsigned char>(b)));
        forms[b].size = static_cast<unsigned char>(u.size());
        for (std::size_t k = 0; k < u.size(); ++k) forms[b].bytes[k] = u[k];
    }
    std::size_t size = 0;
    for (char c : bytes) size += forms[static_cast<unsigned char>(c)].size;
    std::string out(size, '\0');
    char* p = out.data();
    for (char c : bytes) {
        const Form& f = forms[static_cast<unsigned char>(c)];
        for (unsigned k = 0; k < f.size; ++k) *p++ = f.bytes[k];
    }
    return out;
}

std::string DocumentCodec::encode(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        unsigned char byte = 0;
        if (fromUnicode(cp, byte)) {
            out += static_cast<char>(byte);
        } else {
            out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
        }
    }
    return out;
}

char32_t Windows1252Codec::toUnicode(unsigned char byte) const {
    return (byte >= 0x80 && byte <= 0x9F) ? kHigh[byte - 0x80] : char32_t(byte);
}

bool Windows1252Codec::fromUnicode(char32_t cp, unsigned char& byte) const {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        byte = static_cast<unsigned char>(cp);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        if (kHigh[k] == cp) {
            byte = static_cast<unsigned char>(0x80 + k);
            return true;
        }
    }
    return false;
}

const DocumentCodec& windows1252() {
    static const Windows1252Codec codec;
    return codec;
}

std::string clipboardToDocumentLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string documentToClipboardLineEnds(std::string_view text) { return crLfToLf(text); }

} // namespace tv
