#include "window/mdichild.h"

#include "typing/foldmargin.h"
#include "typing/typingaid.h"

#include "base/docfile.h"
#include "base/frametext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "base/doctext.h"
#include "window/commandactions.h"
#include "window/documenthost.h"
#include "window/gotobox.h"
#include "editor/textmodel.h"
#include "editor/undorules.h"
#include "text/entities.h"
#include "text/codec.h"
#include "text/encoding.h"
#include "text/search.h"
#include "text/utf8.h"
#include "tools/macros.h"
#include "tools/searchbox.h"
#include "tools/textdialogs.h"
#include "tools/texttools.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTextLimit = 0x100000;  // 1,048,576 characters
} // namespace

PaintLock::PaintLock(QWidget* w) : w_(w), wasEnabled_(w->updatesEnabled()) {
    w_->setUpdatesEnabled(false);
}

PaintLock::~PaintLock() {
    if (wasEnabled_) w_->setUpdatesEnabled(true);
}

EditTransaction::EditTransaction(TMDIChild& window, bool hourglass)
    : scope_(window.view()), lock_(&window), group_(window.document()), hourglass_(hourglass) {
    if (hourglass_) QApplication::setOverrideCursor(Qt::WaitCursor);
}

EditTransaction::~EditTransaction() {
    if (hourglass_) QApplication::restoreOverrideCursor();
}

TMDIChild::TMDIChild(DocumentHost& host, std::shared_ptr<TDocument> document) : QWidget(nullptr), host_(host) {
    const bool fresh = !document;
    RichEdit1 = new TvokRich(fresh ? std::make_shared<TDocument>() : std::move(document), this);
    typing_ = new TTypingAid(RichEdit1);
    folds_ = new TFoldMargin(RichEdit1);
    // What the aid types is coloured as typed text is.
    connect(typing_, &TTypingAid::aboutToType, this, [this](const QByteArray& text) {
        if (text.contains('<') || text.contains('>')) ColorPending = true;
    });
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->SetSelectionBar(true);
    if (fresh) this->document().setUndoLimit(10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    setFocusProxy(RichEdit1);
    RichEdit1->OnFileDrop = [this](const QString& file) { RichEdit1DragDrop(toStd(file)); };

    // The context menu: the command table's places in it, on this window.
    contextActions_ = new TCommandActions(this);
    contextActions_->add(documentCommands(), [this](const Command& c) { c.run(*this); }, {CommandMenu::Context});
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    contextActions_->fill(PopupMenu1, CommandMenu::Context, {});
    Undo2 = contextActions_->action("Undo2");
    Repeat2 = contextActions_->action("Repeat2");
    Cut2 = contextActions_->action("Cut2");
    Copy2 = contextActions_->action("Copy2");
    Paste2 = contextActions_->action("Paste2");
    SelectAll2 = contextActions_->action("SelectAll2");
    color2 = contextActions_->action("color2");
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { contextActions_->enable(commandState()); });
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(RichEdit1->mapToGlobal(p)); });

    connect(RichEdit1, &TvokRich::OnChange, this, &TMDIChild::TextChange);
    connect(&this->document(), &TDocument::renamed, this, &TMDIChild::nameChanged);
    connect(RichEdit1, &TvokRich::OnSelectionChange, this, &TMDIChild::CheckSelected);
    connect(RichEdit1, &TvokRich::OnKeyDown, this, &TMDIChild::RichEdit1KeyDown);
    connect(RichEdit1, &TvokRich::OnKeyPress, this, &TMDIChild::RichEdit1KeyPress);
    connect(RichEdit1, &TvokRich::OnLimitReached, this, [this] { emit limitReached(RichEdit1->TextLimit()); });
    RichEdit1->viewport()->installEventFilter(this);

    // Creation: the settings, then the editor's typing colour starts as the
    // background and turns into the font colour at the first paint.
    ApplyEditorSettings();
    RichEdit1->SetTypingColor(host_.settings().backColor);
    SetWordWrap(host_.wordWrapChecked());
}

void TMDIChild::SetFileName(const QString& name) {
    document().file.fileName = toStd(name);
    emit document().renamed();
}

