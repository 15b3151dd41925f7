#include "dialogs/elementbox.h"

#include "base/doctext.h"
#include "widgets/focusorder.h"

#include "base/palette.h"
#include "base/prompter.h"
#include "widgets/colorbutton.h"
#include "widgets/historycombo.h"
#include "widgets/valuecombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TElementBox::TElementBox(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    form_ = new QFormLayout;
    layout->addLayout(form_);
}

void TElementBox::enableRow(QWidget* field, bool on) {
    field->setEnabled(on);
    if (QWidget* label = form_->labelForField(field)) label->setEnabled(on);
}

QString& TElementBox::lastBrowseFolder() {
    static QString folder;
    return folder;
}

QString TElementBox::browseFolder() const {
    // The folder of the document the dialog works on, else the last one
    // a Browse button went to.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        const QString folder = w->property("documentFolder").toString();
        if (!folder.isEmpty()) return folder;
    }
    return lastBrowseFolder();
}

void TElementBox::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Tab goes through the form as it is laid out, and typing goes into its
    // first field (never into a list of kinds, where a letter would choose).
    orderTabsByPlace(this);
    focusFirstField(this);
}

QLineEdit* TElementBox::addEdit(const char* name, const QString& label, QFormLayout* into) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    (into ? into : form_)->addRow(label, e);
    return e;
}

QComboBox* TElementBox::addCombo(const char* name, const QString& label, const QStringList& items, bool editable,
                                 QFormLayout* into) {
    QComboBox* c = editable ? new TValueCombo(this) : new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    if (editable) c->setCurrentText(QString());
    (into ? into : form_)->addRow(label, c);
    return c;
}

THistoryCombo* TElementBox::addHistory(const char* name, const QString& label, const QString& key) {
    auto* c = new THistoryCombo(key, this);
    c->setObjectName(QString::fromLatin1(name));
    form_->addRow(label, c);
    return c;
}

QCheckBox* TElementBox::addCheck(const char* name, const QString& label, QFormLayout* into) {
    auto* c = new QCheckBox(label, this);
    c->setObjectName(QString::fromLatin1(name));
    (into ? into : form_)->addRow(QString(), c);
    return c;
}

void TElementBox::addColorRow(QFormLayout* into, const char* editName, const char* swatchName, const QString& label,
                              tv::ColorValue initial, std::function<void(tv::ColorValue)> chosen) {
    QWidget* owner = into->parentWidget() ? into->parentWidget() : this;
    auto* line = new QWidget(owner);
    auto* h = new QHBoxLayout(line);
    h->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QLineEdit(line);
    edit->setObjectName(QString::fromLatin1(editName));
    auto* swatch = new TColorButton(line);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setColor(initial);
    h->addWidget(edit);
    h->addWidget(swatch);
    into->addRow(label, line);
    // The edit is what is written; the swatch only helps to choose.
    connect(swatch, &TColorButton::colorChosen, edit, [edit, chosen](tv::ColorValue c) {
        edit->setText(QString::fromStdString(tv::ColorToHTML(c)));
        if (chosen) chosen(c);
    });
    swatches_.push_back({edit, swatch, std::move(chosen)});
}

void TElementBox::addColorRows() {
    auto* group = new QGroupBox(QStringLiteral("Color Selection"), this);
    auto* rows = new QFormLayout(group);
    const struct {
        const char* edit;
        const char* swatch;
        const char* label;
    } kRows[] = {{"bgcolor", "g", "Background:"},
                 {"bordercolor", "b", "Border:"},
                 {"light", "l", "3D Border Light:"},
                 {"dark", "d", "3D Border Dark:"}};
    for (const auto& r : kRows) {
        addColorRow(rows, r.edit, r.swatch, QString::fromLatin1(r.label), 0xFFFFFF);
        findChild<TColorButton*>(QString::fromLatin1(r.swatch))->setToolTip(QStringLiteral("Microsoft"));
    }
    layout()->addWidget(group);
}

void TElementBox::addBrowse(QWidget* field, const QString& title, const QString& filter, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    const int row = [&] {
        int r = -1;
        QFormLayout::ItemRole role;
        form_->getWidgetPosition(field, &r, &role);
        return r;
    }();
    form_->insertRow(row + 1, QString(), button);
    connect(button, &QPushButton::clicked, this, [this, field, title, filter] {
        const auto name = prompter().openFileName(this, {title, browseFolder(), filter});
        if (!name) return;
        lastBrowseFolder() = QFileInfo(*name).absolutePath();
        const std::string ref = relativeReference ? relativeReference(name->toStdString()) : name->toStdString();
        const QString text = QString::fromStdString(ref);
        if (auto* c = qobject_cast<QComboBox*>(field)) c->setCurrentText(text);
        else if (auto* e = qobject_cast<QLineEdit*>(field)) e->setText(text);
    });
}

void TElementBox::addButtons() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

QWidget* TElementBox::control(const QString& name) const { return findChild<QWidget*>(name); }

