#include "editor/document.h"

#include "base/palette.h"
#include "text/encoding.h"

#include <Qsci/qsciscintilla.h>
#include <QMetaObject>
#include <algorithm>
#include <cstring>

namespace {

// A fingerprint of a text, to tell whether it is back to what was saved.
// Eight bytes a step, so that 1 MB takes well under a millisecond.
std::uint64_t textHash(std::string_view t) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ t.size();
    std::size_t i = 0;
    for (; i + 8 <= t.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, t.data() + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    for (; i < t.size(); ++i) h = (h ^ static_cast<unsigned char>(t[i])) * 0x100000001B3ULL;
    return h ^ (h >> 29);
}

// Edits larger than this are made with the views' line wrapping off:
// Scintilla keeps per-line wrap data, and inserting many lines into a
// wrapped view costs time in the square of the line count.
constexpr std::size_t kLargeEdit = 65536;

} // namespace

TDocument::TDocument() : engine_(std::make_unique<QsciScintilla>()) {
    using B = QsciScintillaBase;
    // The text is UTF-8 with CR LF line ends; the component keeps no undo of
    // its own, and reports no change (the document's edits say what they
    // changed).
    engine_->setUtf8(true);
    send(B::SCI_SETCODEPAGE, B::SC_CP_UTF8);
    send(B::SCI_ALLOCATELINECHARACTERINDEX, B::SC_LINECHARACTERINDEX_UTF32);
    send(B::SCI_SETEOLMODE, B::SC_EOL_CRLF);
    send(B::SCI_SETUNDOCOLLECTION, 0);
    send(B::SCI_EMPTYUNDOBUFFER);
    send(B::SCI_SETLEXER, B::SCLEX_CONTAINER);
    send(B::SCI_SETMODEVENTMASK, 0);
}

TDocument::~TDocument() = default;

long TDocument::send(unsigned int message, unsigned long w, long l) const {
    return engine_->SendScintilla(message, w, l);
}

QsciDocument TDocument::buffer() const { return engine_->document(); }

// --- text ----------------------------------------------------------------------

std::string_view TDocument::textView() const {
    const int len = length();
    const auto* p = static_cast<const char*>(engine_->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return p ? std::string_view(p, static_cast<std::size_t>(len)) : std::string_view();
}

int TDocument::length() const { return static_cast<int>(send(QsciScintillaBase::SCI_GETLENGTH)); }

std::string TDocument::limited(std::string_view text) const { return tv::limitToEncoding(text, file.encoding); }

void TDocument::loadText(std::string_view text) {
    DocumentEdit edit(*this);
    replaceRange(0, length(), text);
}

void TDocument::replaceRange(int start, int end, std::string_view text, int color) {
    using B = QsciScintillaBase;
    const bool large = static_cast<std::size_t>(end - start) > kLargeEdit || text.size() > kLargeEdit;
    if (large) emit largeEdit(true);
    send(B::SCI_SETTARGETSTART, static_cast<unsigned long>(start));
    send(B::SCI_SETTARGETEND, static_cast<unsigned long>(end));
    engine_->SendScintilla(B::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()), text.empty() ? "" : text.data());
    if (large) emit largeEdit(false);
    if (start != end || !text.empty()) textChanged(start, static_cast<int>(text.size()), color);
}

void TDocument::noteChange(int position, int inserted, int color) { textChanged(position, inserted, color); }

void TDocument::textChanged(int position, int inserted, int color) {
    styleTouched(position, position + inserted);
    untouchedText_.touch(position, position + inserted, length());
    ++changeCount_;
    modified_ = true;
    savedCheckPending_ = !forcedModified_;
    changePending_ = true;
    if (!restoring_ && inserted > 0 && color >= 0) setRangeColor(position, position + inserted, color);
    queueFlush();
}

// --- colours -------------------------------------------------------------------

int TDocument::colorAt(int pos) const {
    return static_cast<int>(send(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
}

void TDocument::setRangeColor(int start, int end, int index) {
    start = std::clamp(start, 0, length());
    end = std::clamp(end, start, length());
    if (end == start) return;
    send(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0x1f);
    send(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(end - start),
         static_cast<long>(std::clamp(index, 0, tv::kPaletteSize - 1)));
    styleTouched(start, end);
}

void TDocument::setRangeColors(int start, std::string_view colors) {
    start = std::clamp(start, 0, length());
    const int n = std::min(static_cast<int>(colors.size()), length() - start);
    if (n <= 0) return;
    send(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0x1f);
    engine_->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<unsigned long>(n), colors.data());
    styleTouched(start, start + n);
}

std::string TDocument::readStyles(int start, int end) const {
    if (end <= start) return {};
    std::string styled(static_cast<std::size_t>(2 * (end - start) + 2), '\0');
    engine_->SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, static_cast<long>(start), static_cast<long>(end),
                           styled.data());
    std::string styles(static_cast<std::size_t>(end - start), '\0');
    for (std::size_t i = 0; i < styles.size(); ++i) styles[i] = styled[2 * i + 1];
    return styles;
}