void TMDIChild::nameChanged() {
    const QString suffix = viewNumber_ ? QStringLiteral(":%1").arg(viewNumber_) : QString();
    setWindowTitle(fromStd(tv::fileNameOnly(document().file.fileName)) + suffix);
    // The folder the Browse buttons of its dialogs start in.
    setProperty("documentFolder", IsUntitled() ? QString() : fromStd(tv::folderOf(document().file.fileName)));
    emit fileNameChanged(this);
}

void TMDIChild::setViewNumber(int n) {
    if (n == viewNumber_) return;
    viewNumber_ = n;
    nameChanged();
}

QString TMDIChild::caption() const { return fromStd(tv::fileNameOnly(document().file.fileName)); }

QString TMDIChild::tabText() const {
    return viewNumber_ ? FileName() + QStringLiteral(":%1").arg(viewNumber_) : FileName();
}

bool TMDIChild::IsUntitled() const { return document().file.isUntitled(); }

void TMDIChild::ApplyEditorSettings() {
    const tv::Settings& s = host_.settings();
    // On a dark desktop the default colours turn into their dark
    // equivalents; colours the user chose are kept as chosen.
    const QColor window = QApplication::palette().color(QPalette::Window);
    const bool dark = tv::UsesDefaultColors(s) &&
                      tv::IsDark(tv::ColorValue(window.red()) | tv::ColorValue(window.green()) << 8 |
                                 tv::ColorValue(window.blue()) << 16);
    RichEdit1->SetColorScheme(dark);
    RichEdit1->SetBackgroundColor(tv::EditorColor(s.backColor, dark));
    RichEdit1->SetTypingColor(s.fontColor);
    RichEdit1->SetEditorFont(QString::fromStdString(s.fontName), s.fontSize);
    RichEdit1->SetLineNumbers(s.lineNumbers);
    typing_->setOptions({s.completeMarkup, s.closeTags, s.matchTags});
    typing_->setOwnElements(host_.ownElementNames());
    folds_->setOn(s.folding);
}

void TMDIChild::SetWordWrap(bool on) { RichEdit1->SetWordWrapOn(on); }

void TMDIChild::SetEditRect() {
    RichEdit1->SetEditRect(QRect(0, 1, width() - 1, height()));
}

void TMDIChild::TextChange() {
    if (ColorPending) ColorAroundCaret();
    changed();
}

void TMDIChild::CheckSelected() {
    changed();
    if (RichEdit1->SelLength() == 0 && !CaretInTag()) RichEdit1->SetTypingColor(host_.settings().fontColor);
}

void TMDIChild::RichEdit1KeyDown(int key, Qt::KeyboardModifiers mods) {
    if (RichEdit1->Length() == 0) return;
    tv::KeyDownInput in;
    in.key = key == Qt::Key_Delete      ? tv::KeyKind::Delete
             : key == Qt::Key_Backspace ? tv::KeyKind::Backspace
                                        : tv::KeyKind::Other;
    const auto shifts = mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    in.shift = shifts == Qt::NoModifier       ? tv::ShiftState::None
               : shifts == Qt::ShiftModifier ? tv::ShiftState::ShiftOnly
                                             : tv::ShiftState::Other;
    in.hasSelection = RichEdit1->SelLength() > 0;
    if (in.hasSelection) {
        const std::string sel = RichEdit1->SelText();
        in.selectionHasBracket = sel.find_first_of("<>") != std::string::npos;
    } else if (in.key == tv::KeyKind::Delete && RichEdit1->SelStart() < RichEdit1->Length()) {
        in.hasRemovedChar = true;
        in.removedChar = RichEdit1->CharAt(RichEdit1->SelStart());
    } else if (in.key == tv::KeyKind::Backspace && RichEdit1->SelStart() > 0) {
        in.hasRemovedChar = true;
        in.removedChar = RichEdit1->CharAt(RichEdit1->SelStart() - 1);
    }
    const tv::KeyEffect e = tv::keyDownEffect(in, {!RichEdit1->CanUndo(), RichEdit1->CanRedo()});
    if (e.colorPending) ColorPending = true;
    if (e.saveUndo) RichEdit1->SaveUndo();
}

