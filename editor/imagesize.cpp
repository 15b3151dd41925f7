#include "editor/imagesize.h"

#include "base/docfile.h"
#include "base/filekind.h"

#include <fstream>

namespace tv {

namespace {

std::string lowerExtensionOf(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return ext;
}

// One byte, or -1 at the end of the file.
int next(std::istream& in) {
    const int c = in.get();
    return c == std::char_traits<char>::eof() ? -1 : c;
}

// Four bytes, big-endian; -1 when the file ends first.
long long bigEndian32(std::istream& in) {
    long long v = 0;
    for (int i = 0; i < 4; ++i) {
        const int b = next(in);
        if (b < 0) return -1;
        v = v * 256 + b;
    }
    return v;
}

// Two bytes, big-endian; -1 when the file ends first.
int bigEndian16(std::istream& in) {
    const int a = next(in);
    const int b = next(in);
    return a < 0 || b < 0 ? -1 : a * 256 + b;
}

void gifSize(std::istream& in, std::uint32_t& width, std::uint32_t& height) {
    width = height = 0;
    unsigned char head[13];
    if (!in.read(reinterpret_cast<char*>(head), 13) || head[0] != 'G' || head[1] != 'I' || head[2] != 'F') return;
    if (head[10] & 0x80) {
        const std::streamoff table = 3LL << ((head[10] & 7) + 1);
        if (!in.seekg(13 + table)) return;
    }
    for (int c = next(in); c >= 0; c = next(in)) {
        if (c != 0x2C) continue;
        unsigned char d[8];
        if (!in.read(reinterpret_cast<char*>(d), 8)) return;
        width = static_cast<std::uint32_t>(d[4] | (d[5] << 8));
        height = static_cast<std::uint32_t>(d[6] | (d[7] << 8));
        return;
    }
}

std::ifstream openOrThrow(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw FileError("Cannot open file " + name);
    return in;
}

void pngSize(std::istream& in, std::uint32_t& width, std::uint32_t& height) {
    static const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    unsigned char sig[8];
    if (!in.read(reinterpret_cast<char*>(sig), 8)) return;
    for (int i = 0; i < 8; ++i)
        if (sig[i] != kSignature[i]) return;
    // The header chunk's width and height, 32 bits each.
    in.seekg(16);
    const long long w = bigEndian32(in);
    const long long h = bigEndian32(in);
    // A header cut short gives no size rather than a made-up one.
    if (w < 0 || h < 0) return;
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(h);
}

void jpegSize(std::istream& in, std::uint32_t& width, std::uint32_t& height) {
    if (next(in) != 0xFF || next(in) != 0xD8) return;
    int m = next(in);
    while (m == 0xFF) {
        const int code = next(in);
        if (code < 0) return;
        if (code == 0xFF) continue;
        if (code == 0xC0 || code == 0xC1) {
            for (int i = 0; i < 3; ++i)
                if (next(in) < 0) return;
            const int h = bigEndian16(in);
            const int w = bigEndian16(in);
            if (w < 0 || h < 0) return;
            width = static_cast<std::uint32_t>(w);
            height = static_cast<std::uint32_t>(h);
            return;
        }
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;
        const int len = bigEndian16(in);
        // A length below 2 would step backwards or stand still.
        if (len < 2 || !in.seekg(len - 2, std::ios::cur)) return;
        m = next(in);
    }
}

} // namespace

void ReadImageSizeFrom(std::istream& in, const std::string& extension, std::uint32_t& width, std::uint32_t& height) {
    if (extension == ".gif") gifSize(in, width, height);
    else if (extension == ".png") pngSize(in, width, height);
    else if (extension == ".jpg" || extension == ".jpeg") jpegSize(in, width, height);
}

void ReadImageSize(const std::string& fileName, std::uint32_t& width, std::uint32_t& height) {
    const std::string ext = lowerExtensionOf(fileName);
    if (ext == ".gif") {
        // A GIF that cannot be opened just has no size.
        width = height = 0;
        if (fileName.empty()) return;
        std::ifstream in(fileName, std::ios::binary);
        if (in) gifSize(in, width, height);
    } else if (ext == ".png" || ext == ".jpg" || ext == ".jpeg") {
        std::ifstream in = openOrThrow(fileName);
        ReadImageSizeFrom(in, ext, width, height);
    }
}

DropMarkup droppedFileMarkup(const std::string& fileName, const std::string& ref,
                             const std::vector<std::string>& textExtensions) {
    if (GetFileKind(fileName, textExtensions) != FileKind::Image)
        return {"<A HREF=\"" + ref + "\">", "</A>"};
    std::uint32_t width = 0, height = 0;
    ReadImageSize(fileName, width, height);
    if (width != 0 && height != 0)
        return {"<IMG SRC=\"" + ref + "\" WIDTH=" + std::to_string(width) + " HEIGHT=" + std::to_string(height) + ">",
                ""};
    return {"<IMG SRC=\"" + ref + "\">", ""};
}

} // namespace tv
