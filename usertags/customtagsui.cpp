#include "usertags/customtagsui.h"

#include "base/doctext.h"

#include "base/prompter.h"
#include "base/docfile.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The menu items that stand for tags carry their 1-based position.
const char* const kTagItem = "tavironTagItem";

// Tag names 10 pixels in; a separator as a sunken line across its row.
class NameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.data().toString() != QStringLiteral("-")) {
            QStyleOptionViewItem o = option;
            o.rect.adjust(10, 0, 0, 0);
            QStyledItemDelegate::paint(p, o, index);
            return;
        }
        if (option.state & QStyle::State_Selected) p->fillRect(option.rect, option.palette.highlight());
        const int y = option.rect.center().y();
        p->setPen(option.palette.color(QPalette::Dark));
        p->drawLine(option.rect.left() + 2, y, option.rect.right() - 2, y);
        p->setPen(option.palette.color(QPalette::Light));
        p->drawLine(option.rect.left() + 2, y + 1, option.rect.right() - 2, y + 1);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(option.fontMetrics.boundingRect(QStringLiteral("A1")).height() + 5);
        return s;
    }
};
} // namespace

// --- the set ------------------------------------------------------------------------

TCustomTags::TCustomTags(int number, QMenu* popup, QObject* parent) : QObject(parent), ParentPopup(popup), Tag(number) {
    set.fileName = "CUSTOM" + std::to_string(number) + ".VOK";
}

TCustomTags::~TCustomTags() { SaveTags(); }

void TCustomTags::setFilePath(const std::string& folder) {
    if (folder == set.folder) return;
    set.folder = folder;
    try {
        set.LoadTags();
    } catch (const tv::FileError&) {
        // An unreadable set shows as empty; it is not written over unless changed.
        set.tags.clear();
    }
    RebuildTagMenu();
    set.changed = false;
}

void TCustomTags::SetTitle(const std::string& title) {
    if (set.setTitle(title)) emit titleChanged(this);
}

void TCustomTags::InsertTag(int position, const tv::UserTag& tag) {
    set.InsertTag(position, tag);
    RebuildTagMenu();
}
void TCustomTags::ChangeTag(int position, const tv::UserTag& tag) {
    set.ChangeTag(position, tag);
    RebuildTagMenu();
}
void TCustomTags::DeleteTag(int position) {
    set.DeleteTag(position);
    RebuildTagMenu();
}
void TCustomTags::MoveTag(int from, int to) {
    set.MoveTag(from, to);
    RebuildTagMenu();
}

void TCustomTags::RebuildTagMenu() {
    if (!ParentPopup) return;
    for (QAction* a : ParentPopup->actions())
        if (a->property(kTagItem).isValid()) {
            ParentPopup->removeAction(a);
            a->deleteLater();
        }
    const QList<QAction*> others = ParentPopup->actions();
    for (std::size_t i = 0; i < set.tags.size(); ++i) {
        const tv::UserTag& tag = set.tags[i];
        auto* item = new QAction(ParentPopup);
        if (tag.name == "-") {
            item->setSeparator(true);
            item->setProperty(kTagItem, 0);
        } else {
            item->setText(fromDocument(tag.name));
            item->setProperty(kTagItem, static_cast<int>(i) + 1);
            connect(item, &QAction::triggered, this, [this, i] {
                if (i < set.tags.size()) emit tagItemClicked(this, set.tags[i].start, set.tags[i].close);
            });
        }
        const int at = static_cast<int>(i);
        ParentPopup->insertAction(at < others.size() ? others[at] : nullptr, item);
    }
}

bool TCustomTags::SaveTags(std::string* error) {
    try {
        set.SaveTags();
        return true;
    } catch (const tv::FileError& e) {
        if (error) *error = e.what();
        return false;
    }
}

// --- tag editor ----------------------------------------------------------------------