void TMDIChild::RichEdit1KeyPress(unsigned char ch) {
    const tv::KeyEffect e = tv::keyPressEffect(ch, RichEdit1->SelLength() > 0,
                                               {!RichEdit1->CanUndo(), RichEdit1->CanRedo()});
    if (e.saveUndo) RichEdit1->SaveUndo();
    if (e.colorPending) ColorPending = true;
}

QWidget* TMDIChild::commandTarget(EditTarget on) const {
    if (on == EditTarget::Editor) return RichEdit1;
    QWidget* w = QApplication::focusWidget();
    if (w && w != RichEdit1 &&
        (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)))
        return w;
    return RichEdit1;
}

void TMDIChild::Undo1Click(EditTarget on) {
    QWidget* target = commandTarget(on);
    if (target != RichEdit1) {
        QMetaObject::invokeMethod(target, "undo");
        return;
    }
    if (RichEdit1->CanUndo()) {
        PaintLock lock(this);
        RichEdit1->Undo();
        ColorPending = false;
    }
    changed();
}

void TMDIChild::Redo1Click() {
    if (!RichEdit1->CanRedo()) return;
    PaintLock lock(this);
    RichEdit1->Redo();
    ColorPending = false;
}

void TMDIChild::Cut1Click(EditTarget on) {
    QWidget* target = commandTarget(on);
    if (target == RichEdit1) {
        if (RichEdit1->SelLength() > 0) {
            RichEdit1->CopyToClipboard();
            replaceSelection("", {0, 0}, Recolour::None);
        }
    } else {
        QMetaObject::invokeMethod(target, "cut");
    }
    changed();
}

void TMDIChild::Copy1Click(EditTarget on) {
    QWidget* target = commandTarget(on);
    if (target == RichEdit1) RichEdit1->CopyToClipboard();
    else QMetaObject::invokeMethod(target, "copy");
    changed();
}

void TMDIChild::Paste1Click(EditTarget on) {
    QWidget* target = commandTarget(on);
    if (target != RichEdit1) {
        QMetaObject::invokeMethod(target, "paste");
        return;
    }
    if (!TvokRich::ClipboardHasText()) return;
    std::string t = RichEdit1->ClipboardText();
    const auto room = static_cast<std::size_t>(RichEdit1->roomForInsert());
    if (tv::characterCount(t) > room) {
        // The editor takes no text beyond its limit; never split a CR LF.
        t.resize(tv::prefixOfCharacters(t, room));
        if (!t.empty() && t.back() == '\r') t.pop_back();
        RichEdit1->LimitReached();
    }
    replaceSelection(t, {kEnd, 0});
}

void TMDIChild::SelectAll1Click() { RichEdit1->SetSel(0, RichEdit1->Length()); }

void TMDIChild::setEncoding(tv::FileEncoding e) {
    document().file.encoding = e;
    RichEdit1->setEncoding(e);
    changed();
}

void TMDIChild::setModified(bool on) {
    RichEdit1->SetModified(on);
    changed();
}

bool TMDIChild::canRepeatTag() const {
    const tv::PendingTexts& r = const_cast<DocumentHost&>(host_).repeatTags();
    return !r.start.empty() || !r.end.empty();
}

CommandState TMDIChild::commandState() const {
    CommandState s;
    s.anyDocument = s.document = true;
    s.selection = RichEdit1->SelLength() > 0;
    s.undo = RichEdit1->CanUndo();
    s.redo = RichEdit1->CanRedo();
    s.clipboardText = TvokRich::ClipboardHasText();
    s.repeatTag = canRepeatTag();
    s.modified = document().modified();
    return s;
}

bool TMDIChild::FormCloseQuery() {
    // Another window on the document keeps it: the question comes with the
    // last one.
    if (!RichEdit1->Modified() || host_.otherViewStays(this)) return true;
    const auto answer = prompter().ask(
        this, {QStringLiteral("Taviron"), QString::fromStdString(tv::closePromptText(caption().toStdString())),
               Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes, Prompter::Icon::Question});
    if (answer == Prompter::Cancel) return false;
    if (answer == Prompter::No) return true;
    // Yes: the window closes only when the document is really on disk.
    return host_.saveDocument(this, /*saveAsWhenUntitled=*/true);
}

void TMDIChild::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!shown_) {
        shown_ = true;
        RichEdit1->SetTextLimit(kTextLimit);
    }
}

