#include "editor/mdichild.h"

#include "app/frametext.h"
#include "app/mainform.h"
#include "app/paths.h"
#include "app/prompter.h"
#include "editor/textmodel.h"
#include "editor/undorules.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTextLimit = 0x100000;  // 1,048,576 characters
}

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

    Edit1 = new QMenu(QStringLiteral("&Edit"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->menuAction()->setStatusTip(QStringLiteral("Edit commands"));
    Undo1 = addItem(Edit1, "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), "Undo latest editing action");
    Redo1 = addItem(Edit1, "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "Undo last undo action");
    Edit1->addSeparator();
    Cut1 = addItem(Edit1, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut selected text to the clipboard");
    Copy1 = addItem(Edit1, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy selected text to the clipboard");
    Paste1 = addItem(Edit1, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste clipboard contents into document");
    Edit1->addSeparator();
    SelectAll1 = addItem(Edit1, "Se&lect All", {}, "Select all text in current document");
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
    PopupMenu1->addSeparator();
    Cut2 = PopupMenu1->addAction(QStringLiteral("Cu&t"));
    Copy2 = PopupMenu1->addAction(QStringLiteral("&Copy"));
    Paste2 = PopupMenu1->addAction(QStringLiteral("&Paste"));
    PopupMenu1->addSeparator();
    SelectAll2 = PopupMenu1->addAction(QStringLiteral("&Select All"));
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

    // Creation: the settings, then the editor's typing colour starts as the
    // background and turns into the font colour at the first paint.
    ApplyEditorSettings();
    RichEdit1->SetSelColor(frame_->settings().backColor);
    SetWordWrap(frame_->wordWrapChecked());
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
    RichEdit1->SetSelColor(s.fontColor);
    RichEdit1->SetEditorFont(QString::fromStdString(s.fontName), s.fontSize);
}

void TMDIChild::SetWordWrap(bool on) { RichEdit1->SetWordWrapOn(on); }

void TMDIChild::SetEditRect() {
    RichEdit1->SetEditRect(QRect(0, 1, width() - 1, height()));
}

void TMDIChild::GetTitle() { RichEdit1->SetHint(tv::GetTitleText(RichEdit1->TextView())); }

void TMDIChild::TextChange() {
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
    if (!sel) RichEdit1->SetSelColor(frame_->settings().fontColor);
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

void TMDIChild::Edit1Popup() { Redo1->setEnabled(RichEdit1->CanRedo()); }

void TMDIChild::PopupMenu1Popup() {
    const bool sel = RichEdit1->SelLength() > 0;
    Cut2->setEnabled(sel);
    Copy2->setEnabled(sel);
    Paste2->setEnabled(TvokRich::ClipboardHasText());
    Undo2->setEnabled(RichEdit1->CanUndo());
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
    if (RichEdit1->SelLength() == 0 &&
        tv::PaletteColor(s.backColor) == tv::PaletteColor(static_cast<std::uint8_t>(RichEdit1->SelColor())))
        RichEdit1->SetSelColor(s.fontColor);
}

void TMDIChild::closeEvent(QCloseEvent* e) {
    if (!closeApproved && !FormCloseQuery()) {
        e->ignore();
        return;
    }
    frame_->documentClosed(this);
    e->accept();
}
