#include "typing/typingaid.h"

#include "editor/tvokrich.h"
#include "text/htmltree.h"
#include "typing/tagmatch.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>

#include <algorithm>

namespace {

// After the caret stops: a walk for a tag's partner may cross the page, so
// it is not made for every key of a burst.
constexpr int kMatchPause = 150;

// The list's separator: items hold blanks.
constexpr char kSeparator = '\n';

} // namespace

TTypingAid::TTypingAid(TvokRich* view) : QObject(view), view_(view) {
    view_->installEventFilter(this);
    connect(view_, &TvokRich::charTyped, this, &TTypingAid::typed);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>(kSeparator));
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETTYPESEPARATOR, 1UL);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETORDER, 2UL);  // SC_ORDER_CUSTOM: as given
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1UL);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETAUTOHIDE, 0UL);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETCANCELATSTART, 0UL);
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 12UL);
    // A double click in the list: the aid writes the item itself.
    connect(view_, qOverload<const char*, int>(&QsciScintillaBase::SCN_AUTOCSELECTION), this,
            [this](const char*, int) {
                const int index = static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_AUTOCGETCURRENT));
                view_->SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
                accept(index);
            });
    for (const auto& [indicator, colour] : {std::pair{kMatchIndicator, 0xC08040L}, std::pair{kUnpairedIndicator, 0x2020E0L}}) {
        const auto i = static_cast<unsigned long>(indicator);
        view_->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, i, static_cast<long>(QsciScintillaBase::INDIC_STRAIGHTBOX));
        view_->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, i, colour);
        view_->SendScintilla(QsciScintillaBase::SCI_INDICSETALPHA, i, 50L);
        view_->SendScintilla(QsciScintillaBase::SCI_INDICSETOUTLINEALPHA, i, 200L);
        view_->SendScintilla(QsciScintillaBase::SCI_INDICSETUNDER, i, 1L);
    }
    matchTimer_.setSingleShot(true);
    matchTimer_.setInterval(kMatchPause);
    connect(&matchTimer_, &QTimer::timeout, this, &TTypingAid::markMatch);
    auto later = [this] {
        if (options_.matchTags || marked_) matchTimer_.start();
    };
    connect(view_, &TvokRich::OnSelectionChange, this, later);
    connect(view_, &TvokRich::OnChange, this, later);
}

void TTypingAid::setOptions(const Options& options) {
    options_ = options;
    if (!options_.complete) cancelList();
    matchTimer_.start();
}

std::string_view TTypingAid::text() const { return view_->textView(); }

bool TTypingAid::listShown() const { return view_->SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE) != 0; }

void TTypingAid::cancelList() {
    if (listShown()) view_->SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
    items_.clear();
}

void TTypingAid::typed(unsigned char ch) {
    if (ch == '>' && options_.closeTags && view_->SelLength() == 0) closeTag();
    if (!options_.complete) return;
    // Backspace narrows nothing: it keeps a list that is shown up to date.
    if (ch == '\b' && !listShown()) return;
    if (ch == '\r' || ch == '\t') {
        cancelList();
        return;
    }
    offer();
}

void TTypingAid::offer() {
    const int caret = view_->CaretPosition();
    if (view_->SelLength() != 0 || view_->isReadOnly()) {
        cancelList();
        return;
    }
    tv::CompletionContext c = tv::completionContext(view_->textBefore(caret));
    if (c.kind == tv::CompletionKind::None) {  // most keys: plain text
        cancelList();
        return;
    }
    tv::CompletionSources sources;
    if (c.kind == tv::CompletionKind::EndTag) {
        // The elements open where the end tag begins, innermost first, as written.
        const std::string_view all = text();
        for (const auto& open : tv::openElementsAt(all, c.start - 2)) {
            const std::size_t nameStart = open.start + 1;
            std::string written(all.substr(nameStart, open.name.size()));
            if (std::find(sources.openElements.begin(), sources.openElements.end(), written) == sources.openElements.end())
                sources.openElements.insert(sources.openElements.begin(), written);
        }
    }
    sources.ownElements = own_;
    sources.windows1252 = view_->encoding() == tv::FileEncoding::Windows1252;
    items_ = tv::completionItems(c, sources);
    context_ = std::move(c);
    // The list opens where the word begins; the component finds the screen
    // there and fails when there is none (a window partly off the screens).
    const auto wordStart = static_cast<unsigned long>(context_.start);
    const QPoint at(static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(wordStart))),
                    static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(wordStart))));
    if (items_.empty() || !view_->isVisible() || !QGuiApplication::screenAt(view_->viewport()->mapToGlobal(at))) {
        cancelList();
        return;
    }
    std::string list;
    for (const tv::CompletionItem& i : items_) {
        if (!list.empty()) list += kSeparator;
        list += i.shown;
    }
    view_->SendScintilla(QsciScintillaBase::SCI_AUTOCSHOW, static_cast<unsigned long>(caret - static_cast<int>(context_.start)),
                         list.c_str());
}

