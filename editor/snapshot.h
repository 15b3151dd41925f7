// Undo and redo snapshots of the editor: the whole text with each
// character's colour, the selection and the first visible line, held in two
// bounded lists.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv {

// Colours of the text as runs: `length` characters in colour `style`.
struct StyleRun {
    std::uint8_t style;
    std::uint32_t length;
    bool operator==(const StyleRun&) const = default;
};

struct TUndo {
    std::int32_t SelStart = 0;
    std::int32_t SelLength = 0;
    std::int32_t TopLine = 0;
    std::string Text;               // the document's bytes
    std::vector<StyleRun> Styles;   // their colours

    std::size_t byteSize() const { return sizeof(TUndo) + Text.capacity() + Styles.capacity() * sizeof(StyleRun); }
};

// Runs from one style byte per character.
std::vector<StyleRun> encodeStyleRuns(std::string_view styles);
// Runs from the editor's styled text: character and style bytes alternating.
std::vector<StyleRun> encodeStyledText(std::string_view styled);
// One style byte per character.
std::string decodeStyleRuns(const std::vector<StyleRun>& runs);
// The colours of a text that kept the first `front` and the last `back`
// characters of a text coloured `old` and has `middle` between them: the
// runs come out as encodeStyleRuns would make them from the whole.
// `front + back` may not exceed the old text's length.
std::vector<StyleRun> spliceStyleRuns(const std::vector<StyleRun>& old, std::size_t front, std::size_t back,
                                      const std::vector<StyleRun>& middle);

// The undo and the redo list, oldest first, each holding at most `limit`
// records; the oldest record goes when a full list takes another.
template <class T>
class SnapshotLists {
public:
    explicit SnapshotLists(int limit = 5) : limit_(limit) {}

    int limit() const { return limit_; }
    // 0 and the current limit are ignored; otherwise both lists are trimmed
    // to the newest `limit` records.
    void setLimit(int limit) {
        if (limit <= 0 || limit == limit_) return;
        while (static_cast<int>(undo_.size()) > limit) undo_.pop_front();
        while (static_cast<int>(redo_.size()) > limit) redo_.pop_front();
        limit_ = limit;
    }

    void pushUndo(T record, bool clearRedo) {
        push(undo_, std::move(record));
        if (clearRedo) redo_.clear();
    }
    void pushRedo(T record) { push(redo_, std::move(record)); }

    std::optional<T> takeUndo() { return take(undo_); }
    std::optional<T> takeRedo() { return take(redo_); }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clearUndo() { undo_.clear(); }
    void clearRedo() { redo_.clear(); }
    const std::deque<T>& undoList() const { return undo_; }
    const std::deque<T>& redoList() const { return redo_; }

private:
    void push(std::deque<T>& list, T record) {
        if (static_cast<int>(list.size()) >= limit_) list.pop_front();
        list.push_back(std::move(record));
    }
    static std::optional<T> take(std::deque<T>& list) {
        if (list.empty()) return std::nullopt;
        std::optional<T> r(std::move(list.back()));
        list.pop_back();
        return r;
    }

    int limit_;
    std::deque<T> undo_;
    std::deque<T> redo_;
};

} // namespace tv
