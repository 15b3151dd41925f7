#include "editor/textmodel.h"

#include "text/entities.h"

#include <algorithm>

namespace tv {

int clampLine(int line, int lineCount) {
    return std::clamp(line, 0, std::max(0, lineCount - 1));
}

int clampColumn(int column, int lineLength) {
    return std::clamp(column, 0, std::max(0, lineLength));
}

namespace {
// 0-based position of the first occurrence of an upper-case ASCII needle,
// comparing the text's a-z as A-Z.
std::size_t findFolded(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return std::string_view::npos;
    const std::size_t last = text.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (text[i] != '<') continue;
        std::size_t k = 1;
        for (; k < needle.size(); ++k) {
            char c = text[i + k];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (c != needle[k]) break;
        }
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

constexpr std::string_view kOpen = "<TITLE>";
constexpr std::string_view kClose = "</TITLE>";

std::string titleBetween(std::string_view text, std::size_t p1, std::size_t p2) {
    if (p1 == std::string_view::npos || p2 == std::string_view::npos || p2 <= p1 + kOpen.size()) return {};
    const std::string_view raw = text.substr(p1 + kOpen.size(), p2 - p1 - kOpen.size());
    try {
        return TranslateEntities(raw, EntityDirection::ToCharacters);
    } catch (const EntityNumberError&) {
        return std::string(raw);
    }
}
} // namespace

std::string GetTitleText(std::string_view text) {
    return titleBetween(text, findFolded(text, kOpen), findFolded(text, kClose));
}

const std::string& TitleTracker::update(const std::function<std::string_view(std::size_t)>& head, std::size_t length,
                                        std::size_t front, std::size_t back) {
    // The first tags lie before the change: they are still the first.
    if (state_ == State::Found && front >= closeEnd_) return title_;
    front = std::min(front, length);
    back = std::min(back, length - front);
    // A tag the change made overlaps the changed stretch.
    const std::size_t from = front > kClose.size() ? front - kClose.size() : 0;
    const std::size_t to = std::min(length, length - back + kClose.size());
    switch (state_) {
    case State::NoOpen:
        if (findFolded(head(to).substr(from), kOpen) == std::string_view::npos) return title_;
        break;
    case State::NoClose:
        if (findFolded(head(to).substr(from), kClose) == std::string_view::npos) return title_;
        break;
    case State::Unknown:
    case State::Found:
    case State::Other:
        break;
    }
    // The first tags are looked for up to a little past the change (or the
    // title as it was), and in the whole text only when they are not there:
    // a page's head is short, and its text beyond stays where it is.
    const std::size_t near = std::min(length, std::max(to, closeEnd_) + 4096);
    for (const std::size_t n : {near, length}) {
        const std::string_view text = head(n);
        const std::size_t p1 = findFolded(text, kOpen);
        const std::size_t p2 = p1 == std::string_view::npos ? std::string_view::npos : findFolded(text, kClose);
        if (n < length && (p1 == std::string_view::npos || p2 == std::string_view::npos)) continue;
        title_ = titleBetween(text, p1, p2);
        if (p1 == std::string_view::npos) {
            state_ = State::NoOpen;
        } else if (p2 == std::string_view::npos) {
            state_ = State::NoClose;
        } else if (p2 > p1 + kOpen.size()) {
            state_ = State::Found;
            closeEnd_ = p2 + kClose.size();
        } else {
            state_ = State::Other;
        }
        break;
    }
    return title_;
}

} // namespace tv
