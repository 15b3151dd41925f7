#include "typing/foldmargin.h"

#include "editor/tvokrich.h"
#include "typing/folding.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {
// Lines walked at once beyond the screen, and in each background round.
constexpr int kLinesBeyondScreen = 300;
constexpr int kLinesPerRound = 20000;
} // namespace

TFoldMargin::TFoldMargin(TvokRich* view) : QObject(view), view_(view) {
    // What each edit touched, from the document, then the walk at once.
    connect(&view_->document(), &TDocument::touched, this, &TFoldMargin::touched);
    connect(&view_->document(), &TDocument::changed, this, [this] { refold(0); });
    background_.setSingleShot(true);
    background_.setInterval(0);
    connect(&background_, &QTimer::timeout, this, [this] { refold(kLinesPerRound); });
    // Editing a folded header opens it.
    view_->SendScintilla(QsciScintillaBase::SCI_SETAUTOMATICFOLD,
                         static_cast<unsigned long>(QsciScintillaBase::SC_AUTOMATICFOLD_CHANGE));
}

void TFoldMargin::setOn(bool on) {
    // The margin takes the editor's background, which the options may change.
    if (on) view_->setFoldMarginColors(view_->paper(), view_->paper());
    if (on == on_) return;
    on_ = on;
    if (on) {
        view_->setFolding(QsciScintilla::BoxedTreeFoldStyle, kMargin);
        dirtyFrom_ = 0;
        dirtyTo_ = lines_ = view_->LineCount();
        pending_ = -1;
        refold(0);
    } else {
        view_->SendScintilla(QsciScintillaBase::SCI_FOLDALL, static_cast<unsigned long>(QsciScintillaBase::SC_FOLDACTION_EXPAND));
        view_->setFolding(QsciScintilla::NoFoldStyle, kMargin);
        background_.stop();
        dirtyFrom_ = dirtyTo_ = pending_ = -1;
    }
}

void TFoldMargin::touched(int front, int back) {
    if (!on_ || front == std::numeric_limits<int>::max()) return;
    const int length = view_->Length();
    const int line = view_->LineOfPosition(std::min(front, length));
    const int last = view_->LineOfPosition(std::clamp(length - back, 0, length));
    const int lines = view_->LineCount();
    const int added = lines - lines_;
    lines_ = lines;
    // Lines below the change moved with it.
    if (dirtyTo_ > line) dirtyTo_ = std::max(line, dirtyTo_ + added);
    if (pending_ > line) pending_ = std::max(last + 1, pending_ + added);
    dirtyFrom_ = dirtyFrom_ < 0 ? line : std::min(dirtyFrom_, line);
    dirtyTo_ = std::max(dirtyTo_, last);
}

void TFoldMargin::refold(int budget) {
    if (!on_ || dirtyFrom_ < 0) return;
    const int lines = view_->LineCount();
    if (budget <= 0) {
        // As far as the screen shows, and a little beyond.
        const int bottom = static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE)) +
                           static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
        budget = std::max(dirtyTo_, static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(bottom)))) -
                 dirtyFrom_ + kLinesBeyondScreen;
    }
    const int from = std::min(dirtyFrom_, std::max(lines - 1, 0));
    tv::FoldState s;
    if (from > 0) s = tv::FoldState::decode(static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(from))));
    int line = from;
    for (; line < lines; ++line) {
        const auto stored = tv::FoldState::decode(static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line))));
        if (line > from && line > dirtyTo_ && (pending_ < 0 || line > pending_) && stored == s) break;
        if (line - from >= budget) {
            // The rest in the background: from here nothing is in step yet.
            pending_ = std::max(pending_, line);
            dirtyFrom_ = line;
            dirtyTo_ = std::max(dirtyTo_, line);
            background_.start();
            return;
        }
        view_->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), static_cast<long>(s.encode()));
        const int start = view_->LineStart(line);
        const int end = line + 1 < lines ? view_->LineStart(line + 1) : view_->Length();
        const auto* p = reinterpret_cast<const char*>(view_->SendScintilla(QsciScintillaBase::SCI_GETRANGEPOINTER,
                                                                          static_cast<unsigned long>(start), static_cast<long>(end - start)));
        const tv::FoldState next = tv::foldLine(p ? std::string_view(p, static_cast<std::size_t>(end - start)) : std::string_view(), s);
        int level = QsciScintillaBase::SC_FOLDLEVELBASE + s.depth;
        if (next.depth > s.depth) level |= QsciScintillaBase::SC_FOLDLEVELHEADERFLAG;
        if (static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_GETFOLDLEVEL, static_cast<unsigned long>(line))) != level)
            view_->SendScintilla(QsciScintillaBase::SCI_SETFOLDLEVEL, static_cast<unsigned long>(line), static_cast<long>(level));
        if (line == pending_) pending_ = -1;
        s = next;
    }
    dirtyFrom_ = dirtyTo_ = -1;
    if (line >= lines) pending_ = -1;
}

void TFoldMargin::finish() {
    while (on_ && dirtyFrom_ >= 0) refold(kLinesPerRound);
    background_.stop();
}

void TFoldMargin::foldAll(bool fold) {
    if (!on_) return;
    finish();
    view_->SendScintilla(QsciScintillaBase::SCI_FOLDALL,
                         static_cast<unsigned long>(fold ? QsciScintillaBase::SC_FOLDACTION_CONTRACT : QsciScintillaBase::SC_FOLDACTION_EXPAND));
}
