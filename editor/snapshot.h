// Undo and redo snapshots of the editor: the whole text with each
// character's colour, the selection and the first visible line, held in two
// bounded lists.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv {

// A text held as pieces that the snapshots of one document share: a
// snapshot taken after a change copies only the pieces the change touched,
// so that it costs in proportion to the change and not to the document.
class SharedText {
public:
    static constexpr std::size_t kPiece = 64 * 1024;

    SharedText() = default;
    explicit SharedText(std::string_view text) { append(text); }

    // A text of `size` bytes whose first `front` and last `back` bytes are
    // those of `old`; `read(from, to)` gives its bytes from `from` up to
    // `to`, asked only for what is not taken over from `old`.
    template <class Read>
    static SharedText splice(const SharedText& old, std::size_t size, std::size_t front, std::size_t back, Read read) {
        front = std::min({front, old.size_, size});
        back = std::min({back, old.size_ - front, size - front});
        SharedText t;
        std::size_t i = 0, head = 0;
        while (i < old.pieces_.size() && head + old.pieces_[i]->size() <= front) head += old.pieces_[i++]->size();
        std::size_t j = old.pieces_.size(), tail = 0;
        while (j > i && tail + old.pieces_[j - 1]->size() <= back) tail += old.pieces_[--j]->size();
        t.pieces_.assign(old.pieces_.begin(), old.pieces_.begin() + static_cast<std::ptrdiff_t>(i));
        t.size_ = head;
        t.append(read(head, size - tail));
        t.pieces_.insert(t.pieces_.end(), old.pieces_.begin() + static_cast<std::ptrdiff_t>(j), old.pieces_.end());
        t.size_ = size;
        return t;
    }

    std::size_t size() const { return size_; }
    std::string str() const;
    // Pieces held; pieces also held by `other`.
    std::size_t pieceCount() const { return pieces_.size(); }
    std::size_t piecesSharedWith(const SharedText& other) const;
    // Bytes of the pieces, counting shared ones too.
    std::size_t byteSize() const;

private:
    void append(std::string_view text);
    std::vector<std::shared_ptr<const std::string>> pieces_;
    std::size_t size_ = 0;
};

struct TUndo {
    std::int32_t SelStart = 0;
    std::int32_t SelLength = 0;
    std::int32_t TopLine = 0;
    SharedText Text;     // the document's bytes
    SharedText Styles;   // their colours, one palette index per byte
    // The file encoding the text was held in (a conversion is undone with
    // its text); -1: none recorded.
    std::int32_t Encoding = -1;

    std::size_t byteSize() const { return sizeof(TUndo) + Text.byteSize() + Styles.byteSize(); }
};

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
