#include "editor/tvokrich.h"

#include "base/doctext.h"
#include "editor/editaccess.h"

#include "widgets/fontfamilies.h"
#include "widgets/panedrag.h"

#include "text/codec.h"
#include "text/encoding.h"
#include "text/utf8.h"
#include "editor/textmodel.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QChildEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

using Cmd = QsciCommand::Command;

// The component keeps only caret movement, selection and plain editing keys;
// every other key reaches the program's menus and tool bars.
bool keepsKey(Cmd c) {
    switch (c) {
    case Cmd::SelectAll: case Cmd::Undo: case Cmd::Redo: case Cmd::SelectionCut:
    case Cmd::SelectionCopy: case Cmd::Paste: case Cmd::LineDelete: case Cmd::LineCut:
    case Cmd::LineCopy: case Cmd::LineTranspose: case Cmd::LineDuplicate:
    case Cmd::MoveSelectedLinesUp: case Cmd::MoveSelectedLinesDown:
    case Cmd::SelectionDuplicate: case Cmd::SelectionLowerCase: case Cmd::SelectionUpperCase:
    case Cmd::Formfeed: case Cmd::Backtab: case Cmd::ZoomIn: case Cmd::ZoomOut:
    case Cmd::ReverseLines: case Cmd::VerticalCentreCaret: case Cmd::DeleteLineLeft:
    case Cmd::DeleteLineRight:
        return false;
    default:
        return true;
    }
}

QColor toQColor(tv::ColorValue c) { return QColor(tv::redOf(c), tv::greenOf(c), tv::blueOf(c)); }

// A view reports no change of the text: the edits it makes say what they
// changed, once, to the document (the component's own reports would cost
// time in proportion to the position of each keystroke, in every view).
// Only where the component alone knows what it changed (text dragged
// inside the view, an input method's text being composed) does it report,
// for that time.
class ReportedEdit {
public:
    explicit ReportedEdit(const QsciScintillaBase* e) : e_(e) {
        e_->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                          static_cast<long>(QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT));
    }
    ~ReportedEdit() { e_->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0L); }
    ReportedEdit(const ReportedEdit&) = delete;
    ReportedEdit& operator=(const ReportedEdit&) = delete;

private:
    const QsciScintillaBase* e_;
};

// Scintilla wraps the lines that are not on screen from a zero-interval
// timer of its engine, a private object of the component. Measuring a line
// for wrapping costs about as much as drawing it, so wrapping every line of a
// page of megabytes takes seconds of CPU after it is on screen. The engine
// is reached through its member pointer (a standard way to name a private
// member: an explicit instantiation may take its address), so that the
// editor can hold that timer for large documents: lines are wrapped when
// they are drawn, and the scroll bar counts the others as one line each
// until then.
struct EngineMember {
    using type = QsciScintillaQt* QsciScintillaBase::*;
    friend type engineMember(EngineMember);
};
template <typename Tag, typename Tag::type Member>
struct ExposeMember {
    friend typename Tag::type engineMember(Tag) { return Member; }
};
template struct ExposeMember<EngineMember, &QsciScintillaBase::sci>;

// Documents up to this size are wrapped whole in the background (a few
// tens of milliseconds of idle time), so their scroll bar is exact.
constexpr int kBackgroundWrapBytes = 256 * 1024;

} // namespace

TvokRich::TvokRich(QWidget* parent) : TvokRich(std::make_shared<TDocument>(), parent) {}

