#include "dialogs/scriptbox.h"

#include "widgets/valuecombo.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
enum Kind { Plain, Call };
// Lists end with nullptr; "-" stands for a separator line.
const char* const kWindowItems[] = {"window.defaultStatus", "window.frames", "window.length", "window.name",
                                    "window.parent", "window.self", "window.status", "window.top", nullptr};
const char* const kWindowCalls[] = {"alert", "close", "confirm", "open", "prompt", "setTimeout", "clearTimeout", nullptr};
const char* const kDocumentItems[] = {"document.alinkColor", "document.anchors", "document.bgColor", "document.cookie",
                                      "document.fgColor", "document.forms", "document.lastModified",
                                      "document.linkColor", "document.links", "document.location", "document.referrer",
                                      "document.title", "document.vlinkColor", nullptr};
const char* const kDocumentCalls[] = {"document.clear", "document.close", "document.open", "document.write",
                                      "document.writeln", nullptr};
const char* const kMathCalls[] = {"Math.abs", "Math.acos", "Math.asin", "Math.atan", "Math.ceil", "Math.cos",
                                  "Math.exp", "Math.floor", "Math.log", "Math.max", "Math.min", "Math.pow",
                                  "Math.random", "Math.round", "Math.sin", "Math.sqrt", "Math.tan", nullptr};
const char* const kDateNew[] = {"new Date", nullptr};
const char* const kDateGet[] = {"getDate", "getDay", "getHours", "getMinutes", "getMonth", "getSeconds", "getTime",
                                "getTimezoneOffset", "getYear", nullptr};
const char* const kDateSet[] = {"setDate", "setHour", "setMinutes", "setMonths", "setSeconds", "setTime", "setYear",
                                nullptr};
const char* const kNavigator[] = {"navigator.appCodeName", "navigator.appName", "navigator.appVersion",
                                  "navigator.userAgent", nullptr};
const char* const kHistory[] = {"history.back", "history.forward", "history.go", nullptr};
const char* const kVbLogicalCalls[] = {"IsArray", "IsDate", "IsEmpty", "IsNull", "IsNumeric", "IsObject", nullptr};
const char* const kVbLogicalPlain[] = {"Not", "Eqv", "Is", nullptr};
const char* const kVbMath[] = {"Abs", "Atn", "Cos", "Log", "Mod", "Sgn", "Sin", "Sqr", "Tan", "Val", nullptr};
const char* const kVbCharacter[] = {"Asc", "Chr", "Hex", "LCase", "Len", "LTrim", "RTrim", "Trim", "Mid", "UCase",
                                    nullptr};
const char* const kVbChrono[] = {"Date", "Day", "Hour", "Month", "Now", "Second", "Time", "Weekday", "Year", nullptr};
} // namespace

