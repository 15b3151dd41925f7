#include "usertags/newdocbox.h"

#include "base/prompter.h"
#include "widgets/historycombo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include "widgets/valuecombo.h"
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

TNewDoc::TNewDoc(QWidget* parent) : TBodyBox(parent, QStringLiteral("New HTML Document - Taviron")) {
    setObjectName(QStringLiteral("NewDoc"));
    auto* dtd = new TValueCombo(this);
    dtd->setObjectName(QStringLiteral("dtd"));
    for (const char* line : tv::kDocTypeLines) dtd->addItem(QString::fromLatin1(line));
    dtd->setCurrentIndex(-1);
    dtd->setCurrentText(QString());
    auto* title = new QLineEdit(this);
    title->setObjectName(QStringLiteral("title"));
    form_->insertRow(0, QStringLiteral("Type:"), dtd);
    form_->insertRow(1, QStringLiteral("Title:"), title);
    // The background image is written by its name alone.
    relativeReference = [](const std::string& file) { return std::filesystem::path(file).filename().string(); };
    // The colour edits start empty: a colour is written only when chosen or typed.
    for (const char* edit : {"bground", "text", "link", "vlink", "alink"})
        if (auto* e = findChild<QLineEdit*>(QString::fromLatin1(edit))) e->clear();
}

tv::NewDocFields TNewDoc::values() const {
    const tv::Fields f = fields();
    auto get = [&f](const char* name) { return tv::fieldText(f, name); };
    return {get("dtd"), get("title"), get("background"), get("bground"),
            get("text"), get("link"), get("vlink"), get("alink")};
}

TTemplateBox::TTemplateBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New File - Taviron"));
    setObjectName(QStringLiteral("TemplateBox"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    title = new QLineEdit(this);
    title->setObjectName(QStringLiteral("title"));
    form->addRow(QStringLiteral("Title:"), title);
    templateName = new THistoryCombo(QStringLiteral("Templates"), this, 5);
    templateName->setObjectName(QStringLiteral("template"));
    if (templateName->count() > 0) templateName->setCurrentText(templateName->itemText(0));
    auto* line = new QWidget(this);
    auto* h = new QHBoxLayout(line);
    h->setContentsMargins(0, 0, 0, 0);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), line);
    browse->setObjectName(QStringLiteral("SpeedButton1"));
    h->addWidget(templateName, 1);
    h->addWidget(browse);
    form->addRow(QStringLiteral("Template:"), line);
    connect(browse, &QPushButton::clicked, this, [this] {
        const auto name = prompter().openFileName(
            this, {QStringLiteral("Choose Template File"), templateName->currentText(),
                   QStringLiteral("HTML files|*.htm; *.html|Text Files|*.txt|All Files|*.*")});
        if (name) templateName->setCurrentText(*name);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TTemplateBox::rememberHistory() { templateName->remember(); }