TvokRich::TvokRich(std::shared_ptr<TDocument> document, QWidget* parent)
    : QsciScintilla(parent), doc_(std::move(document)) {
    installEditorAccessibility();
    attach();
    // The text is UTF-8: every character is drawn with its own glyph, and a
    // character index of the lines keeps counting characters cheap.
    setUtf8(true);
    SendScintilla(SCI_SETCODEPAGE, static_cast<long>(SC_CP_UTF8));
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, static_cast<long>(SC_LINECHARACTERINDEX_UTF32));
    SendScintilla(SCI_SETEOLMODE, SC_EOL_CRLF);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETLEXER, SCLEX_CONTAINER);
    SendScintilla(SCI_SETMODEVENTMASK, 0L);
    SendScintilla(SCI_SETUSETABS, 1L);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1L);
    setMarginWidth(0, 0);
    setMarginWidth(1, 0);
    setMarginWidth(2, 0);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setFrameShape(QFrame::NoFrame);
    setupStyles();
    restrictKeyBindings();

    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int pos, int type, const char*, int len, int, int, int, int, int, int) {
                onModified(pos, type, len);
            });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int u) { onUpdateUi(u); });
    connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, [this](int position) {
        // Colours are set explicitly; everything up to here is styled already.
        SendScintilla(SCI_STARTSTYLING, position, 0x1f);
    });

    // The engine derives from QObject first; its timers are its children.
    engine_ = reinterpret_cast<QObject*>(this->*engineMember(EngineMember{}));
    if (engine_ && engine_->metaObject()->className() == QByteArrayLiteral("QsciScintillaQt")) {
        engine_->installEventFilter(this);
        for (QObject* child : engine_->children()) child->installEventFilter(this);
    } else {
        engine_ = nullptr;
    }
}

void TvokRich::attach() {
    // The view shows the document's text buffer; its colours and text are
    // the document's, its selection and scrolling its own.
    setDocument(doc_->buffer());
    connect(doc_.get(), &TDocument::changed, this, &TvokRich::documentChanged);
    connect(doc_.get(), &TDocument::largeEdit, this, [this](bool starting) {
        if (starting && heldWrap_ < 0) {
            heldWrap_ = SendScintilla(SCI_GETWRAPMODE);
            if (heldWrap_ != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, static_cast<long>(SC_WRAP_NONE));
        } else if (!starting && heldWrap_ >= 0) {
            if (heldWrap_ != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, heldWrap_);
            heldWrap_ = -1;
        }
    });
}

void TvokRich::documentChanged() {
    // A document that is small again is wrapped in the background again.
    if (idleHeld_ && wrapsInBackground()) {
        idleHeld_ = false;
        static_cast<QTimer*>(idleTimer_)->start(0);
    }
    emit OnChange();
}

bool TvokRich::wrapsInBackground() const { return !WordWrapOn() || Length() <= kBackgroundWrapBytes; }

bool TvokRich::eventFilter(QObject* watched, QEvent* event) {
    if (engine_ && watched == engine_ && event->type() == QEvent::ChildAdded) {
        // The idle timer is made the first time the engine has background
        // work; it is still being built here, so only the filter goes on.
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    } else if (engine_ && event->type() == QEvent::Timer && watched->parent() == engine_ &&
               qobject_cast<QTimer*>(watched) && !wrapsInBackground()) {
        // Stopped, not merely skipped: a zero-interval timer would spin.
        // The engine believes it still runs and does not start it again;
        // textChanged does once the document is small.
        static_cast<QTimer*>(watched)->stop();
        idleTimer_ = watched;
        idleHeld_ = true;
        return true;
    }
    return QsciScintilla::eventFilter(watched, event);
}

TvokRich::~TvokRich() = default;

void TvokRich::restrictKeyBindings() {
    for (QsciCommand* c : standardCommands()->commands()) {
        if (keepsKey(c->command())) continue;
        c->setKey(0);
        c->setAlternateKey(0);
    }
}

void TvokRich::setupStyles() {
    SetColorScheme(false);
    SetBackgroundColor(tv::PaletteColor(15));
    SetEditorFont(QStringLiteral("Courier New"), 10);
}

// --- text ----------------------------------------------------------------

std::string TvokRich::Text() const { return std::string(textView()); }

std::string_view TvokRich::textView() const {
    const int len = Length();
    const auto* p = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return p ? std::string_view(p, static_cast<std::size_t>(len)) : std::string_view();
}

std::string_view TvokRich::textBefore(int pos) const {
    pos = std::clamp(pos, 0, Length());
    if (pos == 0) return {};
    const auto* p = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, 0UL, static_cast<long>(pos)));
    return p ? std::string_view(p, static_cast<std::size_t>(pos)) : std::string_view();
}