tv::Fields TElementBox::fields() const {
    tv::Fields f;
    for (QWidget* w : findChildren<QWidget*>()) {
        const std::string name = w->objectName().toStdString();
        if (name.empty() || name.rfind("qt_", 0) == 0) continue;
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (qobject_cast<QComboBox*>(e->parentWidget()) || qobject_cast<QSpinBox*>(e->parentWidget())) continue;
            f[name] = toDocument(e->text());
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            f[name] = toDocument(c->currentText());
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            f[name] = std::string(c->isChecked() ? 1 : 0, '1');
        } else if (auto* sp = qobject_cast<QSpinBox*>(w)) {
            f[name] = toDocument(sp->text());
        }
    }
    return f;
}

void TElementBox::setFields(const tv::Fields& fields) {
    for (const auto& [name, value] : fields) {
        QWidget* w = control(QString::fromStdString(name));
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(fromDocument(value));
        else if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentText(fromDocument(value));
        else if (auto* c = qobject_cast<QCheckBox*>(w)) c->setChecked(!value.empty());
        else if (auto* sp = qobject_cast<QSpinBox*>(w)) {
            // A number out of the box's range, or none, leaves its default.
            bool ok = false;
            const int v = fromDocument(value).trimmed().toInt(&ok);
            if (ok && v >= sp->minimum() && v <= sp->maximum()) sp->setValue(v);
        }
    }
}

void TElementBox::syncSwatches() {
    // Each swatch falls back to the colour it shows now.
    for (const Swatch& s : swatches_) {
        tv::ColorValue c = s.button->color();
        try {
            c = tv::HTMLToColor(toDocument(s.edit->text()), c);
        } catch (const tv::ColorTextError&) {
            // Not a colour code after all: the swatch keeps its fallback.
        }
        s.button->setColor(c);
        if (s.chosen) s.chosen(c);
    }
}

void TElementBox::rememberHistories() {
    for (THistoryCombo* h : findChildren<THistoryCombo*>()) h->remember();
}

// --- tables -----------------------------------------------------------------------

TTableBox::TTableBox(QWidget* parent) : TElementBox(QStringLiteral("Table - Taviron"), parent) {
    setObjectName(QStringLiteral("TableBox"));
    addEdit("border", QStringLiteral("Border:"));
    addEdit("padding", QStringLiteral("Cell Padding:"));
    addEdit("spacing", QStringLiteral("Cell Spacing:"));
    addEdit("width", QStringLiteral("Width:"));
    addEdit("background", QStringLiteral("Background Image:"));
    addEdit("xCaption", QStringLiteral("Caption:"));
    addColorRows();
    addButtons();
}

namespace {
const QStringList kVAlign = {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom"),
                             QStringLiteral("Baseline")};
}

