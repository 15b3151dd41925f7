#include "editor/snapshot.h"

namespace tv {

void SharedText::append(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        pieces_.push_back(std::make_shared<const std::string>(text.substr(at, kPiece)));
        size_ += pieces_.back()->size();
    }
}

std::string SharedText::str() const {
    std::string out;
    out.reserve(size_);
    for (const auto& p : pieces_) out += *p;
    return out;
}

std::size_t SharedText::piecesSharedWith(const SharedText& other) const {
    std::size_t n = 0;
    for (const auto& p : pieces_)
        for (const auto& q : other.pieces_)
            if (p == q) {
                ++n;
                break;
            }
    return n;
}

std::size_t SharedText::byteSize() const {
    std::size_t n = pieces_.capacity() * sizeof(pieces_[0]);
    for (const auto& p : pieces_) n += p->capacity();
    return n;
}

} // namespace tv