void TvokRich::SetText(std::string_view text) { LoadText(limited(text)); }

void TvokRich::LoadText(std::string_view text) {
    EditScope scope(this);
    replaceRange(0, Length(), text);
    SendScintilla(SCI_GOTOPOS, 0L);
}

int TvokRich::CharacterCount() const {
    const int lines = LineCount();
    const long lastStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(lines - 1));
    const long before = SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(lines - 1),
                                      static_cast<long>(SC_LINECHARACTERINDEX_UTF32));
    return static_cast<int>(before + SendScintilla(SCI_COUNTCHARACTERS, static_cast<unsigned long>(lastStart),
                                                   static_cast<long>(Length())));
}

int TvokRich::charactersBetween(int start, int end) const {
    return static_cast<int>(SendScintilla(SCI_COUNTCHARACTERS, static_cast<unsigned long>(start), static_cast<long>(end)));
}

int TvokRich::Length() const { return static_cast<int>(SendScintilla(SCI_GETLENGTH)); }
int TvokRich::LineCount() const { return static_cast<int>(SendScintilla(SCI_GETLINECOUNT)); }
int TvokRich::LineOfPosition(int pos) const {
    return static_cast<int>(SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
}
QRect TvokRich::screenRect(int pos, int end) const {
    const auto pointX = [this](int at) {
        return static_cast<int>(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(at)));
    };
    const int x = pointX(pos);
    const int y = static_cast<int>(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(pos)));
    const int h = static_cast<int>(SendScintilla(SCI_TEXTHEIGHT, static_cast<unsigned long>(LineOfPosition(pos))));
    const int w = end > pos && LineOfPosition(end) == LineOfPosition(pos) ? pointX(end) - x : 1;
    return QRect(viewport()->mapToGlobal(QPoint(x, y)), QSize(std::max(1, w), h));
}

int TvokRich::LineStart(int line) const {
    return static_cast<int>(SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)));
}
int TvokRich::LineLength(int line) const {
    return static_cast<int>(SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line))) -
           LineStart(line);
}
std::string TvokRich::Line(int line) const {
    const int start = LineStart(line);
    return std::string(textView().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(LineLength(line))));
}
int TvokRich::characterOffset(int pos) const {
    pos = std::clamp(pos, 0, Length());
    const int line = LineOfPosition(pos);
    const long before = SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                      static_cast<long>(SC_LINECHARACTERINDEX_UTF32));
    return static_cast<int>(before) + charactersBetween(LineStart(line), pos);
}

int TvokRich::positionOfOffset(int offset) const {
    if (offset <= 0) return 0;
    const int line = static_cast<int>(SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset),
                                                    static_cast<long>(SC_LINECHARACTERINDEX_UTF32)));
    const long before = SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                      static_cast<long>(SC_LINECHARACTERINDEX_UTF32));
    const int start = LineStart(line);
    if (offset - before <= 0) return start;
    const long pos = SendScintilla(SCI_POSITIONRELATIVE, static_cast<unsigned long>(start), static_cast<long>(offset - before));
    return pos > 0 ? static_cast<int>(pos) : Length();
}

unsigned char TvokRich::CharAt(int pos) const {
    return static_cast<unsigned char>(SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(pos)));
}

// --- selection -------------------------------------------------------------

