#include "editor/mdichild.h"

#include "dialogs/objectboxes.h"
#include "dialogs/objecttags.h"
#include "widgets/historycombo.h"

#include "app/frametext.h"
#include "app/mainform.h"
#include "app/docfile.h"
#include "app/paths.h"
#include "app/prompter.h"
#include "editor/imagesize.h"
#include "text/codec.h"
#include "editor/textmodel.h"
#include "editor/undorules.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "text/search.h"
#include "app/paths.h"
#include "text/entities.h"
#include "tools/macros.h"
#include "tools/textdialogs.h"
#include "tools/texttools.h"
#include "dialogs/elementbox.h"
#include "dialogs/scriptbox.h"
#include "editor/gotobox.h"
#include "tools/searchbox.h"

namespace {
constexpr int kTextLimit = 0x100000;  // 1,048,576 characters

} // namespace

std::string TMDIChild::PendingStartText;
std::string TMDIChild::PendingEndText;
bool TMDIChild::EndReached = false;

PaintLock::PaintLock(QWidget* w) : w_(w), wasEnabled_(w->updatesEnabled()) {
    w_->setUpdatesEnabled(false);
}

PaintLock::~PaintLock() {
    if (wasEnabled_) w_->setUpdatesEnabled(true);
}

TMDIChild::TMDIChild(TMainForm* frame) : QWidget(nullptr), frame_(frame) {
    RichEdit1 = new TvokRich(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->SetSelectionBar(true);
    RichEdit1->SetUndoLimit(10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    setFocusProxy(RichEdit1);
    RichEdit1->OnFileDrop = [this](const QString& file) { RichEdit1DragDrop(file.toStdString()); };

    Edit1 = new QMenu(QStringLiteral("&Edit"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->menuAction()->setStatusTip(QStringLiteral("Edit commands"));
    Undo1 = addItem(Edit1, "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), "Undo latest editing action");
    Redo1 = addItem(Edit1, "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "Undo last undo action");
    RepeatTag1 = addItem(Edit1, "R&epeat Tag", QKeySequence(Qt::CTRL | Qt::Key_T), "Repeat last tag insertion");
    Edit1->addSeparator();
    Cut1 = addItem(Edit1, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut selected text to the clipboard");
    Copy1 = addItem(Edit1, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy selected text to the clipboard");
    Paste1 = addItem(Edit1, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste clipboard contents into document");
    Edit1->addSeparator();
    Find1 = addItem(Edit1, "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "Search document for text");
    FindNext1 = addItem(Edit1, "Find &Next", QKeySequence(Qt::Key_F3), "Find Next");
    RaFagain = addItem(Edit1, "Repl&ace and Find Next", QKeySequence(Qt::Key_F4), "Replace text and Find Next");
    Gotoline1 = addItem(Edit1, "&Go to line...", {}, "Go to line number");
    Edit1->addSeparator();
    SelectAll1 = addItem(Edit1, "Se&lect All", {}, "Select all text in current document");
    connect(RepeatTag1, &QAction::triggered, this, [this] { RepeatTag1Click(); });
    connect(Find1, &QAction::triggered, this, [this] { Find1Click(); });
    connect(FindNext1, &QAction::triggered, this, [this] { FindNext1Click(); });
    connect(RaFagain, &QAction::triggered, this, [this] { ReplaceAndFindNext(); });
    connect(Gotoline1, &QAction::triggered, this, [this] { Gotoline1Click(); });
    connect(Undo1, &QAction::triggered, this, [this] { Undo1Click(true); });
    connect(Redo1, &QAction::triggered, this, [this] { Redo1Click(); });
    connect(Cut1, &QAction::triggered, this, [this] { Cut1Click(true); });
    connect(Copy1, &QAction::triggered, this, [this] { Copy1Click(true); });
    connect(Paste1, &QAction::triggered, this, [this] { Paste1Click(true); });
    connect(SelectAll1, &QAction::triggered, this, [this] { SelectAll1Click(); });
    connect(Edit1, &QMenu::aboutToShow, this, [this] { Edit1Popup(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Undo2 = PopupMenu1->addAction(QStringLiteral("&Undo"));
    Repeat2 = PopupMenu1->addAction(QStringLiteral("&Repeat Tag"));
    PopupMenu1->addSeparator();
    Cut2 = PopupMenu1->addAction(QStringLiteral("Cu&t"));
    Copy2 = PopupMenu1->addAction(QStringLiteral("&Copy"));
    Paste2 = PopupMenu1->addAction(QStringLiteral("&Paste"));
    PopupMenu1->addSeparator();
    SelectAll2 = PopupMenu1->addAction(QStringLiteral("&Select All"));
    color2 = PopupMenu1->addAction(QStringLiteral("refresh colors"));
    color2->setVisible(false);
    connect(Repeat2, &QAction::triggered, this, [this] { RepeatTag1Click(); });
    connect(color2, &QAction::triggered, this, [this] { ColorDocument(); });
    connect(Undo2, &QAction::triggered, this, [this] { Undo1Click(); });
    connect(Cut2, &QAction::triggered, this, [this] { Cut1Click(); });
    connect(Copy2, &QAction::triggered, this, [this] { Copy1Click(); });
    connect(Paste2, &QAction::triggered, this, [this] { Paste1Click(); });
    connect(SelectAll2, &QAction::triggered, this, [this] { SelectAll1Click(); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(RichEdit1->mapToGlobal(p)); });

    connect(RichEdit1, &TvokRich::OnChange, this, &TMDIChild::TextChange);
    connect(RichEdit1, &TvokRich::OnSelectionChange, this, &TMDIChild::CheckSelected);
    connect(RichEdit1, &TvokRich::OnKeyDown, this, &TMDIChild::RichEdit1KeyDown);
    connect(RichEdit1, &TvokRich::OnKeyPress, this, &TMDIChild::RichEdit1KeyPress);
    RichEdit1->viewport()->installEventFilter(this);
    createTextMenu();
    createTagMenus();

    // Creation: the settings, then the editor's typing colour starts as the
    // background and turns into the font colour at the first paint.
    ApplyEditorSettings();
    RichEdit1->SetTypingColor(frame_->settings().backColor);
    SetWordWrap(frame_->wordWrapChecked());
    frame_->RedoBtn->setEnabled(!PendingStartText.empty() || !PendingEndText.empty());
}

QAction* TMDIChild::addItem(QMenu* menu, const char* caption, const QKeySequence& key, const char* hint) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setShortcut(key);
    a->setStatusTip(QString::fromLatin1(hint));
    return a;
}

void TMDIChild::SetFileName(const QString& name) {
    setWindowTitle(QString::fromStdString(tv::fileNameOnly(name.toStdString())));
    FileName = name;
    frame_->renameDocumentTab(this);
}

bool TMDIChild::IsUntitled() const { return tv::IsUntitledName(FileName.toStdString()); }

void TMDIChild::ApplyEditorSettings() {
    const tv::Settings& s = frame_->settings();
    RichEdit1->SetBackgroundColor(tv::PaletteColor(s.backColor));
    RichEdit1->SetTypingColor(s.fontColor);
    RichEdit1->SetEditorFont(QString::fromStdString(s.fontName), s.fontSize);
}

void TMDIChild::SetWordWrap(bool on) { RichEdit1->SetWordWrapOn(on); }

void TMDIChild::SetEditRect() {
    RichEdit1->SetEditRect(QRect(0, 1, width() - 1, height()));
}

void TMDIChild::GetTitle() { RichEdit1->SetHint(tv::GetTitleText(RichEdit1->TextView())); }

void TMDIChild::TextChange() {
    if (ColorPending) ColorAroundCaret();
    frame_->SaveBtn->setEnabled(RichEdit1->Modified());
    frame_->UndoBtn->setEnabled(RichEdit1->CanUndo());
    GetTitle();
    frame_->documentStateChanged(this);
}

void TMDIChild::CheckSelected() {
    frame_->setCaretStatus(RichEdit1->CaretLine(), RichEdit1->CaretColumn());
    const bool sel = RichEdit1->SelLength() > 0;
    frame_->CutBtn->setEnabled(sel);
    frame_->CopyBtn->setEnabled(sel);
    frame_->PasteBtn->setEnabled(TvokRich::ClipboardHasText());
    if (!sel && !CaretInTag()) RichEdit1->SetTypingColor(frame_->settings().fontColor);
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

QWidget* TMDIChild::commandTarget(bool fromMenu) const {
    if (!fromMenu) return RichEdit1;
    QWidget* w = QApplication::focusWidget();
    if (w && w != RichEdit1 &&
        (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)))
        return w;
    return RichEdit1;
}

void TMDIChild::Undo1Click(bool fromMenu) {
    QWidget* target = commandTarget(fromMenu);
    if (target != RichEdit1) {
        QMetaObject::invokeMethod(target, "undo");
        return;
    }
    if (RichEdit1->CanUndo()) {
        PaintLock lock(this);
        RichEdit1->Undo();
        ColorPending = false;
    }
    frame_->UndoBtn->setEnabled(RichEdit1->CanUndo());
}

void TMDIChild::Redo1Click() {
    if (!RichEdit1->CanRedo()) return;
    PaintLock lock(this);
    RichEdit1->Redo();
    ColorPending = false;
}

void TMDIChild::Cut1Click(bool fromMenu) {
    QWidget* target = commandTarget(fromMenu);
    if (target == RichEdit1) {
        if (RichEdit1->SelLength() > 0) RichEdit1->SaveUndo();
        RichEdit1->CutToClipboard();
    } else {
        QMetaObject::invokeMethod(target, "cut");
    }
    frame_->PasteBtn->setEnabled(TvokRich::ClipboardHasText());
}

void TMDIChild::Copy1Click(bool fromMenu) {
    QWidget* target = commandTarget(fromMenu);
    if (target == RichEdit1) RichEdit1->CopyToClipboard();
    else QMetaObject::invokeMethod(target, "copy");
    frame_->PasteBtn->setEnabled(TvokRich::ClipboardHasText());
}

void TMDIChild::Paste1Click(bool fromMenu) {
    QWidget* target = commandTarget(fromMenu);
    if (target != RichEdit1) {
        QMetaObject::invokeMethod(target, "paste");
        return;
    }
    if (!TvokRich::ClipboardHasText()) return;
    std::string t = TvokRich::ClipboardText();
    const auto room = static_cast<std::size_t>(RichEdit1->RoomForInsert());
    if (t.size() > room) {
        // The editor takes no text beyond its limit; never split a CR LF.
        t.resize(room);
        if (!t.empty() && t.back() == '\r') t.pop_back();
        QApplication::beep();
    }
    const int s = RichEdit1->SelStart();
    EditScope scope(RichEdit1);
    {
        PaintLock lock(this);
        RichEdit1->ReplaceSelection(t);
        RichEdit1->SetSelStart(s);
    }
    PaintLock lock(this);
    RichEdit1->SetSelStart(s + static_cast<int>(t.size()));
}

void TMDIChild::SelectAll1Click() { RichEdit1->SetSel(0, RichEdit1->Length()); }

void TMDIChild::Edit1Popup() {
    RepeatTag1->setEnabled(!PendingStartText.empty() || !PendingEndText.empty());
    Redo1->setEnabled(RichEdit1->CanRedo());
}

void TMDIChild::PopupMenu1Popup() {
    const bool sel = RichEdit1->SelLength() > 0;
    Cut2->setEnabled(sel);
    Copy2->setEnabled(sel);
    Paste2->setEnabled(TvokRich::ClipboardHasText());
    Undo2->setEnabled(RichEdit1->CanUndo());
    Repeat2->setEnabled(!PendingStartText.empty() || !PendingEndText.empty());
}

bool TMDIChild::FormCloseQuery() {
    if (!RichEdit1->Modified()) return true;
    const auto answer = prompter().ask(
        this, {QStringLiteral("Taviron"), QString::fromStdString(tv::closePromptText(caption().toStdString())),
               Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes, Prompter::Icon::Question});
    if (answer == Prompter::Cancel) return false;
    if (answer == Prompter::No) return true;
    // Yes: the window closes only when the document is really on disk.
    return frame_->SaveDocument(this, /*saveAsWhenUntitled=*/true);
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
    const tv::Settings& s = frame_->settings();
    if (tv::PaletteColor(s.backColor) == tv::PaletteColor(static_cast<std::uint8_t>(RichEdit1->TypingColor())))
        RichEdit1->SetTypingColor(s.fontColor);
}

void TMDIChild::closeEvent(QCloseEvent* e) {
    if (!closeApproved && !FormCloseQuery()) {
        e->ignore();
        return;
    }
    frame_->documentClosed(this);
    e->accept();
}

// --- tag menus ---------------------------------------------------------------

void TMDIChild::createTagMenus() {
    Style1 = new QMenu(QStringLiteral("&Style"), this);
    Format1 = new QMenu(QStringLiteral("&Format"), this);
    Elements1 = new QMenu(QStringLiteral("&Elements"), this);
    Lists1 = new QMenu(QStringLiteral("&Lists"), this);
    QMenu* logical = Style1->addMenu(QStringLiteral("&Logical"));
    QMenu* structure = Format1->addMenu(QStringLiteral("&Structure"));
    QMenu* heading = Format1->addMenu(QStringLiteral("&Heading"));
    QMenu* tableTags = Elements1->addMenu(QStringLiteral("&Table Tags"));
    QMenu* formTags = Elements1->addMenu(QStringLiteral("&Form Tags"));
    QMenu* frameTags = Elements1->addMenu(QStringLiteral("F&rame Tags"));
    createDialogItems(tableTags, formTags);
    auto menuOf = [&](tv::TagMenu m) -> QMenu* {
        switch (m) {
        case tv::TagMenu::StyleLogical: return logical;
        case tv::TagMenu::Style: return Style1;
        case tv::TagMenu::FormatStructure: return structure;
        case tv::TagMenu::FormatHeading: return heading;
        case tv::TagMenu::Format: return Format1;
        case tv::TagMenu::Elements: return Elements1;
        case tv::TagMenu::ElementsTable: return tableTags;
        case tv::TagMenu::ElementsFrame: return frameTags;
        case tv::TagMenu::Lists: return Lists1;
        }
        return Style1;
    };
    for (const tv::TagCommand& c : tv::tagCommands()) {
        QMenu* menu = menuOf(c.menu);
        if (std::string_view(c.name) == "Comment1") {
            Color1 = addItem(Elements1, "C&olor...", {}, "Insert color code");
            connect(Color1, &QAction::triggered, this, [this] { Color1Click(); });
        }
        QAction* a = menu->addAction(QString::fromLatin1(c.caption));
        a->setObjectName(QString::fromLatin1(c.name));
        if (*c.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        if (*c.hint) a->setStatusTip(QString::fromStdString(tv::longHint(c.hint)));
        const tv::TagCommand* cmd = &c;
        connect(a, &QAction::triggered, this, [this, cmd] { TagCommandClick(*cmd); });
        tagActions[c.name] = a;
        if (std::string_view(c.name) == "Comment1") {
            Uncomment1 = addItem(Elements1, "&Un-comment", {}, "Turn a comment back into text");
            connect(Uncomment1, &QAction::triggered, this, [this] { Uncomment1Click(); });
            QAction* script = addItem(Elements1, "&Script...", {}, "Script editor");
            connect(script, &QAction::triggered, this, [this] { JavaScript1Click(); });
            dialogActions["JavaScript1"] = script;
        }
    }
    createHeadItems(structure, heading, frameTags);
    Lists1->addSeparator();
    QAction* options = addItem(Lists1, "O&ptions...", {}, "List Options");
    connect(options, &QAction::triggered, this, [this] { Options2Click(); });
    dialogActions["Options2"] = options;
}

void TMDIChild::createDialogItems(QMenu* tableTags, QMenu* formTags) {
    auto item = [this](QMenu* menu, const char* name, const char* caption, const char* hint,
                       std::function<void()> run) {
        QAction* a = addItem(menu, caption, {}, hint);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, std::move(run));
        dialogActions[name] = a;
    };
    QMenu* elements = Elements1;
    if (elements) {
        auto keyed = [&](const char* name, const char* caption, const char* hint, QKeySequence key,
                         std::function<void()> run) {
            QAction* a = addItem(elements, caption, key, hint);
            a->setObjectName(QString::fromLatin1(name));
            elements->insertAction(tableTags->menuAction(), a);
            connect(a, &QAction::triggered, this, std::move(run));
            dialogActions[name] = a;
        };
        keyed("Anchor1", "&Anchor...", "Insert or edit a link", QKeySequence(Qt::CTRL | Qt::Key_A),
              [this] { Anchor1Click(); });
        keyed("Image1", "&Image...", "Insert or edit an image", QKeySequence(Qt::CTRL | Qt::Key_I),
              [this] { Image1Click(); });
        keyed("Marquee1", "&Marquee...", "Marquee   (Microsoft)", {}, [this] { Marquee1Click(); });
        keyed("BackgroundSound1", "&Background Sound...", "Background Sound   (Microsoft)", {},
              [this] { BackgroundSound1Click(); });
        keyed("Embed1", "&Embed...", "Insert an embedded object", {}, [this] { Embed1Click(); });
        QMenu* java = new QMenu(QStringLiteral("&Java Tags"), elements);
        elements->insertMenu(tableTags->menuAction(), java);
        item(java, "Applet1", "&Applet...", "Insert a Java applet", [this] { Applet1Click(); });
        item(java, "Parameter1", "&Parameter...", "Insert a parameter of an applet", [this] { Parameter1Click(); });
        elements->insertSeparator(tableTags->menuAction());
    }
    item(tableTags, "Table1", "&Table...", "Insert or edit a table", [this] { Table1Click(); });
    item(tableTags, "TableRow1", "  Table &Row...", "Insert or edit a table row", [this] { TableRow1Click(); });
    item(tableTags, "TableData1", "  Table &Data...", "Insert or edit a table cell", [this] { TableData1Click(); });
    item(tableTags, "TableHeader1", "  Table &Header...", "Insert or edit a table header cell",
         [this] { TableHeader1Click(); });
    item(formTags, "Form1", "&Form...", "Insert or edit a form", [this] { Form1Click(); });
    item(formTags, "Input1", "  &Input...", "Insert a form input", [this] { InsertInput(0); });
    item(formTags, "Select1", "  &Select...", "Insert or edit a selection list", [this] { Select1Click(); });
    item(formTags, "Option1", "    &Option...", "Insert an option of a selection list", [this] { Option1Click(); });
    item(formTags, "TextArea1", "  &Text Area...", "Insert or edit a text area", [this] { TextArea1Click(); });
}

void TMDIChild::createHeadItems(QMenu* structure, QMenu* heading, QMenu* frameTags) {
    auto item = [this](QMenu* menu, const char* name, const char* caption, const char* hint, const QKeySequence& key,
                       std::function<void()> run) {
        QAction* a = addItem(menu, caption, key, hint);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, std::move(run));
        dialogActions[name] = a;
        return a;
    };
    structure->addSeparator();
    item(structure, "Body1", "&Body...", "Document body and its colors", {}, [this] { Body1Click(); });
    item(structure, "Base1", "  B&ase...", "Base address of the document", {}, [this] { Base1Click(); });
    item(structure, "Meta1", "  &Meta...", "Information about the document", {}, [this] { Meta1Click(); });
    item(structure, "Link1", "  &Link...", "Link to a related document", {}, [this] { Link1Click(); });
    item(structure, "IsIndex1", "  &IsIndex...", "Searchable index", {}, [this] { IsIndex1Click(); });
    item(structure, "BaseFont1", "  Ba&se Font...", "Base font of the document", {}, [this] { BaseFont1Click(); });
    item(structure, "Division1", "  &Division...", "Division of the document", {}, [this] { Division1Click(); });
    heading->addSeparator();
    item(heading, "HeadOptions", "&Options...", "Select attributes for the heading", {}, [this] { HeadOptionsClick(); });
    item(Format1, "HorizontalRule1", "Horizontal &Rule...", "Horizontal rule", QKeySequence(Qt::CTRL | Qt::Key_H),
         [this] { HorizontalRule1Click(); });
    item(Style1, "StyleSheet1", "&Style Sheet...", "Style Sheet  (Microsoft)", {}, [this] { StyleSheet1Click(); });
    item(Style1, "Font1", "&Font...", "Font of the text", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
         [this] { Font1Click(); });
    QAction* first = frameTags->actions().value(0);
    QAction* frameset = item(frameTags, "Frameset1", "&Frameset...", "Frameset", {}, [this] { Frameset1Click(); });
    QAction* frame = item(frameTags, "Frame1", "  F&rame...", "Frame of a frameset", {}, [this] { Frame1Click(); });
    if (first) {
        frameTags->removeAction(frameset);
        frameTags->removeAction(frame);
        frameTags->insertAction(first, frameset);
        frameTags->insertAction(first, frame);
    }
}

void TMDIChild::runTagCommand(const std::string& name) {
    if (name == "Color1") {
        Color1Click();
        return;
    }
    // The Forms tool bar's input buttons choose their type first.
    if (name == "InputText") return InsertInput(7);
    if (name == "InputCheckbox") return InsertInput(0);
    if (name == "InputRadio") return InsertInput(4);
    if (const auto it = dialogActions.find(name); it != dialogActions.end()) {
        it->second->trigger();
        return;
    }
    if (const tv::TagCommand* c = tv::tagCommand(name)) TagCommandClick(*c);
}

void TMDIChild::TagCommandClick(const tv::TagCommand& c) {
    if (c.rule == tv::TagRule::Comment) {
        Comment1Click();
        return;
    }
    const bool hasSel = RichEdit1->SelLength() > 0;
    const auto [start, end] = tv::tagTexts(c, hasSel, frame_->settings().ul, frame_->settings().ol);
    PendingStartText = start;
    PendingEndText = end;
    if (c.rule == tv::TagRule::LineBreak && hasSel) {
        MarkLines(start, tv::LineMode::Ends);
        return;
    }
    Markup();
    if (c.rule == tv::TagRule::List && RichEdit1->SelLength() > 0) MarkLines("<LI>", tv::LineMode::Starts);
}

// --- colouring -------------------------------------------------------------------

tv::KindColors TMDIChild::kindColors() const {
    const tv::Settings& s = frame_->settings();
    return {s.fontColor, s.tagColor, s.anchColor, s.imgColor, s.commColor};
}

bool TMDIChild::CaretInTag() const { return tv::CaretInTagAt(RichEdit1->TextView(), RichEdit1->SelStart()); }

void TMDIChild::applyWalk(int start, tv::WalkStop stop, int endPos, bool hourglass) {
    // Only colours change: the text, the selection, the first visible line
    // and the modified mark stay as they were.
    const bool modified = RichEdit1->Modified();
    PaintLock lock(this);
    if (hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
    int from = 0;
    const std::string colors =
        tv::colorBytes(tv::ColorWalk(RichEdit1->TextView(), start, stop, endPos), kindColors(), from);
    RichEdit1->SetRangeColors(from, colors);
    if (!CaretInTag()) RichEdit1->SetTypingColor(frame_->settings().fontColor);
    if (hourglass) QApplication::restoreOverrideCursor();
    RichEdit1->SetModified(modified);
    ColorPending = false;
}

void TMDIChild::ColorDocument() {
    if (!frame_->settings().colorCode) {
        const bool modified = RichEdit1->Modified();
        RichEdit1->SetRangeColor(0, RichEdit1->Length(), frame_->settings().fontColor);
        RichEdit1->SetModified(modified);
        ColorPending = false;
        return;
    }
    applyWalk(0, tv::WalkStop::Document, 0, true);
}

void TMDIChild::ColorRange(int endPos) {
    if (!frame_->settings().colorCode) return;
    applyWalk(tv::TagStartBefore(RichEdit1->TextView(), RichEdit1->SelStart()), tv::WalkStop::Range, endPos, true);
}

void TMDIChild::ColorAroundCaret() {
    if (!frame_->settings().colorCode) return;
    applyWalk(tv::TagStartBefore(RichEdit1->TextView(), RichEdit1->SelStart()), tv::WalkStop::AroundCaret, 0, false);
}

// --- tag insertion ---------------------------------------------------------------

void TMDIChild::Markup() {
    const int s = RichEdit1->SelStart();
    frame_->RedoBtn->setEnabled(true);
    RepeatTag1->setEnabled(true);
    const std::string sel = RichEdit1->SelText();
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    const std::string text = PendingStartText + sel + PendingEndText;
    RichEdit1->ReplaceSelection(text);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(text.size()));
    RichEdit1->SetSel(s + static_cast<int>(PendingStartText.size()), static_cast<int>(sel.size()));
}

void TMDIChild::MarkLines(const std::string& tag, tv::LineMode mode) {
    const int s = RichEdit1->SelStart();
    const std::string marked =
        tv::MarkLines(RichEdit1->SelText(), tag, mode, tv::startsLine(RichEdit1->TextView(), s));
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    RichEdit1->ReplaceSelection(marked);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(marked.size()));
    RichEdit1->SetSel(s, static_cast<int>(marked.size()));
}

void TMDIChild::RepeatTag1Click() {
    if (!PendingStartText.empty() || !PendingEndText.empty()) Markup();
}

void TMDIChild::Comment1Click() {
    PendingStartText = "<!-- ";
    PendingEndText = " -->";
    const int s = RichEdit1->SelStart();
    frame_->RedoBtn->setEnabled(true);
    RepeatTag1->setEnabled(true);
    const std::string text = tv::commentText(RichEdit1->SelText());
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    RichEdit1->ReplaceSelection("<!-- " + text + " -->");
    RichEdit1->SetSelStart(s);
    ColorAroundCaret();
    RichEdit1->SetSel(s + 5, static_cast<int>(text.size()));
}

bool TMDIChild::ColorCodeAtCaret() {
    const auto at = tv::ColorCodeAt(RichEdit1->TextView(), RichEdit1->SelStart(), RichEdit1->SelLength());
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
    RichEdit1->ReplaceSelection(tv::ColorToHTML(*chosen));
}

// --- find, replace, go to line ------------------------------------------------------

void TMDIChild::Find1Click() {
    Tsearchbox* box = frame_->searchBox();
    if (box->find->toPlainText().isEmpty()) box->setFindText(tv::documentCodec().decode(RichEdit1->SelText()));
    box->showBox();
}

void TMDIChild::FindNext(const std::string& f) {
    if (f.empty()) return;
    const int from = RichEdit1->SelStart() + RichEdit1->SelLength();
    const auto k = tv::findText(RichEdit1->TextView(), from, f, frame_->searchBox()->matchcase->isChecked());
    if (!k) {
        EndReached = true;
        prompter().message(this, QStringLiteral("Taviron"), QStringLiteral("Reached the end of the file."),
                           Prompter::Icon::Information);
        return;
    }
    frame_->raise();
    frame_->activateWindow();
    RichEdit1->setFocus();
    RichEdit1->SetSel(*k, static_cast<int>(f.size()));
}

void TMDIChild::FindNext1Click() { FindNext(frame_->searchBox()->findText()); }

void TMDIChild::ReplaceAndFindNext() {
    Tsearchbox* box = frame_->searchBox();
    const std::string f = box->findText();
    const std::string r = box->replaceText();
    if (!tv::selectionMatches(RichEdit1->SelText(), f, box->matchcase->isChecked())) {
        RichEdit1->SetSel(RichEdit1->SelStart(), 0);
        FindNext(f);
    }
    if (RichEdit1->SelLength() > 0) {
        RichEdit1->ReplaceSelection(r);
        FindNext(f);
    }
}

void TMDIChild::ReplaceAllInDocument() {
    if (frame_->searchBox()->findText().empty()) return;
    EndReached = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    while (!EndReached) ReplaceAndFindNext();
    QApplication::restoreOverrideCursor();
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
    if (*n.value >= 0 && *n.value < RichEdit1->LineCount()) RichEdit1->GoToLine(*n.value);
}

// --- text tools ------------------------------------------------------------------

void TMDIChild::createTextMenu() {
    Text1 = new QMenu(QStringLiteral("&Text"), this);
    ChangeCase1 = addItem(Text1, "&Change Case...", {}, "Change the case of the selected text");
    Breaks1 = addItem(Text1, "Remove Line &Breaks", {}, "Join the selected lines");
    Tags1 = addItem(Text1, "Remove Ta&gs", {}, "Remove the tags from the selected text");
    Append1 = addItem(Text1, "&Append...", {}, "Append text to the selected lines");
    Indent1 = addItem(Text1, "&Indent", QKeySequence(Qt::CTRL | Qt::Key_Space), "Indent the selected lines");
    Text1->addSeparator();
    Translate1 = addItem(Text1, "&Translate...", {}, "Translate extended characters");
    zap = addItem(Text1, "&8 to 7", {}, "Zap high bit characters");
    UrlDecode1 = addItem(Text1, "U&rl Decode", {}, "Convert url encoded form result");
    Text1->addSeparator();
    QAction* update = addItem(Text1, "U&pdate", QKeySequence(Qt::Key_F9), "Perform macro commands");
    connect(update, &QAction::triggered, this,
            [this] { UpdateDocument(QString::fromStdString(RichEdit1->Hint())); });
    dialogActions["Update1"] = update;
    QAction* include = addItem(Text1, "&Include File...", {}, "Insert an include block for a file");
    connect(include, &QAction::triggered, this, [this] { IncludeFile1Click(); });
    dialogActions["IncludeFile1"] = include;
    QAction* date = addItem(Text1, "Insert &Date", QKeySequence(Qt::CTRL | Qt::Key_D), "Insert the current date");
    connect(date, &QAction::triggered, this, [this] { InsertDate(0); });
    dialogActions["InsertDate1"] = date;
    Text1->addSeparator();
    QAction* spell = addItem(Text1, "Check Spelling...", QKeySequence(Qt::Key_F7), "Check the spelling of the document");
    connect(spell, &QAction::triggered, this, [this] { frame_->SpellBtnClick(); });
    dialogActions["CheckSpelling1"] = spell;
    connect(ChangeCase1, &QAction::triggered, this, [this] { ChangeCase1Click(); });
    connect(Breaks1, &QAction::triggered, this, [this] { Breaks1Click(); });
    connect(Tags1, &QAction::triggered, this, [this] { Tags1Click(); });
    connect(Append1, &QAction::triggered, this, [this] { Append1Click(); });
    connect(Indent1, &QAction::triggered, this, [this] { Indent1Click(); });
    connect(Translate1, &QAction::triggered, this, [this] { Translate1Click(); });
    connect(zap, &QAction::triggered, this, [this] { zapClick(); });
    connect(UrlDecode1, &QAction::triggered, this, [this] { UrlDecode1Click(); });
    connect(Text1, &QMenu::aboutToShow, this, [this] {
        const bool sel = RichEdit1->SelLength() > 0;
        for (QAction* a : {ChangeCase1, Breaks1, Tags1, Append1}) a->setEnabled(sel);
    });
}

void TMDIChild::replaceAndSelect(const std::string& text) {
    const int s = RichEdit1->SelStart();
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    RichEdit1->ReplaceSelection(text);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(text.size()));
    RichEdit1->SetSel(s, static_cast<int>(text.size()));
}

void TMDIChild::ChangeCase1Click() {
    if (RichEdit1->SelLength() == 0) return;
    TCaseBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const auto mode = static_cast<tv::CaseMode>(std::clamp(box.radio->checkedId(), 0, 4));
    replaceAndSelect(tv::ChangeCase(RichEdit1->TextView(), RichEdit1->SelStart(), RichEdit1->SelLength(), mode));
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
    const QByteArray utf8 = box.aptext->text().toUtf8();
    const std::string t =
        tv::documentCodec().encode(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    const bool toEnd = box.w->checkedId() == 1;
    replaceAndSelect(tv::MarkLines(RichEdit1->SelText(), t, toEnd ? tv::LineMode::Ends : tv::LineMode::Starts,
                                   tv::startsLine(RichEdit1->TextView(), RichEdit1->SelStart())));
}

void TMDIChild::Indent1Click() {
    PaintLock lock(this);
    EditScope scope(RichEdit1);
    const std::string sel = RichEdit1->SelText();
    if (!sel.empty() && sel.find('\n') != std::string::npos) {
        if (sel.back() == '\n') RichEdit1->SetSel(RichEdit1->SelStart(), RichEdit1->SelLength() - 2);
        const int s = RichEdit1->SelStart();
        const std::string text = tv::IndentLines(RichEdit1->SelText(), RichEdit1->CaretColumn() == 0);
        RichEdit1->ReplaceSelection(text);
        RichEdit1->SetSelStart(s);
        ColorRange(s + static_cast<int>(text.size()));
        RichEdit1->SetSel(s, static_cast<int>(text.size()));
        return;
    }
    const int s = RichEdit1->SelStart();
    const int l = RichEdit1->SelLength();
    RichEdit1->SetSel(tv::lineStartOf(RichEdit1->TextView(), s), 0);
    RichEdit1->ReplaceSelection("  ");
    RichEdit1->SetSel(s + 2, l);
}

void TMDIChild::Uncomment1Click() {
    const int s = RichEdit1->SelStart();
    const std::string text = tv::Uncomment(RichEdit1->SelText());
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    RichEdit1->ReplaceSelection(text);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(text.size()));
}

void TMDIChild::Translate1Click() {
    TTranBox box(RichEdit1->SelLength() > 0, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const bool only = box.only->isChecked();
    const auto direction = box.convert->checkedId() == 1 ? tv::EntityDirection::ToCharacters
                                                         : tv::EntityDirection::ToEntities;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string result;
    try {
        const std::string source = only ? RichEdit1->SelText() : std::string(RichEdit1->TextView());
        result = tv::TranslateEntities(source, direction);
    } catch (const tv::EntityNumberError& e) {
        // The document stays as it was.
        QApplication::restoreOverrideCursor();
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
        return;
    }
    EditScope scope(RichEdit1);
    if (!only) RichEdit1->SetSel(0, RichEdit1->Length());
    const int s = RichEdit1->SelStart();
    {
        PaintLock lock(this);
        RichEdit1->ReplaceSelection(result);
        RichEdit1->SetSelStart(s);
        ColorRange(s + static_cast<int>(result.size()));
        if (only) RichEdit1->SetSel(s, static_cast<int>(result.size()));
    }
    QApplication::restoreOverrideCursor();
}

void TMDIChild::zapClick() {
    EditScope scope(RichEdit1);
    if (RichEdit1->SelLength() == 0) RichEdit1->SetSel(0, RichEdit1->Length());
    const int s = RichEdit1->SelStart();
    const std::string text = tv::ZapHighBits(RichEdit1->SelText());
    PaintLock lock(this);
    RichEdit1->ReplaceSelection(text);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(text.size()));
}

void TMDIChild::UrlDecode1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    EditScope scope(RichEdit1);
    if (RichEdit1->SelLength() == 0) RichEdit1->SetSel(0, RichEdit1->Length());
    const int s = RichEdit1->SelStart();
    const tv::Settings& st = frame_->settings();
    const std::string text = tv::UrlDecode(RichEdit1->SelText(), st.labels, st.delimit);
    {
        PaintLock lock(this);
        RichEdit1->ReplaceSelection(text);
        RichEdit1->SetSelStart(s);
        ColorRange(s + static_cast<int>(text.size()));
    }
    QApplication::restoreOverrideCursor();
}

// --- element dialogs ---------------------------------------------------------------

bool TMDIChild::FindTag(const std::string& name) {
    const tv::FoundTag f = tv::FindTagIn(RichEdit1->TextView(), RichEdit1->SelStart(), RichEdit1->SelLength(), name);
    if (f.selStart != RichEdit1->SelStart() || f.selLength != RichEdit1->SelLength()) {
        RichEdit1->SetSelStart(f.selStart);
        RichEdit1->SetSelLength(f.selLength);
    }
    return f.found;
}

void TMDIChild::insertPending(const tv::PendingTexts& texts) {
    PendingStartText = texts.start;
    PendingEndText = texts.end;
    Markup();
}

void TMDIChild::editOrInsert(const tv::TagSpec& spec, TElementBox& box,
                             const std::function<tv::PendingTexts(const std::string&, const tv::Fields&)>& pending,
                             const std::function<void(const tv::Fields&)>& afterRead, const TagBuilder& build) {
    const bool edit = FindTag(spec.element);
    std::string tag = spec.insertTag;
    if (edit) {
        tag = RichEdit1->SelText();
        tv::Fields fields;
        tv::readTagFields(spec, tag, fields);
        box.setFields(fields);
        box.syncSwatches();
        if (afterRead) afterRead(fields);
    }
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    const tv::Fields fields = box.fields();
    const std::optional<std::string> newTag = build ? build(tag, fields) : tv::buildTag(spec, tag, fields);
    if (newTag) finishElement(edit, *newTag, pending(*newTag, fields));
}

namespace {
// An anchor without any attribute, and an image without a source, are not
// written.
std::optional<std::string> anchorTagOf(const std::string& tag, const tv::Fields& fields) {
    std::string t = tv::buildTag(tv::anchorSpec(), tag, fields);
    if (t == "<A>") return std::nullopt;
    return t;
}

std::optional<std::string> imageTagOf(const std::string& tag, const tv::Fields& fields) {
    const auto src = fields.find("src");
    if (src == fields.end() || src->second.empty()) return std::nullopt;
    return tv::buildImageTag(tag, fields);
}

tv::PendingTexts anchorPending(const std::string& tag, const tv::Fields&) {
    return tv::pendingFor(tv::anchorSpec(), tag);
}

tv::PendingTexts imagePending(const std::string& tag, const tv::Fields&) { return tv::pendingFor(tv::imageSpec(), tag); }
} // namespace

void TMDIChild::finishElement(bool edit, const std::string& newTag, const tv::PendingTexts& texts) {
    if (!edit) {
        insertPending(texts);
        return;
    }
    PendingStartText = texts.start;
    PendingEndText = texts.end;
    frame_->RedoBtn->setEnabled(true);
    const int s = RichEdit1->SelStart();
    EditScope scope(RichEdit1);
    PaintLock lock(this);
    RichEdit1->ReplaceSelection(newTag);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(newTag.size()));
    RichEdit1->SetSelStart(s + static_cast<int>(newTag.size()));
}

namespace {
tv::PendingTexts plainPending(const tv::TagSpec& spec, const std::string& tag, const tv::Fields&) {
    return tv::pendingFor(spec, tag);
}
} // namespace

void TMDIChild::Table1Click() {
    TTableBox box(this);
    editOrInsert(tv::tableSpec(), box, [](const std::string& tag, const tv::Fields& f) {
        const auto caption = f.find("xCaption");
        return tv::tablePending(tag, caption == f.end() ? std::string() : caption->second);
    });
}

void TMDIChild::Anchor1Click() {
    TLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    editOrInsert(tv::anchorSpec(), box, anchorPending, {}, anchorTagOf);
}

void TMDIChild::runImageBox(TImageBox& box, bool edit, const std::string& tag) {
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    const tv::Fields fields = box.fields();
    if (const auto newTag = imageTagOf(tag, fields)) finishElement(edit, *newTag, imagePending(*newTag, fields));
}

void TMDIChild::prepareImageBox(TImageBox& box) {
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    box.documentFolder = [this] { return IsUntitled() ? std::string() : tv::folderOf(FileName.toStdString()); };
}

void TMDIChild::Image1Click() {
    TImageBox box(this);
    prepareImageBox(box);
    const auto afterRead = [&box](const tv::Fields& fields) {
        const auto border = fields.find("border");
        const std::string text = border == fields.end() ? std::string() : border->second;
        box.border->setCurrentIndex(box.border->findText(QString::fromStdString(text)));
        const auto w = fields.find("width"), h = fields.find("height");
        if ((w != fields.end() && !w->second.empty()) || (h != fields.end() && !h->second.empty())) box.wh->setChecked(true);
    };
    editOrInsert(tv::imageSpec(), box, imagePending, afterRead, imageTagOf);
}

void TMDIChild::MakeLinkTag(const std::string& file) {
    TLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    box.url->setCurrentText(QString::fromStdString(referenceFor(file)));
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto tag = anchorTagOf("<A>", box.fields())) insertPending(anchorPending(*tag, {}));
}

void TMDIChild::MakeImageTag(const std::string& file) {
    TImageBox box(this);
    prepareImageBox(box);
    box.src->setCurrentText(QString::fromStdString(referenceFor(file)));
    box.showSizeOf(file);
    runImageBox(box, false, tv::imageSpec().insertTag);
}

void TMDIChild::RichEdit1DragDrop(const std::string& file) {
    tv::DropMarkup markup;
    try {
        markup = tv::droppedFileMarkup(file, referenceFor(file), frame_->settings().textExt);
    } catch (const tv::FileError& e) {
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
        return;
    }
    RichEdit1->setFocus();
    PendingStartText = markup.start;
    PendingEndText = markup.end;
    Markup();
}

void TMDIChild::Embed1Click() {
    TEmbedBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto texts = tv::embedTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::BackgroundSound1Click() {
    TSoundBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto texts = tv::soundTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Applet1Click() {
    TAppletBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    if (const auto texts = tv::appletTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Parameter1Click() {
    TParamBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    if (const auto texts = tv::paramTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Marquee1Click() {
    TMarqueeBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertPending(tv::marqueeTexts(box.fields()));
}

void TMDIChild::TableRow1Click() {
    TTableRow box(this);
    editOrInsert(tv::tableRowSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableRowSpec(), t, f); });
}

void TMDIChild::TableData1Click() {
    TTableCell box(this);
    editOrInsert(tv::tableDataSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableDataSpec(), t, f); });
}

void TMDIChild::TableHeader1Click() {
    TTableCell box(this);
    editOrInsert(tv::tableHeaderSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableHeaderSpec(), t, f); });
}

void TMDIChild::Form1Click() {
    TFormBox box(this);
    editOrInsert(tv::formSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::formSpec(), t, f); });
}

void TMDIChild::Select1Click() {
    TSelectBox box(this);
    editOrInsert(
        tv::selectSpec(), box,
        [](const std::string& t, const tv::Fields& f) { return plainPending(tv::selectSpec(), t, f); },
        [&box](const tv::Fields&) { box.syncSpinner(); });
}

void TMDIChild::TextArea1Click() {
    TTextAreaBox box(this);
    editOrInsert(tv::textAreaSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::textAreaSpec(), t, f); });
}

void TMDIChild::InsertInput(int type) {
    TInputBox box(type, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const std::string tag = tv::buildInputTag(box.itype->currentIndex(), box.fields());
    if (tag.empty()) return;
    insertPending({tag, ""});
}

void TMDIChild::Option1Click() {
    TOptionBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const tv::Fields f = box.fields();
    insertPending({tv::buildOptionTag(f.at("value"), !f.at("selected").empty()), ""});
}

void TMDIChild::Options2Click() {
    tv::Settings& settings = frame_->mutableSettings();
    TListOptions box(settings.ol, settings.ul, PendingEndText == "</UL>\r\n", this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const tv::Fields f = box.fields();
    settings.ul = tv::buildUnorderedTag(f.at("ultype"));
    settings.ol = tv::buildOrderedTag(box.oltype->currentIndex(), f.at("start"));
    runTagCommand(box.list->currentIndex() == 1 ? "UnorderedList1" : "OrderedList1");
}

void TMDIChild::JavaScript1Click() {
    TScriptBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const QByteArray lang = box.lang->currentText().toUtf8();
    const QByteArray body = box.Memo1->toPlainText().toUtf8();
    const tv::DocumentCodec& codec = tv::documentCodec();
    insertPending(tv::scriptPending(
        codec.encode(std::string_view(lang.constData(), static_cast<std::size_t>(lang.size()))),
        tv::clipboardToDocumentLineEnds(
            codec.encode(std::string_view(body.constData(), static_cast<std::size_t>(body.size()))))));
}

// --- body, head, style sheet, font, rule, heading, frames, division ----------------------

std::string TMDIChild::referenceFor(const std::string& file) const {
    return tv::RelativeReference(file, true, false, FileName.toStdString(), IsUntitled(), "");
}

void TMDIChild::insertIfAny(const tv::PendingTexts& texts) {
    if (!texts.start.empty()) insertPending(texts);
}

void TMDIChild::Body1Click() {
    TBodyBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    editOrInsert(tv::bodySpec(), box, [](const std::string& t, const tv::Fields&) { return tv::bodyPending(t); });
}

void TMDIChild::Base1Click() {
    TBaseBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::baseTexts(box.fields()));
}

void TMDIChild::Meta1Click() {
    TMetaBox box(frame_->ownerName(), this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::metaTexts(box.fields()));
}

void TMDIChild::Link1Click() {
    THLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::linkTexts(box.fields()));
}

void TMDIChild::IsIndex1Click() {
    TIsIndexBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::isIndexTexts(box.fields()));
}

void TMDIChild::StyleSheet1Click() {
    TStyleBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::styleSheetTexts(box.otype->currentIndex(), box.fields(), TStyleBox::colorName(box.fcolor),
                                    TStyleBox::colorName(box.bcolor)));
}

