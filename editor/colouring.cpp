#include "editor/colouring.h"

#include <algorithm>

namespace tv {

TagKind kindOfTag(std::string_view tag) {
    auto startsWith = [&](std::string_view prefix) {
        if (tag.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            char c = tag[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (c != prefix[i]) return false;
        }
        return true;
    };
    if (startsWith("<A ") || startsWith("</A>")) return TagKind::Anchor;
    if (startsWith("<IMG ")) return TagKind::Image;
    if (startsWith("<!--")) return TagKind::Comment;
    return TagKind::Tag;
}

int TagStartBefore(std::string_view text, int caret) {
    for (int i = std::min<int>(caret, static_cast<int>(text.size())) - 1; i > 0; --i)
        if (text[static_cast<std::size_t>(i)] == '<' && text[static_cast<std::size_t>(i - 1)] != '<') return i;
    return 0;
}

bool CaretInTagAt(std::string_view text, int caret) {
    for (int i = std::min<int>(caret, static_cast<int>(text.size())) - 1; i >= 0; --i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c == '>') return false;
        if (c == '<') return true;
    }
    return false;
}

std::vector<ColorStretch> ColorWalk(std::string_view text, int start, WalkStop stop, int endPos) {
    std::vector<ColorStretch> out;
    const int n = static_cast<int>(text.size());
    const int s = std::clamp(start, 0, n);
    auto find = [&](char c, int from) {
        const std::size_t p = text.find(c, static_cast<std::size_t>(from));
        return p == std::string_view::npos ? -1 : static_cast<int>(p);
    };
    auto plain = [&](int from, int to) {
        if (to > from) out.push_back({from, to - from, TagKind::Plain});
    };
    // 1. Plain text up to the first "<".
    int b = find('<', s);
    if (b < 0) {
        plain(s, n);
        return out;
    }
    plain(s, b);
    int selectionStart = s;  // where the last coloured stretch began
    for (int pass = 1;; ++pass) {
        // 2. A tag at position 1 is coloured from position 0 (on the first
        // pass only: a text that begins with "><" would otherwise colour its
        // first ">" again and again, for ever).
        if (pass == 1 && b <= 1) b = 0;
        // 3. The tag's end; an unterminated tag leaves the rest in the font colour.
        const int close = find('>', b);
        if (close < 0) {
            plain(selectionStart, n);
            return out;
        }
        // 4. The tag, by its kind.
        out.push_back({b, close + 1 - b, kindOfTag(text.substr(static_cast<std::size_t>(b), static_cast<std::size_t>(close + 1 - b)))});
        // 5. Plain text up to the next "<".
        const int e = close + 1;
        const int next = find('<', e);
        if (next < 0) {
            plain(e, n);
            return out;
        }
        plain(e, next);
        selectionStart = e;
        b = next;
        // 6. The stop rule.
        if (stop == WalkStop::Range && b > endPos) return out;
        if (stop == WalkStop::AroundCaret && pass >= 2) return out;
    }
}

std::uint8_t KindColors::of(TagKind k) const {
    switch (k) {
    case TagKind::Tag: return tag;
    case TagKind::Anchor: return anchor;
    case TagKind::Image: return image;
    case TagKind::Comment: return comment;
    case TagKind::Plain: break;
    }
    return plain;
}

std::pair<int, int> colorSpan(const std::vector<ColorStretch>& stretches) {
    if (stretches.empty()) return {0, 0};
    int lo = stretches.front().start, hi = lo;
    for (const ColorStretch& c : stretches) {
        lo = std::min(lo, c.start);
        hi = std::max(hi, c.start + c.length);
    }
    return {lo, hi};
}

std::string colorBytes(const std::vector<ColorStretch>& stretches, const KindColors& colors, int lo, int hi) {
    if (hi <= lo) return {};
    std::string bytes(static_cast<std::size_t>(hi - lo), static_cast<char>(colors.plain));
    for (const ColorStretch& c : stretches) {
        const int s = std::max(c.start, lo);
        const int e = std::min(c.start + c.length, hi);
        if (s < e) std::fill_n(bytes.begin() + (s - lo), e - s, static_cast<char>(colors.of(c.kind)));
    }
    return bytes;
}

void colorDocumentInPieces(std::string_view text, int start, const KindColors& colors, int window,
                           const std::function<void(int from, std::string_view bytes)>& put) {
    window = std::max(window, 1);
    // A walk that stops at a range's end stops before a "<", and one that
    // starts there goes on exactly as the whole walk would: a walk keeps
    // nothing from one tag to the next.
    for (int from = start;;) {
        const std::vector<ColorStretch> walk = ColorWalk(text, from, WalkStop::Range, from + window);
        const auto [lo, hi] = colorSpan(walk);
        for (int at = lo; at < hi; at += window) {
            const std::string bytes = colorBytes(walk, colors, at, std::min(hi, at + window));
            put(at, bytes);
        }
        if (hi >= static_cast<int>(text.size()) || hi <= from) return;
        from = hi;
    }
}

std::string colorBytes(const std::vector<ColorStretch>& stretches, const KindColors& colors, int& from) {
    const auto [lo, hi] = colorSpan(stretches);
    from = lo;
    return colorBytes(stretches, colors, lo, hi);
}

} // namespace tv