int TvokRich::SelStart() const { return static_cast<int>(SendScintilla(SCI_GETSELECTIONSTART)); }
int TvokRich::CaretPosition() const { return static_cast<int>(SendScintilla(SCI_GETCURRENTPOS)); }
int TvokRich::SelLength() const {
    return static_cast<int>(SendScintilla(SCI_GETSELECTIONEND)) - SelStart();
}
void TvokRich::SetSelStart(int pos) { SetSel(pos, 0); }
void TvokRich::SetSelLength(int length) { SetSel(SelStart(), length); }
void TvokRich::SetSel(int start, int length) {
    EditScope scope(this);
    const int len = Length();
    start = std::clamp(start, 0, len);
    int end = std::clamp(start + std::max(0, length), start, len);
    // A place kept from another text (a reload, an undo, a command that
    // counted in bytes) may fall inside a character: the selection takes
    // the whole character, and a caret goes before it, so that typing never
    // splits one.
    const std::string_view text = textView();
    auto inside = [&text](int pos) {
        return pos > 0 && pos < static_cast<int>(text.size()) && (static_cast<unsigned char>(text[static_cast<std::size_t>(pos)]) & 0xC0) == 0x80;
    };
    const bool caret = end == start;
    while (inside(start)) --start;
    while (inside(end)) ++end;
    if (caret || end < start) end = start;
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
}

std::string TvokRich::SelText() const {
    const int s = SelStart();
    const int l = SelLength();
    const auto* p = reinterpret_cast<const char*>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(s), static_cast<long>(l)));
    return l > 0 && p ? std::string(p, static_cast<std::size_t>(l)) : std::string();
}

void TvokRich::replaceRange(int start, int end, std::string_view text) {
    doc_->replaceRange(start, end, text, typingStyle_);
}

void TvokRich::textChanged(int position, int inserted) { doc_->noteChange(position, inserted, typingStyle_); }

void TvokRich::componentKey(QKeyEvent* e) {
    // The component's own editing keys (Enter, Backspace, Delete, word and
    // line deletion) change the length of the text, or replace a selection.
    const int length = Length();
    const int selStart = SelStart();
    const int selLength = SelLength();
    // Enter over a two-byte selection leaves the length as it was: the
    // selected text tells whether anything changed.
    const std::string selected = selLength > 0 ? SelText() : std::string();
    QsciScintilla::keyPressEvent(e);
    const int now = Length();
    if (now == length && (selLength == 0 || textView().substr(static_cast<std::size_t>(selStart), selected.size()) == selected))
        return;
    // Keys that delete backwards move the caret before the place where the
    // selection started.
    const int inserted = now - (length - selLength);
    textChanged(std::min(selStart, SelStart()), inserted > 0 ? inserted : 0);
}

void TvokRich::ReplaceSelection(std::string_view given) {
    EditScope scope(this);
    const std::string text = limited(given);
    if (text != SelText()) doc_->recordUndo(place());
    const int start = SelStart();
    replaceRange(start, start + SelLength(), text);
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(start + static_cast<int>(text.size())));
    // A replacement that changes nothing is still a change to the control.
    doc_->noteUnchangedEdit();
}

int TvokRich::CaretLine() const { return LineOfPosition(SelStart()); }
int TvokRich::CaretColumn() const { return charactersBetween(LineStart(CaretLine()), SelStart()); }
int TvokRich::TopLine() const {
    const auto visible = SendScintilla(SCI_GETFIRSTVISIBLELINE);
    return static_cast<int>(SendScintilla(SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(visible)));
}

void TvokRich::GoToLine(int line) {
    SetSel(LineStart(tv::clampLine(line, LineCount())), 0);
}

void TvokRich::GoToColumn(int column) {
    const int line = CaretLine();
    const int start = LineStart(line);
    column = tv::clampColumn(column, charactersBetween(start, start + LineLength(line)));
    SetSel(static_cast<int>(SendScintilla(SCI_POSITIONRELATIVE, static_cast<unsigned long>(start), static_cast<long>(column))), 0);
}

void TvokRich::ScrollToLine(int line) {
    line = tv::clampLine(line, LineCount());
    SendScintilla(SCI_LINESCROLL, 0UL, static_cast<long>(line - TopLine()));
}

int TvokRich::PositionAtPoint(const QPoint& p) const {
    return static_cast<int>(SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(p.x()),
                                          static_cast<long>(p.y())));
}

// --- undo and redo -------------------------------------------------------------

void TvokRich::goTo(const TDocument::ViewPlace& place) {
    SetSel(place.selStart, place.selLength);
    ScrollToLine(place.topLine);
}

