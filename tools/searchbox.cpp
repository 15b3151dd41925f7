#include "tools/searchbox.h"

#include "base/doctext.h"

#include "text/codec.h"

#include "base/prompter.h"
#include "widgets/historycombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {
std::string documentText(const QPlainTextEdit* edit) {
    return tv::clipboardToDocumentLineEnds(toDocument(edit->toPlainText()));
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setLineWrapMode(QPlainTextEdit::NoWrap);
    e->setTabChangesFocus(true);
    e->setFixedHeight(e->fontMetrics().lineSpacing() * 3 + 12);
    return e;
}
// Project folders: a folder picture 10 pixels in per level, the title 20
// pixels to the right of the picture.
class FolderRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        const int x = option.rect.left() + 10 * index.data(Qt::UserRole).toInt();
        const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        icon.paint(p, QRect(x, option.rect.top() + 1, 16, 16));
        p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        p->drawText(QRect(x + 20, option.rect.top(), option.rect.right() - x - 20, option.rect.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize s = QStyledItemDelegate::sizeHint(option, index);
        return {s.width() + 20 + 10 * index.data(Qt::UserRole).toInt(), std::max(s.height(), 18)};
    }
};
} // namespace

Tsearchbox::Tsearchbox(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("searchbox"));
    setWindowTitle(QStringLiteral("Search"));
    setModal(false);
    find = memo(this, "find");
    replace = memo(this, "replace");
    matchcase = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    matchcase->setObjectName(QStringLiteral("matchcase"));
    FindBtn = new QPushButton(QStringLiteral("&Find"), this);
    ReplaceBtn = new QPushButton(QStringLiteral("&Replace"), this);
    ReplaceAllBtn = new QPushButton(QStringLiteral("Replace &All"), this);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    FindBtn->setDefault(true);

    auto* grid = new QGridLayout(this);
    auto* findLabel = new QLabel(QStringLiteral("Find what:"), this);
    findLabel->setBuddy(find);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace with:"), this);
    replaceLabel->setBuddy(replace);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(find, 1, 0);
    grid->addWidget(replaceLabel, 2, 0);
    grid->addWidget(replace, 3, 0);
    grid->addWidget(matchcase, 4, 0);
    Button1 = new QPushButton(QStringLiteral("Multi Fil&e >>"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {FindBtn, ReplaceBtn, ReplaceAllBtn, CancelBtn, Button1}) buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 1, 5, 1);

    // The multi-file panel.
    Panel1 = new QGroupBox(QStringLiteral("Search in:"), this);
    auto* panel = new QGridLayout(Panel1);
    all = new QRadioButton(QStringLiteral("All Open Windows"), Panel1);
    all->setChecked(true);
    dir = new QRadioButton(QStringLiteral("Directory:"), Panel1);
    directory = new THistoryCombo(QStringLiteral("SearchDirs"), Panel1, 9);
    directory->setObjectName(QStringLiteral("directory"));
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(), Panel1);
    subdirs = new QCheckBox(QStringLiteral("Recurse subdirectories"), Panel1);
    subdirs->setChecked(true);
    proj = new QRadioButton(QStringLiteral("Project:"), Panel1);
    project = new QComboBox(Panel1);
    project->setObjectName(QStringLiteral("project"));
    project->setItemDelegate(new FolderRowDelegate(project));
    subproj = new QCheckBox(QStringLiteral("Recurse sub-folders"), Panel1);
    panel->addWidget(all, 0, 0, 1, 3);
    panel->addWidget(dir, 1, 0);
    panel->addWidget(directory, 1, 1);
    panel->addWidget(BitBtn1, 1, 2);
    panel->addWidget(subdirs, 2, 1, 1, 2);
    panel->addWidget(proj, 3, 0);
    panel->addWidget(project, 3, 1, 1, 2);
    panel->addWidget(subproj, 4, 1, 1, 2);
    grid->addWidget(Panel1, 5, 0, 1, 2);
    Panel1->hide();
    for (QRadioButton* r : {all, dir, proj}) connect(r, &QRadioButton::clicked, this, &Tsearchbox::applyScope);
    connect(Button1, &QPushButton::clicked, this, [this] { setMultiFile(!multi_); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        const auto folder = prompter().folder(this, QStringLiteral("Select Directory:"), directory->currentText());
        if (folder) directory->setCurrentText(*folder);
    });
    applyScope();

    auto closeThen = [this](std::function<void()>* command, std::function<void()>* multiCommand) {
        return [this, command, multiCommand] {
            if (multi_ && dir->isChecked()) directory->remember();
            hide();
            std::function<void()>* run = multi_ && multiCommand ? multiCommand : command;
            if (*run) (*run)();
        };
    };
    connect(FindBtn, &QPushButton::clicked, this, closeThen(&onFind, &onFindInFiles));
    connect(ReplaceBtn, &QPushButton::clicked, this, closeThen(&onReplace, nullptr));
    connect(ReplaceAllBtn, &QPushButton::clicked, this, closeThen(&onReplaceAll, &onReplaceInFiles));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::string Tsearchbox::findText() const { return documentText(find); }
std::string Tsearchbox::replaceText() const { return documentText(replace); }

void Tsearchbox::setFindText(const std::string& utf8) {
    find->setPlainText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void Tsearchbox::fillProjectList() {
    project->clear();
    if (!projectFolders) return;
    for (const ProjectFolder& f : projectFolders()) project->addItem(f.title, f.level);
    if (project->count() > 0) project->setCurrentIndex(0);
}

void Tsearchbox::showBox() {
    fillProjectList();
    if (directory->count() > 0 && directory->currentText().isEmpty()) directory->setCurrentIndex(0);
    if (!isVisible() && parentWidget()) {
        // Laid out first, so that the size it is centred by is its own.
        ensurePolished();
        adjustSize();
        if (QScreen* screen = parentWidget()->screen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
    find->setFocus();
    find->selectAll();
}

void Tsearchbox::setMultiFile(bool on) {
    multi_ = on;
    Panel1->setVisible(on);
    Button1->setText(on ? QStringLiteral("<< One Fil&e") : QStringLiteral("Multi Fil&e >>"));
    ReplaceBtn->setEnabled(!on);
    applyScope();
    adjustSize();
    if (isVisible()) find->setFocus();
}

void Tsearchbox::applyScope() {
    directory->setEnabled(dir->isChecked());
    BitBtn1->setEnabled(dir->isChecked());
    subdirs->setEnabled(dir->isChecked());
    project->setEnabled(proj->isChecked());
    subproj->setEnabled(proj->isChecked());
    FindBtn->setEnabled(!multi_ || dir->isChecked() || proj->isChecked());
}

void Tsearchbox::hideEvent(QHideEvent* e) {
    // The folder used goes to the top of the history.
    if (multi_ && dir->isChecked()) directory->remember();
    QDialog::hideEvent(e);
}