void TMDIChild::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    SetEditRect();
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* e) {
    if (watched == RichEdit1->viewport() && e->type() == QEvent::Paint) FormPaint();
    return QWidget::eventFilter(watched, e);
}

void TMDIChild::FormPaint() {
    const tv::Settings& s = host_.settings();
    if (tv::PaletteColor(s.backColor) == tv::PaletteColor(static_cast<std::uint8_t>(RichEdit1->TypingColor())))
        RichEdit1->SetTypingColor(s.fontColor);
}

void TMDIChild::closeEvent(QCloseEvent* e) {
    if (!closeApproved && !FormCloseQuery()) {
        e->ignore();
        return;
    }
    emit closed(this);
    e->accept();
}

// --- tag commands ------------------------------------------------------------

void TMDIChild::TagCommandClick(const tv::TagCommand& c) {
    if (c.rule == tv::TagRule::Comment) {
        Comment1Click();
        return;
    }
    const bool hasSel = RichEdit1->SelLength() > 0;
    const auto [start, end] = tv::tagTexts(c, hasSel, host_.settings().ul, host_.settings().ol);
    host_.repeatTags() = {start, end};
    if (c.rule == tv::TagRule::LineBreak && hasSel) {
        MarkLines(start, tv::LineMode::Ends);
        return;
    }
    Markup();
    if (c.rule == tv::TagRule::List && RichEdit1->SelLength() > 0) MarkLines("<LI>", tv::LineMode::Starts);
}

// --- colouring -------------------------------------------------------------------

tv::KindColors TMDIChild::kindColors() const {
    const tv::Settings& s = host_.settings();
    return {s.fontColor, s.tagColor, s.anchColor, s.imgColor, s.commColor};
}

bool TMDIChild::CaretInTag() const {
    const int caret = RichEdit1->SelStart();
    return tv::CaretInTagAt(RichEdit1->textBefore(caret), caret);
}