TScriptBox::TScriptBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ScriptBox"));
    setWindowTitle(QStringLiteral("Script - Taviron"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    lang = new TValueCombo(this);
    lang->setObjectName(QStringLiteral("lang"));
    lang->addItems({QStringLiteral("JavaScript"), QStringLiteral("VBScript")});
    lang->setCurrentText(QStringLiteral("JavaScript"));
    form->addRow(QStringLiteral("Language:"), lang);
    layout->addLayout(form);
    auto* contents = new QHBoxLayout;
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(courier);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    Image1 = new QToolButton(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    Image1->setToolTip(QStringLiteral("Script elements"));
    contents->addWidget(Memo1);
    contents->addWidget(Image1, 0, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Contents:"), this));
    layout->addLayout(contents);

    PopupMenu1 = new QMenu(this);
    QAction* undo = PopupMenu1->addAction(QStringLiteral("&Undo"));
    PopupMenu1->addSeparator();
    QAction* cut = PopupMenu1->addAction(QStringLiteral("&Cut"));
    QAction* copy = PopupMenu1->addAction(QStringLiteral("C&opy"));
    QAction* paste = PopupMenu1->addAction(QStringLiteral("&Paste"));
    QAction* all = PopupMenu1->addAction(QStringLiteral("&Select All"));
    PopupMenu1->addSeparator();
    connect(undo, &QAction::triggered, Memo1, &QPlainTextEdit::undo);
    connect(cut, &QAction::triggered, Memo1, &QPlainTextEdit::cut);
    connect(copy, &QAction::triggered, Memo1, &QPlainTextEdit::copy);
    connect(paste, &QAction::triggered, Memo1, &QPlainTextEdit::paste);
    connect(all, &QAction::triggered, Memo1, &QPlainTextEdit::selectAll);
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, cut, copy, paste] {
        const bool sel = Memo1->textCursor().hasSelection();
        cut->setEnabled(sel);
        copy->setEnabled(sel);
        const QMimeData* m = QApplication::clipboard()->mimeData();
        paste->setEnabled(m && m->hasText());
    });

    QMenu* js = PopupMenu1->addMenu(QStringLiteral("&JavaScript"));
    js->menuAction()->setStatusTip(QStringLiteral("JavaScript elements"));
    connect(js->addAction(QStringLiteral("&Function")), &QAction::triggered, this,
            [this] { insertSnippet(QStringLiteral("function () {\n"), QStringLiteral("\n}")); });
    connect(js->addAction(QStringLiteral("&Variable")), &QAction::triggered, this,
            [this] { insertSnippet(QStringLiteral("var "), QString()); });
    js->addSeparator();
    QMenu* window = js->addMenu(QStringLiteral("&Window"));
    window->menuAction()->setStatusTip(QStringLiteral("Window object"));
    addSnippets(window, kWindowItems, Plain);
    window->addSeparator();
    addSnippets(window, kWindowCalls, Call);
    QMenu* document = js->addMenu(QStringLiteral("&Document"));
    document->menuAction()->setStatusTip(QStringLiteral("Document object"));
    addSnippets(document, kDocumentItems, Plain);
    document->addSeparator();
    addSnippets(document, kDocumentCalls, Call);
    QMenu* math = js->addMenu(QStringLiteral("&Math"));
    math->menuAction()->setStatusTip(QStringLiteral("Math functions"));
    addSnippets(math, kMathCalls, Call);
    QMenu* string = js->addMenu(QStringLiteral("&String"));
    string->menuAction()->setStatusTip(QStringLiteral("String functions"));
    const char* const stringCalls1[] = {"charAt", "escape", "eval", "indexOf", nullptr};
    const char* const stringPlain[] = {"length", nullptr};
    const char* const stringCalls2[] = {"lastIndexOf", "substring", "toLowerCase", "toUpperCase", "unescape", nullptr};
    addSnippets(string, stringCalls1, Call);
    addSnippets(string, stringPlain, Plain);
    addSnippets(string, stringCalls2, Call);
    QMenu* date = js->addMenu(QStringLiteral("D&ate"));
    date->menuAction()->setStatusTip(QStringLiteral("Date object"));
    addSnippets(date, kDateNew, Call);
    date->addSeparator();
    addSnippets(date, kDateGet, Call);
    date->addSeparator();
    addSnippets(date, kDateSet, Call);
    QMenu* navigator = js->addMenu(QStringLiteral("&Navigator"));
    navigator->menuAction()->setStatusTip(QStringLiteral("Navigator object"));
    addSnippets(navigator, kNavigator, Plain);
    QMenu* history = js->addMenu(QStringLiteral("&History"));
    history->menuAction()->setStatusTip(QStringLiteral("History object"));
    addSnippets(history, kHistory, Call);

    QMenu* vb = PopupMenu1->addMenu(QStringLiteral("&VBScript"));
    vb->menuAction()->setStatusTip(QStringLiteral("VBScript elements"));
    connect(vb->addAction(QStringLiteral("&Function")), &QAction::triggered, this,
            [this] { insertSnippet(QStringLiteral("Function ()\n"), QStringLiteral("\nEnd Function")); });
    connect(vb->addAction(QStringLiteral("&Sub")), &QAction::triggered, this,
            [this] { insertSnippet(QStringLiteral("Sub ()\n"), QStringLiteral("\nEnd Sub")); });
    vb->addSeparator();
    QMenu* logical = vb->addMenu(QStringLiteral("&Logical"));
    logical->menuAction()->setStatusTip(QStringLiteral("Logical operators"));
    addSnippets(logical, kVbLogicalCalls, Call);
    addSnippets(logical, kVbLogicalPlain, Plain);
    QMenu* vbMath = vb->addMenu(QStringLiteral("&Math"));
    vbMath->menuAction()->setStatusTip(QStringLiteral("Math functions"));
    addSnippets(vbMath, kVbMath, Call);
    QMenu* character = vb->addMenu(QStringLiteral("&Character"));
    character->menuAction()->setStatusTip(QStringLiteral("Character functions"));
    addSnippets(character, kVbCharacter, Call);
    QMenu* chrono = vb->addMenu(QStringLiteral("C&hronological"));
    chrono->menuAction()->setStatusTip(QStringLiteral("Chronological functions"));
    addSnippets(chrono, kVbChrono, Plain);

    connect(Memo1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Memo1->mapToGlobal(p)); });
    connect(Image1, &QToolButton::clicked, this,
            [this] { PopupMenu1->popup(Image1->mapToGlobal(QPoint(0, Image1->height()))); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, 360);
}

void TScriptBox::addSnippets(QMenu* menu, const char* const* items, int kind) {
    for (; *items; ++items) {
        const QString caption = QString::fromLatin1(*items);
        QAction* a = menu->addAction(caption);
        if (kind == Call) connect(a, &QAction::triggered, this, [this, caption] { insertSnippet(caption + "(", ")"); });
        else connect(a, &QAction::triggered, this, [this, caption] { insertSnippet(caption, QString()); });
    }
}

void TScriptBox::insertSnippet(const QString& before, const QString& after) {
    QTextCursor c = Memo1->textCursor();
    const QString selected = c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    c.insertText(before + selected + after);
    Memo1->setTextCursor(c);
}