void TTypingAid::accept(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    const tv::CompletionItem item = items_[static_cast<std::size_t>(index)];
    const tv::CompletionKind kind = context_.kind;
    const int from = static_cast<int>(context_.start);
    cancelList();
    emit aboutToType(QByteArray::fromStdString(item.inserted));
    view_->typeOver(from, item.inserted, static_cast<int>(item.caretBack));
    // An attribute with known values: the values at once.
    if (kind == tv::CompletionKind::Attribute) offer();
}

bool TTypingAid::closeTag() {
    const int caret = view_->CaretPosition();
    const std::string_view before = view_->textBefore(caret);
    const std::size_t lt = before.rfind('<');
    if (lt == std::string_view::npos || before.size() - lt > tv::kCompletionWindow) return false;
    const std::optional<tv::HtmlTag> tag = tv::tagAt(before, lt);
    if (!tag || tag->isEnd || tag->end != before.size() || tv::isVoidElement(tag->name)) return false;
    if (before.size() >= 2 && before[before.size() - 2] == '/') return false;  // written as <name/>
    const std::string end = "</" + std::string(before.substr(lt + 1, tag->name.size())) + ">";
    emit aboutToType(QByteArray::fromStdString(end));
    view_->typeOver(caret, end, static_cast<int>(end.size()));
    return true;
}

void TTypingAid::markMatch() {
    const int length = view_->Length();
    auto fill = [this](int indicator, tv::TextSpan s) {
        view_->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
        view_->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(s.start),
                             static_cast<long>(s.end - s.start));
    };
    if (marked_) {
        for (const int i : {kMatchIndicator, kUnpairedIndicator}) {
            view_->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(i));
            view_->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL, static_cast<long>(length));
        }
        marked_ = false;
    }
    if (!options_.matchTags || view_->SelLength() != 0) return;
    const auto m = tv::matchTag(text(), static_cast<std::size_t>(view_->CaretPosition()));
    if (!m) return;
    if (m->partner) {
        fill(kMatchIndicator, m->tag);
        fill(kMatchIndicator, *m->partner);
    } else {
        fill(m->isVoid ? kMatchIndicator : kUnpairedIndicator, m->tag);
    }
    marked_ = true;
}

bool TTypingAid::goToMatchingTag() {
    const std::size_t caret = static_cast<std::size_t>(view_->CaretPosition());
    std::optional<tv::TextSpan> to;
    if (const auto m = tv::matchTag(text(), caret)) {
        if (m->partner) to = m->partner;
    } else if (const auto e = tv::elementAround(text(), caret)) {
        to = tv::TextSpan{e->start, e->start};
    }
    if (!to) {
        QApplication::beep();
        return false;
    }
    view_->SetSelStart(static_cast<int>(to->start) + 1);
    view_->ensureCursorVisible();
    return true;
}

bool TTypingAid::selectElement() {
    const std::string_view all = text();
    const int selStart = view_->SelStart(), selLength = view_->SelLength();
    auto e = tv::elementAround(all, static_cast<std::size_t>(view_->CaretPosition()));
    // Again on a selected element: the element around it.
    if (e && selLength > 0 && static_cast<int>(e->start) == selStart && static_cast<int>(e->end - e->start) == selLength)
        e = e->start > 0 ? tv::elementAround(all, e->start - 1) : std::nullopt;
    if (!e) {
        QApplication::beep();
        return false;
    }
    view_->SetSel(static_cast<int>(e->start), static_cast<int>(e->end - e->start));
    return true;
}

bool TTypingAid::typesOverQuote(const QString& typed) {
    if (typed.size() != 1 || (typed[0] != QLatin1Char('"') && typed[0] != QLatin1Char('\'')) || view_->SelLength() != 0)
        return false;
    const int caret = view_->CaretPosition();
    if (caret >= view_->Length() || view_->CharAt(caret) != typed[0].toLatin1()) return false;
    const tv::CompletionContext c = tv::completionContext(view_->textBefore(caret));
    if (c.kind != tv::CompletionKind::AttributeValue || c.quote != typed[0].toLatin1()) return false;
    cancelList();
    view_->SetSelStart(caret + 1);
    return true;
}

bool TTypingAid::eventFilter(QObject* watched, QEvent* event) {
    // The quote that ends a value steps over the one already there (written
    // with the attribute).
    if (watched == view_ && event->type() == QEvent::KeyPress && options_.complete &&
        typesOverQuote(static_cast<QKeyEvent*>(event)->text()))
        return true;
    if (watched == view_ && event->type() == QEvent::KeyPress && listShown()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) {
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
                accept(static_cast<int>(view_->SendScintilla(QsciScintillaBase::SCI_AUTOCGETCURRENT)));
                return true;
            case Qt::Key_Escape:
                cancelList();
                return true;
            default:
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