void TvokRich::Undo() {
    EditScope scope(this);
    if (const auto place = doc_->undo(this->place())) goTo(*place);
}

void TvokRich::Redo() {
    EditScope scope(this);
    if (const auto place = doc_->redo(this->place())) goTo(*place);
}

// --- state -------------------------------------------------------------------

void TvokRich::SetSelectionBar(bool on) {
    selectionBar_ = on;
    // A click in a margin that is not click-sensitive selects the line.
    setMarginType(1, QsciScintilla::SymbolMargin);
    setMarginSensitivity(1, false);
    setMarginWidth(1, on ? 12 : 0);
    SendScintilla(SCI_SETMARGINCURSORN, 1UL, static_cast<long>(SC_CURSORREVERSEARROW));
}

void TvokRich::LimitReached() {
    QApplication::beep();
    emit OnLimitReached();
}

int TvokRich::roomForInsert() const {
    if (textLimit_ <= 0) return std::numeric_limits<int>::max();
    return std::max(0, textLimit_ - (CharacterCount() - charactersBetween(SelStart(), SelStart() + SelLength())));
}

// --- colours -------------------------------------------------------------------

int TvokRich::SelColor() const { return SelLength() > 0 ? ColorAt(SelStart()) : typingStyle_; }

void TvokRich::SetTypingColor(int index) { typingStyle_ = std::clamp(index, 0, tv::kPaletteSize - 1); }

void TvokRich::SetSelColor(int index) {
    index = std::clamp(index, 0, tv::kPaletteSize - 1);
    if (SelLength() > 0) SetRangeColor(SelStart(), SelStart() + SelLength(), index);
    else typingStyle_ = index;
}

void TvokRich::SetBackgroundColor(tv::ColorValue color) {
    SendScintilla(SCI_STYLESETBACK, STYLE_DEFAULT, static_cast<long>(color));
    for (int i = 0; i < tv::kPaletteSize; ++i)
        SendScintilla(SCI_STYLESETBACK, i, static_cast<long>(color));
    setPaper(toQColor(color));
    setMarginsBackgroundColor(toQColor(color));
}

void TvokRich::SetColorScheme(bool dark) {
    SendScintilla(SCI_STYLESETFORE, STYLE_DEFAULT, static_cast<long>(tv::EditorColor(0, dark)));
    for (int i = 0; i < tv::kPaletteSize; ++i)
        SendScintilla(SCI_STYLESETFORE, i, static_cast<long>(tv::EditorColor(static_cast<std::uint8_t>(i), dark)));
    setCaretForegroundColor(toQColor(tv::EditorColor(0, dark)));
    setMarginsForegroundColor(toQColor(tv::EditorColor(7, dark)));
}

void TvokRich::SetEditorFont(const QString& name, int pointSize) {
    const QByteArray face = editorFamily(name).toUtf8();
    for (int i : {static_cast<int>(STYLE_DEFAULT), 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        SendScintilla(SCI_STYLESETFONT, i, face.constData());
        SendScintilla(SCI_STYLESETSIZE, i, static_cast<long>(pointSize));
    }
}

void TvokRich::SetWordWrapOn(bool on) {
    setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    // A layout cache of the whole document makes every edit walk all the
    // document's lines; the visible page is what painting needs.
    SendScintilla(SCI_SETLAYOUTCACHE, static_cast<long>(SC_CACHE_PAGE));
    SendScintilla(SCI_SETHSCROLLBAR, on ? 0L : 1L);
}

void TvokRich::SetLineNumbers(bool on) {
    setMarginType(0, QsciScintilla::NumberMargin);
    setMarginWidth(0, on ? QStringLiteral("00000") : QString());
    if (!on) setMarginWidth(0, 0);
}

bool TvokRich::WordWrapOn() const { return wrapMode() != QsciScintilla::WrapNone; }

void TvokRich::SetEditRect(const QRect& r) {
    SendScintilla(SCI_SETMARGINLEFT, 0UL, static_cast<long>(r.left()));
    SendScintilla(SCI_SETMARGINRIGHT, 0UL, static_cast<long>(std::max(0, width() - r.right() - 1)));
}

// --- clipboard -----------------------------------------------------------------

bool TvokRich::ClipboardHasText() {
    // Asked when the clipboard changes, not at every key (each question is a
    // round trip to the display server).
    static bool known = false, has = false;
    static const auto ask = [] {
        const QMimeData* m = QApplication::clipboard()->mimeData();
        has = m && m->hasText() && !m->text().isEmpty();
    };
    if (!known) {
        known = true;
        ask();
        QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, ask);
    }
    return has;
}