void TMDIChild::applyWalk(int start, tv::WalkStop stop, int endPos, bool hourglass) {
    // Only colours change: the text, the selection, the first visible line
    // and the modified mark stay as they were.
    PaintLock lock(this);
    if (hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (stop == tv::WalkStop::Document) {
        // A megabyte at a time: the stretches and colours of a whole large
        // page would be more copies of its size.
        tv::colorDocumentInPieces(RichEdit1->textView(), start, kindColors(), 1 << 20,
                                  [this](int from, std::string_view bytes) { RichEdit1->SetRangeColors(from, bytes); });
    } else {
        int from = 0;
        const std::string colors =
            tv::colorBytes(tv::ColorWalk(RichEdit1->textView(), start, stop, endPos), kindColors(), from);
        RichEdit1->SetRangeColors(from, colors);
    }
    if (!CaretInTag()) RichEdit1->SetTypingColor(host_.settings().fontColor);
    if (hourglass) QApplication::restoreOverrideCursor();
    ColorPending = false;
}

void TMDIChild::ColorDocument() {
    if (!host_.settings().colorCode) {
        RichEdit1->SetRangeColor(0, RichEdit1->Length(), host_.settings().fontColor);
        ColorPending = false;
        return;
    }
    applyWalk(0, tv::WalkStop::Document, 0, true);
}

void TMDIChild::ColorRange(int endPos) {
    if (!host_.settings().colorCode) return;
    applyWalk(tv::TagStartBefore(RichEdit1->textView(), RichEdit1->SelStart()), tv::WalkStop::Range, endPos, true);
}

void TMDIChild::ColorAroundCaret() {
    if (!host_.settings().colorCode) return;
    applyWalk(tv::TagStartBefore(RichEdit1->textView(), RichEdit1->SelStart()), tv::WalkStop::AroundCaret, 0, false);
}

// --- tag insertion ---------------------------------------------------------------

void TMDIChild::replaceSelection(const std::string& given, SelectionAfter after, Recolour recolour) {
    const std::string text = RichEdit1->limited(given);
    const int size = static_cast<int>(text.size());
    if (after.start == kEnd) after.start = size;
    if (after.length == kEnd) after.length = size - after.start;
    const int s = RichEdit1->SelStart();
    EditTransaction edit(*this);
    RichEdit1->ReplaceSelection(text);
    RichEdit1->SetSelStart(s);
    if (recolour == Recolour::Range) ColorRange(s + static_cast<int>(text.size()));
    else if (recolour == Recolour::AroundCaret) ColorAroundCaret();
    RichEdit1->SetSel(s + after.start, after.length);
}

void TMDIChild::Markup() {
    const std::string start = RichEdit1->limited(host_.repeatTags().start);
    const std::string end = RichEdit1->limited(host_.repeatTags().end);
    const std::string sel = RichEdit1->SelText();
    replaceSelection(start + sel + end, {static_cast<int>(start.size()), static_cast<int>(sel.size())});
}

void TMDIChild::MarkLines(const std::string& tag, tv::LineMode mode) {
    replaceAndSelect(
        tv::MarkLines(RichEdit1->SelText(), tag, mode, tv::startsLine(RichEdit1->textView(), RichEdit1->SelStart())));
}

void TMDIChild::RepeatTag1Click() {
    if (canRepeatTag()) Markup();
}

void TMDIChild::Comment1Click() {
    host_.repeatTags() = {"<!-- ", " -->"};
    const std::string text = tv::commentText(RichEdit1->SelText());
    replaceSelection("<!-- " + text + " -->", {5, static_cast<int>(text.size())}, Recolour::AroundCaret);
}

bool TMDIChild::ColorCodeAtCaret() {
    const auto at = tv::ColorCodeAt(RichEdit1->textView(), RichEdit1->SelStart(), RichEdit1->SelLength());
    if (!at) return false;
    RichEdit1->SetSel(*at, 7);
    return true;
}

void TMDIChild::Color1Click() {
    tv::ColorValue initial = tv::PaletteColor(0);
    if (ColorCodeAtCaret()) {
        try {
            initial = tv::HTMLToColor(RichEdit1->SelText(), tv::PaletteColor(0));
        } catch (const tv::ColorTextError&) {
            initial = tv::PaletteColor(0);
        }
    }
    const auto chosen = prompter().color(this, initial);
    if (!chosen) return;
    replaceSelection(tv::ColorToHTML(*chosen), {kEnd, 0}, Recolour::None);
}

// --- find, replace, go to line ------------------------------------------------------

void TMDIChild::Find1Click() {
    Tsearchbox* box = host_.searchBox();
    if (box->find->toPlainText().isEmpty()) box->setFindText(RichEdit1->SelText());
    box->showBox();
}

void TMDIChild::FindNext(const std::string& f) {
    if (f.empty()) return;
    const int from = RichEdit1->SelStart() + RichEdit1->SelLength();
    const auto k = tv::findText(RichEdit1->textView(), from, f, host_.searchBox()->matchcase->isChecked());
    if (!k) {
        reachedEnd();
        return;
    }
    host_.bringForward();
    RichEdit1->setFocus();
    RichEdit1->SetSel(*k, static_cast<int>(f.size()));
}

void TMDIChild::FindNext1Click() { FindNext(host_.searchBox()->findText()); }

void TMDIChild::ReplaceAndFindNext() {
    Tsearchbox* box = host_.searchBox();
    const std::string f = box->findText();
    const std::string r = box->replaceText();
    if (!tv::selectionMatches(RichEdit1->SelText(), f, box->matchcase->isChecked())) {
        RichEdit1->SetSel(RichEdit1->SelStart(), 0);
        FindNext(f);
    }
    if (RichEdit1->SelLength() > 0) {
        replaceSelection(r, {kEnd, 0}, Recolour::None);
        FindNext(f);
    }
}

void TMDIChild::reachedEnd() {
    EndReached = true;
    prompter().message(this, QStringLiteral("Taviron"), QStringLiteral("Reached the end of the file."),
                       Prompter::Icon::Information);
}

void TMDIChild::ReplaceAllInDocument() {
    // Replace and Find Next until the end, done at once: the logic finds
    // every match and the editor takes the changed stretch in one step.
    Tsearchbox* box = host_.searchBox();
    const std::string f = box->findText();
    if (f.empty()) return;
    EndReached = false;
    const tv::ReplaceAllResult r = tv::replaceAllFrom(RichEdit1->textView(), RichEdit1->SelStart(),
                                                      RichEdit1->SelLength(), f, box->replaceText(),
                                                      box->matchcase->isChecked());
    if (r.count == 0) {
        RichEdit1->SetSelStart(RichEdit1->SelStart());
    } else {
        {
            EditTransaction edit(*this, /*hourglass=*/true);
            RichEdit1->SetSel(r.from, r.to - r.from);
            replaceSelection(r.text, {kEnd, 0});
        }
        host_.bringForward();
        RichEdit1->setFocus();
    }
    reachedEnd();
}

void TMDIChild::Gotoline1Click() {
    TGoToBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const QString text = box.number->text();
    if (text.isEmpty()) return;
    const tv::LineNumber n = tv::parseLineNumber(text.toStdString());
    if (!n.value) {
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(n.error));
        return;
    }
    // The lines counted are those of the text: an empty line after the last
    // line break is not one of them.
    const int length = RichEdit1->Length();
    const unsigned char last = length > 0 ? RichEdit1->CharAt(length - 1) : 0;
    const int lines = RichEdit1->LineCount() - (last == '\n' || last == '\r' ? 1 : 0);
    if (*n.value >= 0 && *n.value < lines) RichEdit1->GoToLine(*n.value);
}

