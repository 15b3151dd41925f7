#include "tools/searchbox.h"

#include "editor/codec.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
std::string documentText(const QPlainTextEdit* edit) {
    const QByteArray utf8 = edit->toPlainText().toUtf8();
    return tv::clipboardToDocumentLineEnds(
        tv::documentCodec().encode(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setLineWrapMode(QPlainTextEdit::NoWrap);
    e->setTabChangesFocus(true);
    e->setFixedHeight(e->fontMetrics().lineSpacing() * 3 + 12);
    return e;
}
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
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {FindBtn, ReplaceBtn, ReplaceAllBtn, CancelBtn}) buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 1, 5, 1);

    auto closeThen = [this](std::function<void()>* command) {
        return [this, command] {
            hide();
            if (*command) (*command)();
        };
    };
    connect(FindBtn, &QPushButton::clicked, this, closeThen(&onFind));
    connect(ReplaceBtn, &QPushButton::clicked, this, closeThen(&onReplace));
    connect(ReplaceAllBtn, &QPushButton::clicked, this, closeThen(&onReplaceAll));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::string Tsearchbox::findText() const { return documentText(find); }
std::string Tsearchbox::replaceText() const { return documentText(replace); }

void Tsearchbox::setFindText(const std::string& utf8) {
    find->setPlainText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void Tsearchbox::showBox() {
    if (!isVisible() && parentWidget()) {
        if (QScreen* screen = parentWidget()->screen()) move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    find->setFocus();
    find->selectAll();
}