TTableRow::TTableRow(QWidget* parent) : TElementBox(QStringLiteral("Table Row - Taviron"), parent) {
    setObjectName(QStringLiteral("TableRow"));
    addCombo("align", QStringLiteral("Horizontal Alignment:"),
             {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")}, true);
    addCombo("valign", QStringLiteral("Vertical Alignment:"), kVAlign, true);
    addEdit("border", QStringLiteral("Border:"));
    addColorRows();
    addButtons();
}

TTableCell::TTableCell(QWidget* parent) : TElementBox(QStringLiteral("Table Cell - Taviron"), parent) {
    setObjectName(QStringLiteral("TableCell"));
    addEdit("width", QStringLiteral("Width:"));
    addCombo("align", QStringLiteral("Horizontal Alignment:"),
             {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")}, true);
    addCombo("valign", QStringLiteral("Vertical Alignment:"), kVAlign, true);
    addEdit("colspan", QStringLiteral("Column Span:"));
    addEdit("rowspan", QStringLiteral("Row Span:"));
    addCheck("nowrap", QStringLiteral("No Wrap"));
    addEdit("border", QStringLiteral("Border:"));
    addColorRows();
    addButtons();
}

// --- forms ------------------------------------------------------------------------

TFormBox::TFormBox(QWidget* parent) : TElementBox(QStringLiteral("Form - Taviron"), parent) {
    setObjectName(QStringLiteral("FormBox"));
    addHistory("action", QStringLiteral("Action:"), QStringLiteral("UrlHistory"));
    addCombo("method", QStringLiteral("Method:"), {QStringLiteral("post"), QStringLiteral("get")}, true)
        ->setCurrentText(QStringLiteral("post"));
    addCombo("enctype", QStringLiteral("Encode Type:"),
             {QStringLiteral("application/x-www-form-urlencoded"), QStringLiteral("multipart/form-data")}, true);
    addCombo("target", QStringLiteral("Target:"),
             {QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"), QStringLiteral("_top")}, true)
        ->setToolTip(QStringLiteral("Netscape & Microsoft"));
    addButtons();
}

TInputBox::TInputBox(int type, QWidget* parent) : TElementBox(QStringLiteral("Form Input - Taviron"), parent) {
    setObjectName(QStringLiteral("InputBox"));
    QStringList types;
    for (const char* t : tv::kInputTypes) types << QString::fromLatin1(t);
    itype = addCombo("itype", QStringLiteral("Input Type:"), types, false);
    addEdit("name", QStringLiteral("Name:"));
    addEdit("value", QStringLiteral("Value:"));
    addCheck("checked", QStringLiteral("Checked"));
    addEdit("src", QStringLiteral("Source:"));
    addCombo("align", QStringLiteral("Alignment:"),
             {QStringLiteral("bottom"), QStringLiteral("middle"), QStringLiteral("top")}, true);
    addEdit("size", QStringLiteral("Size:"));
    addEdit("maxlength", QStringLiteral("Max Length:"));
    addButtons();
    itype->setCurrentIndex(type);
    applyType(type, false);
    connect(itype, &QComboBox::activated, this, [this](int t) { applyType(t, true); });
}

void TInputBox::applyType(int type, bool fromUser) {
    const tv::InputEnabling on = tv::inputEnabling(type);
    auto enable = [this](const char* name, bool state) { enableRow(control(QString::fromLatin1(name)), state); };
    enable("name", on.name);
    enable("value", on.value);
    enable("checked", on.checked);
    enable("size", on.sizes);
    enable("maxlength", on.sizes);
    enable("src", on.source);
    enable("align", on.source);
    if (type == 5 || type == 6) {
        auto* value = qobject_cast<QLineEdit*>(control(QStringLiteral("value")));
        if (fromUser || value->text().isEmpty()) value->setText(type == 5 ? QStringLiteral("Reset") : QStringLiteral("Submit"));
    }
}

TSelectBox::TSelectBox(QWidget* parent) : TElementBox(QStringLiteral("Select - Taviron"), parent) {
    setObjectName(QStringLiteral("SelectBox"));
    addEdit("name", QStringLiteral("Name:"));
    // The size is one spin box: what is typed in it is its value.
    spin = new QSpinBox(this);
    spin->setObjectName(QStringLiteral("size"));
    spin->setRange(1, 25);
    spin->setValue(1);
    form_->addRow(QStringLiteral("Size:"), spin);
    addCheck("multi", QStringLiteral("Multi Allowed"));
    addButtons();
}

TOptionBox::TOptionBox(QWidget* parent) : TElementBox(QStringLiteral("Option - Taviron"), parent) {
    setObjectName(QStringLiteral("OptionBox"));
    addEdit("value", QStringLiteral("Value:"));
    addCheck("selected", QStringLiteral("Selected"));
    addButtons();
}

TTextAreaBox::TTextAreaBox(QWidget* parent) : TElementBox(QStringLiteral("Text Area - Taviron"), parent) {
    setObjectName(QStringLiteral("TextAreaBox"));
    addEdit("name", QStringLiteral("Name:"));
    addEdit("rows", QStringLiteral("Rows:"));
    addEdit("cols", QStringLiteral("Columns:"));
    addCombo("wrap", QStringLiteral("Word Wrap:"),
             {QStringLiteral("virtual"), QStringLiteral("physical"), QStringLiteral("none")}, true);
    addButtons();
}

// --- list options ------------------------------------------------------------------

TListOptions::TListOptions(const std::string& olTag, const std::string& ulTag, bool unordered, QWidget* parent)
    : TElementBox(QStringLiteral("List Options"), parent) {
    setObjectName(QStringLiteral("ListOptions"));
    list = addCombo("list", QStringLiteral("List:"), {QStringLiteral("Ordered"), QStringLiteral("Unordered")}, false);
    oltype = addCombo("oltype", QStringLiteral("Order Type:"),
                      {QStringLiteral("Numeric"), QStringLiteral("Uppercase"), QStringLiteral("Lowercase"),
                       QStringLiteral("Large Roman"), QStringLiteral("Small Roman"), QString()},
                      false);
    oltype->setCurrentIndex(-1);
    QLineEdit* start = addEdit("start", QStringLiteral("Start With:"));
    QComboBox* ultype = addCombo("ultype", QStringLiteral("Bullet Type:"),
                                 {QStringLiteral("disc"), QStringLiteral("circle"), QStringLiteral("square")}, true);
    addButtons();
    list->setCurrentIndex(unordered ? 1 : 0);
    start->setText(QString::fromStdString(tv::ReadAttribute(olTag, "start")));
    ultype->setCurrentText(QString::fromStdString(tv::ReadAttribute(ulTag, "type")));
    const int type = tv::orderTypeOf(tv::ReadAttribute(olTag, "type"));
    if (type >= 0) {
        const QSignalBlocker block(oltype);
        oltype->setCurrentIndex(type);
    }
    connect(oltype, &QComboBox::activated, this, [start](int t) {
        if (t >= 0 && t < 5) start->setText(QString::fromLatin1(tv::kOrderTypeLetters[t]));
    });
    connect(list, &QComboBox::currentIndexChanged, this, [this] { showKind(); });
    showKind();
}

void TListOptions::showKind() {
    const bool ordered = list->currentIndex() == 0;
    // The rows of the other kind are disabled, not hidden, so that the
    // dialog keeps its height.
    for (const char* name : {"oltype", "start"}) enableRow(control(QString::fromLatin1(name)), ordered);
    enableRow(control(QStringLiteral("ultype")), !ordered);
}