// --- text tools ------------------------------------------------------------------

void TMDIChild::Update1Click() { UpdateDocument(fromStd(RichEdit1->Hint())); }

void TMDIChild::CheckSpelling1Click() { host_.checkSpelling(); }
void TMDIChild::CheckPage1Click() { host_.checkPage(); }

void TMDIChild::replaceAndSelect(const std::string& text) {
    replaceSelection(text, {0, kEnd});
}

void TMDIChild::selectAllIfEmpty() {
    if (RichEdit1->SelLength() == 0) RichEdit1->SetSel(0, RichEdit1->Length());
}

void TMDIChild::ChangeCase1Click() {
    if (RichEdit1->SelLength() == 0) return;
    TCaseBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const auto mode = static_cast<tv::CaseMode>(std::clamp(box.radio->checkedId(), 0, 4));
    replaceAndSelect(tv::ChangeCase(RichEdit1->textView(), RichEdit1->SelStart(), RichEdit1->SelLength(), mode));
}

void TMDIChild::Breaks1Click() {
    if (RichEdit1->SelLength() == 0) return;
    replaceAndSelect(tv::RemoveLineBreaks(RichEdit1->SelText()));
}

void TMDIChild::Tags1Click() {
    if (RichEdit1->SelLength() == 0) return;
    replaceAndSelect(tv::RemoveTags(RichEdit1->SelText()));
}

void TMDIChild::Append1Click() {
    if (RichEdit1->SelLength() == 0) return;
    TAppBox box(this);
    if (prompter().run(box) != QDialog::Accepted || box.aptext->text().isEmpty()) return;
    const std::string t = toDocument(box.aptext->text());
    const bool toEnd = box.w->checkedId() == 1;
    replaceAndSelect(tv::MarkLines(RichEdit1->SelText(), t, toEnd ? tv::LineMode::Ends : tv::LineMode::Starts,
                                   tv::startsLine(RichEdit1->textView(), RichEdit1->SelStart())));
}

void TMDIChild::Indent1Click() {
    EditTransaction edit(*this);
    const std::string sel = RichEdit1->SelText();
    if (!sel.empty() && sel.find('\n') != std::string::npos) {
        if (sel.back() == '\n') RichEdit1->SetSel(RichEdit1->SelStart(), RichEdit1->SelLength() - 2);
        replaceAndSelect(tv::IndentLines(RichEdit1->SelText(), RichEdit1->CaretColumn() == 0));
        return;
    }
    const int s = RichEdit1->SelStart();
    const int l = RichEdit1->SelLength();
    RichEdit1->SetSel(tv::lineStartOf(RichEdit1->textView(), s), 0);
    replaceSelection("  ", {kEnd, 0}, Recolour::None);
    RichEdit1->SetSel(s + 2, l);
}

void TMDIChild::Uncomment1Click() { replaceSelection(tv::Uncomment(RichEdit1->SelText()), {0, 0}); }