TTagEdit::TTagEdit(const QFont& editorFont, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Edit Custom Tag"));
    setObjectName(QStringLiteral("TagEdit"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    tagname = new QLineEdit(this);
    tagname->setObjectName(QStringLiteral("tagname"));
    tagname->setMaxLength(255);
    form->addRow(QStringLiteral("Name:"), tagname);
    auto text = [&](const char* name, const QString& label) {
        auto* e = new QPlainTextEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setLineWrapMode(QPlainTextEdit::NoWrap);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        e->setFont(editorFont);
        form->addRow(label, e);
        return e;
    };
    start = text("start", QStringLiteral("Beginning Tag:"));
    close = text("close", QStringLiteral("Closing Tag:"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setEnabled(false);
    connect(tagname, &QLineEdit::textChanged, ok, [this](const QString& t) { ok->setEnabled(!t.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!tagname->text().isEmpty()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

tv::UserTag TTagEdit::tag() const {
    // The edits give LF line ends; the document's are CR LF.
    auto coded = [](const QPlainTextEdit* e) {
        std::string t = toDocument(e->toPlainText());
        std::string crlf;
        for (char c : t) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        return tv::codeLineBreaks(crlf);
    };
    return {toDocument(tagname->text()), coded(start), coded(close)};
}

void TTagEdit::setTag(const tv::UserTag& t) {
    tagname->setText(fromDocument(t.name));
    auto plain = [](const std::string& coded) {
        std::string s = tv::decodeLineBreaks(coded);
        std::string out;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
        return fromDocument(out);
    };
    start->setPlainText(plain(t.start));
    close->setPlainText(plain(t.close));
}

// --- manager ---------------------------------------------------------------------------

TCustomBox::TCustomBox(TCustomTags& tags, const QFont& editorFont, QWidget* parent)
    : QDialog(parent), tags_(tags), font_(editorFont) {
    setWindowTitle(QStringLiteral("Custom Tags Menu"));
    setObjectName(QStringLiteral("CustomBox"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    button = new QLineEdit(this);
    button->setObjectName(QStringLiteral("button"));
    button->setMaxLength(15);
    form->addRow(QStringLiteral("Button Name:"), button);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    NameList = new QListWidget(this);
    NameList->setObjectName(QStringLiteral("NameList"));
    NameList->setItemDelegate(new NameDelegate(NameList));
    QPalette pal = NameList->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    NameList->setPalette(pal);
    NameList->setDragDropMode(QAbstractItemView::DragDrop);
    NameList->setDefaultDropAction(Qt::MoveAction);
    NameList->viewport()->installEventFilter(this);
    row->addWidget(NameList, 1);
    auto* side = new QVBoxLayout;
    row->addLayout(side);
    auto add = [&](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        side->addWidget(b);
        return b;
    };
    NewBtn = add(QStringLiteral("New..."), "NewBtn");
    EditBtn = add(QStringLiteral("Edit..."), "EditBtn");
    DeleteBtn = add(QStringLiteral("Delete"), "DeleteBtn");
    Up = add(QStringLiteral("\u25B2"), "Up");
    Up->setToolTip(QStringLiteral("Move Up"));
    Down = add(QStringLiteral("\u25BC"), "Down");
    Down->setToolTip(QStringLiteral("Move Down"));
    side->addStretch();
    ExitBtn = add(QStringLiteral("Exit"), "ExitBtn");
    connect(NewBtn, &QPushButton::clicked, this, &TCustomBox::NewClick);
    connect(EditBtn, &QPushButton::clicked, this, &TCustomBox::EditClick);
    connect(NameList, &QListWidget::itemDoubleClicked, this, &TCustomBox::EditClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TCustomBox::DeleteClick);
    connect(Up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(Down, &QPushButton::clicked, this, [this] { move(1); });
    connect(ExitBtn, &QPushButton::clicked, this, &QDialog::accept);

    button->setText(fromDocument(tags_.set.title));
    for (const tv::UserTag& t : tags_.set.tags) NameList->addItem(fromDocument(t.name));
    if (NameList->count() > 0) NameList->setCurrentRow(0);
}

void TCustomBox::NewClick() {
    if (NameList->count() >= tv::CustomTagSet::kMaximum) {
        prompter().message(this, QStringLiteral("Taviron"),
                           QStringLiteral("Sorry, you have reached the maximum number of tags."));
        return;
    }
    TTagEdit edit(font_, this);
    if (prompter().run(edit) != QDialog::Accepted) return;
    const tv::UserTag tag = edit.tag();
    NameList->addItem(fromDocument(tag.name));
    tags_.InsertTag(static_cast<int>(tags_.set.tags.size()), tag);
    NameList->setCurrentRow(NameList->count() - 1);
}

void TCustomBox::EditClick() {
    const int row = NameList->currentRow();
    if (row < 0 || row >= static_cast<int>(tags_.set.tags.size())) return;
    TTagEdit edit(font_, this);
    edit.setTag(tags_.set.tags[static_cast<std::size_t>(row)]);
    if (prompter().run(edit) != QDialog::Accepted) return;
    const tv::UserTag tag = edit.tag();
    NameList->item(row)->setText(fromDocument(tag.name));
    tags_.ChangeTag(row, tag);
    NameList->setCurrentRow(row);
}

void TCustomBox::DeleteClick() {
    const int row = NameList->currentRow();
    if (row < 0) return;
    delete NameList->takeItem(row);
    tags_.DeleteTag(row);
    NameList->setFocus();
    if (NameList->count() > 0) NameList->setCurrentRow(std::max(0, row - 1));
}

void TCustomBox::move(int step) {
    const int row = NameList->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= NameList->count()) return;
    dropRow(row, to);
}

void TCustomBox::dropRow(int from, int to) {
    if (from < 0 || to < 0 || from == to || from >= NameList->count() || to >= NameList->count()) return;
    QListWidgetItem* item = NameList->takeItem(from);
    NameList->insertItem(to, item);
    tags_.MoveTag(from, to);
    NameList->setCurrentRow(to);
}

bool TCustomBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != NameList->viewport()) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDropEvent*>(event);
        // Only rows of this list move here.
        if (e->source() != NameList) {
            e->ignore();
            return true;
        }
        const int over = NameList->row(NameList->itemAt(e->position().toPoint()));
        if (over >= 0) NameList->setCurrentRow(over);
        e->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const int to = NameList->row(NameList->itemAt(e->position().toPoint()));
        if (e->source() == NameList && to >= 0) dropRow(dragRow_, to);
        dragRow_ = -1;
        e->setDropAction(Qt::IgnoreAction);  // the list itself must not move the row again
        e->accept();
        return true;
    }
    case QEvent::MouseButtonPress:
        // The row a drag would move is the one the button went down on.
        dragRow_ = NameList->row(NameList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void TCustomBox::applyTitle() { tags_.SetTitle(toDocument(button->text())); }
