#include "tools/searchwindows.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

void TRunBox::reject() {
    if (finished) QDialog::reject();
    else cancelled = true;
}

void TRunBox::closeEvent(QCloseEvent* e) {
    if (finished) {
        QDialog::closeEvent(e);
        return;
    }
    cancelled = true;
    e->ignore();
}

TFoundBox::TFoundBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FoundBox"));
    setWindowTitle(QStringLiteral("Search Results"));
    setMinimumSize(350, 140);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Building file list..."), this);
    done = new QLabel(this);
    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    auto* bottom = new QHBoxLayout;
    OpenBtn = new QPushButton(QStringLiteral("Open"), this);
    OpenBtn->setEnabled(false);
    bar = new QProgressBar(this);
    OkBtn = new QPushButton(QStringLiteral("Cancel"), this);
    bottom->addWidget(OpenBtn);
    bottom->addWidget(bar, 1);
    bottom->addWidget(OkBtn);
    layout->addWidget(Label1);
    layout->addWidget(done);
    layout->addWidget(List, 1);
    layout->addLayout(bottom);
    auto open = [this] {
        if (List->currentItem() && onOpen) onOpen(List->currentItem()->text());
    };
    connect(OpenBtn, &QPushButton::clicked, this, open);
    connect(List, &QListWidget::itemDoubleClicked, this, open);
    connect(OkBtn, &QPushButton::clicked, this, [this] {
        if (finished) emit closeRequested();
        else cancelled = true;
    });
}

void TFoundBox::start(int files) {
    cancelled = false;
    finished = false;
    List->clear();
    Label1->setText(QStringLiteral("Building file list..."));
    done->clear();
    bar->setMaximum(files);
    bar->setValue(0);
    OkBtn->setText(QStringLiteral("Cancel"));
    OpenBtn->setEnabled(false);
}

void TFoundBox::keyPressEvent(QKeyEvent* e) {
    // Esc stops a search as Cancel does, and then closes the pane.
    if (e->key() == Qt::Key_Escape) {
        OkBtn->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TFoundBox::hideEvent(QHideEvent* e) {
    // The pane closed while a search runs stops it.
    if (!finished) cancelled = true;
    QWidget::hideEvent(e);
}

void TFoundBox::finish() {
    finished = true;
    OkBtn->setText(QStringLiteral("OK"));
    OpenBtn->setEnabled(true);
    done->setText(cancelled ? QStringLiteral("Search canceled.") : QStringLiteral("Finished searching."));
}

TProgressBox::TProgressBox(QWidget* parent) : TRunBox(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ProgressBox"));
    setWindowTitle(QStringLiteral("Progress"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    cur = new QLabel(QStringLiteral("Building file list."), this);
    num = new QLabel(QStringLiteral("0 files"), this);
    occ = new QLabel(QStringLiteral("0 occurences."), this);
    bar = new QProgressBar(this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{picture, cur, num, occ, bar}) layout->addWidget(w);
    layout->addWidget(CancelBtn, 0, Qt::AlignRight);
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        if (finished) close();
        else cancelled = true;
    });
    resize(420, 180);
}

void TProgressBox::finish() {
    finished = true;
    CancelBtn->setText(QStringLiteral("OK"));
}