void TMDIChild::Font1Click() {
    TFontBox box(this);
    const bool edit = FindTag("font");
    std::string tag = "<FONT>";
    if (edit) {
        tag = RichEdit1->SelText();
        const tv::FontSize size = tv::readFontSize(tv::ExtractAttribute(tag, "size"));
        tv::Fields f;
        f["face"] = tv::ExtractAttribute(tag, "face");
        f["color"] = tv::ExtractAttribute(tag, "color");
        box.setFields(f);
        box.setSizeFromTag(size);
        box.syncSwatches();
    }
    if (prompter().run(box) != QDialog::Accepted) return;
    const std::string newTag =
        tv::buildFontTag(tag, box.fields(), box.SizeCheck->isChecked(), box.SizeType->currentIndex());
    if (newTag.empty()) return;  // nothing to write: no change at all
    finishElement(edit, newTag, {newTag, "</FONT>"});
}

void TMDIChild::BaseFont1Click() {
    TBaseFontBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::baseFontTexts(box.fields()));
}

void TMDIChild::HorizontalRule1Click() {
    THRuleBox box(this);
    editOrInsert(tv::ruleSpec(), box, [](const std::string& t, const tv::Fields&) { return tv::PendingTexts{t, ""}; });
}

void TMDIChild::HeadOptionsClick() {
    THeadingBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::headingTexts(box.fields()));
}