void TMDIChild::Translate1Click() {
    TTranBox box(RichEdit1->SelLength() > 0, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const bool only = box.only->isChecked();
    const auto direction = box.convert->checkedId() == 1 ? tv::EntityDirection::ToCharacters
                                                         : tv::EntityDirection::ToEntities;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string result;
    try {
        const std::string source = only ? RichEdit1->SelText() : std::string(RichEdit1->textView());
        result = tv::TranslateEntities(source, direction, document().file.encoding != tv::FileEncoding::Windows1252);
    } catch (const tv::EntityNumberError& e) {
        // The document stays as it was.
        QApplication::restoreOverrideCursor();
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
        return;
    }
    QApplication::restoreOverrideCursor();
    EditTransaction edit(*this, /*hourglass=*/true);
    if (!only) RichEdit1->SetSel(0, RichEdit1->Length());
    replaceSelection(result, {0, only ? kEnd : 0});
}

void TMDIChild::zapClick() {
    EditTransaction edit(*this);
    selectAllIfEmpty();
    replaceSelection(tv::ZapHighBits(RichEdit1->SelText()), {0, 0});
}

void TMDIChild::UrlDecode1Click() {
    EditTransaction edit(*this, /*hourglass=*/true);
    selectAllIfEmpty();
    const tv::Settings& st = host_.settings();
    replaceSelection(tv::UrlDecode(RichEdit1->SelText(), st.labels, st.delimit,
                                   document().file.encoding != tv::FileEncoding::Windows1252),
                     {0, 0});
}

// --- update macros, include blocks, dates ------------------------------------------------

void TMDIChild::UpdateDocument(const QString& title) {
    std::string text = RichEdit1->Text();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        tv::ApplyMacros(text, false, toDocument(title), document().file.fileName, host_.macroContext());
    } catch (const tv::MacroError& e) {
        QApplication::restoreOverrideCursor();
        // The text stays exactly as it was.
        prompter().message(this, QStringLiteral("Taviron"), fromStd(e.what()));
        return;
    }
    QApplication::restoreOverrideCursor();
    // The whole text changes without an undo step.
    showText(std::move(text), false, std::nullopt);
}

void TMDIChild::showText(std::string text, bool fromFile, std::optional<int> caret) {
    const TDocument::ViewPlace place = RichEdit1->place();
    EditTransaction edit(*this, /*hourglass=*/true);
    if (fromFile) RichEdit1->LoadText(text);
    else RichEdit1->SetText(text);
    std::string().swap(text);  // the editor holds it now: the copy goes before the colouring
    if (caret) {
        RichEdit1->SetSel(*caret, 0);
    } else {
        RichEdit1->SetSel(place.selStart, place.selLength);
        RichEdit1->ScrollToLine(place.topLine);
    }
    ColorDocument();
}

void TMDIChild::convertEncoding(tv::FileEncoding e) {
    if (tv::fitsEncoding(RichEdit1->textView(), e)) {
        setEncoding(e);
    } else {
        // One undo step brings the characters back, with the encoding they
        // were in: it is taken before either changes.
        const int s = RichEdit1->SelStart();
        EditTransaction edit(*this);
        document().recordUndo(RichEdit1->place());
        setEncoding(e);
        RichEdit1->SetSel(0, RichEdit1->Length());
        replaceSelection(std::string(RichEdit1->textView()), {0, 0});
        RichEdit1->SetSel(std::min(s, RichEdit1->Length()), 0);
    }
    setModified(true);
}

void TMDIChild::setLineNumbers(bool on) { RichEdit1->SetLineNumbers(on); }

void TMDIChild::GoToMatchingTag1Click() { typing_->goToMatchingTag(); }

void TMDIChild::SelectElement1Click() { typing_->selectElement(); }

void TMDIChild::IncludeFile1Click() {
    const auto chosen = prompter().openFileName(
        this, {QStringLiteral("Select include file"), host_.openDialogFolder(), QString::fromLatin1(tv::kOpenFilter)});
    if (!chosen) return;
    const std::string name = tv::RelativeReference(toStd(*chosen), false, true, document().file.fileName, IsUntitled(),
                                                   tv::programFolder() + "/taviron");
    replaceSelection(tv::includeBlock(name), {0, 0});
}

void TMDIChild::InsertDate(int kind) {
    const std::string date = tv::MacroDate(kind, host_.macroContext());
    replaceSelection(date, {0, kEnd}, Recolour::None);
}