std::string TvokRich::ClipboardText() const {
    return limited(tv::clipboardToDocumentLineEnds(toDocument(QApplication::clipboard()->text())));
}

void TvokRich::CopyToClipboard() {
    if (SelLength() <= 0) return;
    QApplication::clipboard()->setText(fromDocument(tv::documentToClipboardLineEnds(SelText())));
}

void TvokRich::CutToClipboard() {
    if (SelLength() <= 0) return;
    EditScope scope(this);
    CopyToClipboard();
    const int start = SelStart();
    replaceRange(start, start + SelLength(), {});
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(start));
}

// --- input -----------------------------------------------------------------------

void TvokRich::insertTyped(std::string_view bytes) {
    int start = SelStart();
    int end = start + SelLength();
    if (overwriteMode() && start == end && start < static_cast<int>(SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(CaretLine()))))
        end = start + 1;
    replaceRange(start, end, bytes);
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(start + static_cast<int>(bytes.size())));
    SendScintilla(SCI_CHOOSECARETX);
    ensureCursorVisible();
}

void TvokRich::keyPressEvent(QKeyEvent* e) {
    int typed = -1;
    {
        EditScope scope(this);
        typed = handleKey(e);
    }
    if (typed >= 0) emit charTyped(static_cast<unsigned char>(typed));
}

int TvokRich::handleKey(QKeyEvent* e) {
    emit OnKeyDown(e->key(), e->modifiers());
    // Shift, the keypad and AltGr (group switch) still type characters.
    const Qt::KeyboardModifiers mods =
        e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (isReadOnly() || mods != Qt::NoModifier) {
        componentKey(e);
        return -1;
    }
    auto fits = [this](int n) {
        if (n <= roomForInsert()) return true;
        LimitReached();
        return false;
    };
    switch (e->key()) {
    case Qt::Key_Backspace:
        emit OnKeyPress('\b');
        componentKey(e);
        return '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!fits(1)) return -1;
        emit OnKeyPress('\r');
        componentKey(e);
        return '\r';
    case Qt::Key_Tab:
        if (e->modifiers() & Qt::ShiftModifier) break;
        if (!fits(1)) return -1;
        emit OnKeyPress('\t');
        insertTyped("\t");
        return '\t';
    default:
        break;
    }
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7F) {
        const std::string bytes = limited(toDocument(text));
        if (!fits(static_cast<int>(tv::characterCount(bytes)))) return -1;
        emit OnKeyPress(static_cast<unsigned char>(bytes[0]));
        insertTyped(bytes);
        return static_cast<unsigned char>(bytes.back());
    }
    componentKey(e);
    return -1;
}

void TvokRich::typeOver(int from, std::string_view given, int caretBack) {
    EditScope scope(this);
    const std::string text = limited(given);
    if (text.empty()) return;
    const int caret = CaretPosition();
    from = std::clamp(from, 0, caret);
    if (static_cast<int>(tv::characterCount(text)) - charactersBetween(from, caret) > roomForInsert()) {
        LimitReached();
        return;
    }
    emit OnKeyPress(static_cast<unsigned char>(text[0]));
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(caret));
    replaceRange(from, caret, text);
    const int end = from + static_cast<int>(text.size()) - std::clamp(caretBack, 0, static_cast<int>(text.size()));
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(end));
    SendScintilla(SCI_CHOOSECARETX);
    ensureCursorVisible();
}