void TMDIChild::Frameset1Click() {
    TSetBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::framesetTexts(box.fields()));
}

void TMDIChild::Frame1Click() {
    TFrameBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::frameTexts(box.fields()));
}

void TMDIChild::Division1Click() {
    TDivBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::divisionTexts(box.fields()));
}

// --- update macros, include blocks, dates ------------------------------------------------

void TMDIChild::UpdateDocument(const QString& title) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int s = RichEdit1->SelStart();
    const int l = RichEdit1->SelLength();
    const int top = RichEdit1->TopLine();
    std::string text = RichEdit1->Text();
    try {
        tv::ApplyMacros(text, false, tv::documentCodec().encode(title.toStdString()), FileName.toStdString(),
                        frame_->macroContext());
    } catch (const tv::MacroError& e) {
        QApplication::restoreOverrideCursor();
        // The text stays exactly as it was.
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
        return;
    }
    {
        PaintLock lock(this);
        EditScope scope(RichEdit1);
        RichEdit1->SetText(text);
        RichEdit1->SetSel(s, l);
        RichEdit1->ScrollToLine(top);
        ColorDocument();
    }
    QApplication::restoreOverrideCursor();
}

void TMDIChild::IncludeFile1Click() {
    const auto chosen = prompter().openFileName(
        this, {QStringLiteral("Select include file"), frame_->openDialogFolder(), QString::fromLatin1(tv::kOpenFilter)});
    if (!chosen) return;
    const std::string name = tv::RelativeReference(chosen->toStdString(), false, true, FileName.toStdString(),
                                                   IsUntitled(), tv::programFolder() + "/taviron");
    const std::string block = tv::includeBlock(tv::documentCodec().encode(name));
    const int s = RichEdit1->SelStart();
    EditScope scope(RichEdit1);
    RichEdit1->ReplaceSelection(block);
    RichEdit1->SetSelStart(s);
    ColorRange(s + static_cast<int>(block.size()));
}

void TMDIChild::InsertDate(int kind) {
    const std::string date = tv::MacroDate(kind, frame_->macroContext());
    const int s = RichEdit1->SelStart();
    EditScope scope(RichEdit1);
    RichEdit1->ReplaceSelection(date);
    RichEdit1->SetSel(s, static_cast<int>(date.size()));
}