// --- undo and redo -------------------------------------------------------------

tv::TUndo TDocument::takeSnapshot(const ViewPlace& place) const {
    tv::TUndo u;
    u.SelStart = place.selStart;
    u.SelLength = place.selLength;
    u.TopLine = place.topLine;
    u.Encoding = static_cast<std::int32_t>(file.encoding);
    // Reading the colours back costs two bytes of copying per character,
    // and copying the text one: a snapshot shares with the last one what
    // no change has touched since.
    const auto len = static_cast<std::size_t>(length());
    const std::size_t front = known_ ? static_cast<std::size_t>(untouchedStyles_.front) : 0;
    const std::size_t back = known_ ? static_cast<std::size_t>(untouchedStyles_.back) : 0;
    // Only the stretch between is read, where it lies: the component's gap
    // stays near it instead of going to the end of the text.
    u.Text = tv::SharedText::splice(knownText_, len, front, back, [this](std::size_t from, std::size_t to) {
        const auto* p = reinterpret_cast<const char*>(
            send(QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), static_cast<long>(to - from)));
        return p ? std::string(p, to - from) : std::string();
    });
    u.Styles = tv::SharedText::splice(knownStyles_, len, front, back, [this](std::size_t from, std::size_t to) {
        return readStyles(static_cast<int>(from), static_cast<int>(to));
    });
    knownText_ = u.Text;
    knownStyles_ = u.Styles;
    known_ = true;
    untouchedStyles_ = {};
    return u;
}

void TDocument::pushUndo(const ViewPlace& place, bool clearRedo) { lists_.pushUndo(takeSnapshot(place), clearRedo); }

void TDocument::recordUndo(const ViewPlace& place) {
    if (undoGroup_ > 0 && undoRecorded_) return;
    pushUndo(place, true);
    if (undoGroup_ > 0) undoRecorded_ = true;
}

void TDocument::restore(const tv::TUndo& u) {
    DocumentEdit edit(*this);
    restoring_ = true;
    if (u.Encoding >= 0) file.encoding = static_cast<tv::FileEncoding>(u.Encoding);
    replaceRange(0, length(), u.Text.str());
    const std::string styles = u.Styles.str();
    send(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0x1f);
    engine_->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles.size()), styles.data());
    restoring_ = false;
    knownText_ = u.Text;
    knownStyles_ = u.Styles;
    known_ = true;
    untouchedStyles_ = {};
}

std::optional<TDocument::ViewPlace> TDocument::undo(const ViewPlace& now) {
    auto u = lists_.takeUndo();
    if (!u) return std::nullopt;
    pushRedo(now);
    restore(*u);
    return ViewPlace{u->SelStart, u->SelLength, u->TopLine};
}

std::optional<TDocument::ViewPlace> TDocument::redo(const ViewPlace& now) {
    auto r = lists_.takeRedo();
    if (!r) return std::nullopt;
    pushUndo(now, false);
    restore(*r);
    return ViewPlace{r->SelStart, r->SelLength, r->TopLine};
}

// --- state ---------------------------------------------------------------------

void TDocument::setModified(bool on) {
    modified_ = forcedModified_ = on;
    savedCheckPending_ = false;
    if (!on) {
        savedLength_ = static_cast<std::size_t>(length());
        savedHash_ = textHash(textView());
    }
}

void TDocument::endEdit() {
    if (--depth_ == 0) flush();
}

void TDocument::queueFlush() {
    if (depth_ > 0) return;
    flushLater_.request(this, [this] {
        if (depth_ == 0) flush();
    });
}

void TDocument::flush() {
    ++depth_;  // handlers may edit; their changes fold into this round
    for (int round = 0; round < 8 && changePending_; ++round) {
        changePending_ = false;
        // Back to the text that was saved (typed and deleted again, or
        // undone): nothing is unsaved any more.
        if (savedCheckPending_) {
            savedCheckPending_ = false;
            if (!forcedModified_ && static_cast<std::size_t>(length()) == savedLength_ && textHash(textView()) == savedHash_)
                modified_ = false;
        }
        // Only the head of the text is asked for, and only when the title may
        // have changed: the component's gap stays where the typing is.
        const UntouchedEnds ends = std::exchange(untouchedText_, {});
        title_.update(
            [this](std::size_t n) {
                const auto* p = reinterpret_cast<const char*>(
                    send(QsciScintillaBase::SCI_GETRANGEPOINTER, 0, static_cast<long>(n)));
                return p ? std::string_view(p, n) : std::string_view();
            },
            static_cast<std::size_t>(length()), static_cast<std::size_t>(ends.front), static_cast<std::size_t>(ends.back));
        emit touched(ends.front, ends.back);
        emit changed();
    }
    --depth_;
}