void TvokRich::inputMethodEvent(QInputMethodEvent* e) {
    const QString commit = e->commitString();
    if (commit.isEmpty()) {
        EditScope scope(this);
        // Text being composed stands in the document for the time being.
        const ReportedEdit reported(this);
        QsciScintilla::inputMethodEvent(e);
        return;
    }
    e->accept();
    const std::string bytes = limited(toDocument(commit));
    {
        EditScope scope(this);
        if (static_cast<int>(tv::characterCount(bytes)) > roomForInsert()) {
            LimitReached();
            return;
        }
        emit OnKeyPress(static_cast<unsigned char>(bytes[0]));
        insertTyped(bytes);
    }
    emit charTyped(static_cast<unsigned char>(bytes.back()));
}

void TvokRich::mousePressEvent(QMouseEvent* e) {
    // The X11 selection paste of the middle button would bypass the code
    // page and the undo lists.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    EditScope scope(this);
    QsciScintilla::mousePressEvent(e);
}

void TvokRich::mouseReleaseEvent(QMouseEvent* e) {
    EditScope scope(this);
    QsciScintilla::mouseReleaseEvent(e);
}

void TvokRich::mouseMoveEvent(QMouseEvent* e) {
    EditScope scope(this);
    QsciScintilla::mouseMoveEvent(e);
}

void TvokRich::dragEnterEvent(QDragEnterEvent* e) {
    if (paneDragOf(e->mimeData())) {
        acceptPaneDrag(e);
        return;
    }
    // Files from the desktop are the frame's to open.
    if (e->mimeData()->hasUrls()) {
        e->ignore();
        return;
    }
    QsciScintilla::dragEnterEvent(e);
}

void TvokRich::dragMoveEvent(QDragMoveEvent* e) {
    if (paneDragOf(e->mimeData())) {
        // The caret follows the mouse to mark the drop point; a selection
        // stays, to be wrapped by the drop.
        if (SelLength() == 0) {
            const int pos = PositionAtPoint(e->position().toPoint());
            if (pos >= 0) SetSelStart(pos);
        }
        acceptPaneDrag(e);
        return;
    }
    QsciScintilla::dragMoveEvent(e);
}

void TvokRich::dropEvent(QDropEvent* e) {
    if (const auto drag = paneDragOf(e->mimeData())) {
        acceptPaneDrag(e);
        if (OnFileDrop) OnFileDrop(drag->file);
        return;
    }
    // Text dragged inside the editor moves: that is an edit with its own step.
    EditScope scope(this);
    SaveUndo();
    const ReportedEdit reported(this);
    QsciScintilla::dropEvent(e);
}

// --- notifications ---------------------------------------------------------------

void TvokRich::onModified(int position, int type, int length) {
    if (!(type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT))) return;
    textChanged(position, (type & SC_MOD_INSERTTEXT) ? length : 0);
}

void TvokRich::onUpdateUi(int updated) {
    if (updated & SC_UPDATE_V_SCROLL) emit OnVScroll();
    if (updated & SC_UPDATE_H_SCROLL) emit OnHScroll();
    if (updated & SC_UPDATE_SELECTION) queueFlush();
}

void TvokRich::queueFlush() {
    if (depth_ > 0) return;
    flushLater_.request(this, [this] {
        if (depth_ == 0) flush();
    });
}

void TvokRich::flush() {
    ++depth_;  // handlers may move the selection; their events fold into this round
    for (int round = 0; round < 8; ++round) {
        bool fired = false;
        const long anchor = static_cast<long>(SendScintilla(SCI_GETANCHOR));
        const long caret = static_cast<long>(SendScintilla(SCI_GETCURRENTPOS));
        if (anchor != lastAnchor_ || caret != lastCaret_) {
            lastAnchor_ = anchor;
            lastCaret_ = caret;
            fired = true;
            // Like a rich edit, the caret takes the colour of the character
            // before it for what is typed next.
            if (anchor == caret && caret > 0) typingStyle_ = ColorAt(static_cast<int>(caret) - 1);
            reportEditorCaret(this);
            emit OnSelectionChange();
        }
        if (!fired) break;
    }
    --depth_;
}
