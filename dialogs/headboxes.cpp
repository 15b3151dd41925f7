// The body, head, style sheet, font, rule, heading, frame and division
// dialogs.
#include "dialogs/elementbox.h"

#include "base/doctext.h"

#include "base/prompter.h"
#include "widgets/colorbutton.h"
#include "widgets/historycombo.h"
#include "widgets/valuecombo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include "widgets/fontfamilies.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QColor qcolor(tv::ColorValue c) { return QColor(tv::redOf(c), tv::greenOf(c), tv::blueOf(c)); }

void setTextColor(QWidget* w, tv::ColorValue c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, qcolor(c));
    w->setPalette(p);
}

// The installed screen fonts, sorted.
QStringList screenFonts() { return plainFontFamilies(); }

// The face list with Add and Clear, shared by the font and base font dialogs.
QListWidget* addFaceList(QWidget* owner, QVBoxLayout* into, QLineEdit* face, QLabel* sample) {
    auto* list = new QListWidget(owner);
    list->setObjectName(QStringLiteral("FaceList"));
    list->addItems(screenFonts());
    list->setMaximumHeight(120);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("Add"), owner);
    add->setObjectName(QStringLiteral("AddBtn"));
    auto* clear = new QPushButton(QStringLiteral("Clear"), owner);
    clear->setObjectName(QStringLiteral("ClearBtn"));
    buttons->addWidget(add);
    buttons->addWidget(clear);
    into->addWidget(list);
    into->addLayout(buttons);
    auto showIn = [sample](const QString& family) {
        QFont f = sample->font();
        f.setFamily(family);
        sample->setFont(f);
    };
    QObject::connect(list, &QListWidget::currentTextChanged, sample, showIn);
    QObject::connect(add, &QPushButton::clicked, face, [face, list, showIn] {
        if (!list->currentItem()) return;
        const QString chosen = list->currentItem()->text();
        face->setText(face->text().isEmpty() ? chosen : face->text() + QStringLiteral(",") + chosen);
        showIn(chosen);
        list->setFocus();
    });
    QObject::connect(clear, &QPushButton::clicked, face, [face, list, showIn] {
        face->clear();
        showIn(QStringLiteral("Times New Roman"));
        list->setFocus();
    });
    return list;
}

QLabel* sampleLabel(QWidget* owner, const char* text) {
    auto* c = new QLabel(QString::fromLatin1(text), owner);
    c->setObjectName(QStringLiteral("c"));
    c->setAlignment(Qt::AlignCenter);
    c->setMinimumHeight(48);
    c->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    return c;
}

} // namespace

// --- body and head ---------------------------------------------------------------

TBodyBox::TBodyBox(QWidget* parent, const QString& caption) : TElementBox(caption, parent) {
    setObjectName(QStringLiteral("BodyBox"));
    THistoryCombo* background = addHistory("background", QStringLiteral("Background Image:"), QStringLiteral("SrcHistory"));
    addBrowse(background, QStringLiteral("Select image"), QStringLiteral("Image files|*.gif; *.jpg|All files|*.*"));
    auto* group = new QGroupBox(QStringLiteral("Colors"), this);
    auto* rows = new QFormLayout(group);
    b1 = new QFrame(this);
    b1->setObjectName(QStringLiteral("b1"));
    b1->setFrameShape(QFrame::Panel);
    b1->setAutoFillBackground(true);
    auto* sample = new QHBoxLayout(b1);
    QLabel* labels[4];
    const char* const names[4] = {"Text", "Link", "Visited", "Active"};
    for (int i = 0; i < 4; ++i) {
        labels[i] = new QLabel(QString::fromLatin1(names[i]), b1);
        sample->addWidget(labels[i]);
    }
    auto panelColor = [this](tv::ColorValue c) {
        QPalette p = b1->palette();
        p.setColor(QPalette::Window, qcolor(c));
        b1->setPalette(p);
    };
    addColorRow(rows, "bground", "cb1", QStringLiteral("Background:"), 0xC0C0C0, panelColor);
    addColorRow(rows, "text", "cb2", QStringLiteral("Text:"), 0x000000, [l = labels[0]](tv::ColorValue c) { setTextColor(l, c); });
    addColorRow(rows, "link", "cb3", QStringLiteral("Link:"), 0xFF0000, [l = labels[1]](tv::ColorValue c) { setTextColor(l, c); });
    addColorRow(rows, "vlink", "cb4", QStringLiteral("Visited Link:"), 0x800080,
                [l = labels[2]](tv::ColorValue c) { setTextColor(l, c); });
    addColorRow(rows, "alink", "cb5", QStringLiteral("Active Link:"), 0x0000FF,
                [l = labels[3]](tv::ColorValue c) { setTextColor(l, c); });
    rows->addRow(QStringLiteral("Sample:"), b1);
    panelColor(0xC0C0C0);
    setTextColor(labels[0], 0x000000);
    setTextColor(labels[1], 0xFF0000);
    setTextColor(labels[2], 0x800080);
    setTextColor(labels[3], 0x0000FF);
    layout()->addWidget(group);
    addButtons();
}

TBaseBox::TBaseBox(QWidget* parent) : TElementBox(QStringLiteral("Base - Taviron"), parent) {
    setObjectName(QStringLiteral("BaseBox"));
    addHistory("href", QStringLiteral("HREF:"), QStringLiteral("UrlHistory"));
    addCombo("target", QStringLiteral("Target:"),
             {QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"), QStringLiteral("_top")}, true)
        ->setToolTip(QStringLiteral("Netscape & Microsoft"));
    addButtons();
}

TMetaBox::TMetaBox(const QString& owner, QWidget* parent) : TElementBox(QStringLiteral("Meta - Taviron"), parent) {
    setObjectName(QStringLiteral("MetaBox"));
    QComboBox* name = addCombo("name", QStringLiteral("Name:"),
                               {QStringLiteral("generator"), QStringLiteral("author"), QStringLiteral("resource-type"),
                                QStringLiteral("description"), QStringLiteral("keywords"), QStringLiteral("destination"),
                                QStringLiteral("copyright"), QStringLiteral("distribution")},
                               true);
    QLineEdit* content = addEdit("content", QStringLiteral("Content:"));
    addCombo("equiv", QStringLiteral("HTTP Equiv:"), {QStringLiteral("Refresh")}, true);
    addButtons();
    connect(name, &QComboBox::currentTextChanged, content, [content, owner](const QString& n) {
        if (n.compare(QStringLiteral("GENERATOR"), Qt::CaseInsensitive) == 0) content->setText(QStringLiteral("Taviron"));
        else if (n.compare(QStringLiteral("AUTHOR"), Qt::CaseInsensitive) == 0) content->setText(owner);
    });
    name->setFocus();
}

THLinkBox::THLinkBox(QWidget* parent) : TElementBox(QStringLiteral("Link - Taviron"), parent) {
    setObjectName(QStringLiteral("HLinkBox"));
    THistoryCombo* url = addHistory("url", QStringLiteral("HREF:"), QStringLiteral("UrlHistory"));
    addBrowse(url, QStringLiteral("Select file"), QStringLiteral("HTML files|*.html; *.htm; *.css|All files|*.*"));
    addEdit("title", QStringLiteral("Title:"));
    addEdit("name", QStringLiteral("Name:"));
    const QStringList relations = {QStringLiteral("Banner"),   QStringLiteral("Bookmark"), QStringLiteral("Copyright"),
                                   QStringLiteral("Glossary"), QStringLiteral("Help"),     QStringLiteral("Home"),
                                   QStringLiteral("Index"),    QStringLiteral("Next"),     QStringLiteral("Previous"),
                                   QStringLiteral("StyleSheet"), QStringLiteral("ToC"),    QStringLiteral("Up")};
    QComboBox* rel = addCombo("rel", QStringLiteral("Relationship to object:"), relations, true);
    addCombo("rev", QStringLiteral("Reverse relationship:"), relations, true);
    QComboBox* type = addCombo("ltype", QStringLiteral("Type:"), {QStringLiteral("text/css")}, true);
    addButtons();
    connect(type, &QComboBox::currentTextChanged, rel, [rel](const QString& t) {
        if (t == QStringLiteral("text/css")) rel->setCurrentText(QStringLiteral("StyleSheet"));
    });
}

TIsIndexBox::TIsIndexBox(QWidget* parent) : TElementBox(QStringLiteral("IsIndex - Taviron"), parent) {
    setObjectName(QStringLiteral("IsIndexBox"));
    addEdit("prompt", QStringLiteral("Prompt:"));
    addEdit("action", QStringLiteral("Action:"));
    addButtons();
}

// --- style sheet -----------------------------------------------------------------

namespace {
const char* const kColorNames[17] = {"[none]", "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                                     "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"};

QComboBox* colorList(QWidget* owner, const char* name) {
    auto* list = new QComboBox(owner);
    list->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < 17; ++i) {
        QIcon icon;
        if (i > 0) {
            // A swatch of the colour in a grey and silver frame.
            QPixmap pm(16, 12);
            pm.fill(qcolor(tv::PaletteColor(static_cast<std::uint8_t>(i - 1))));
            QPainter p(&pm);
            p.setPen(QColor(128, 128, 128));
            p.drawLine(0, 0, 15, 0);
            p.drawLine(0, 0, 0, 11);
            p.setPen(QColor(192, 192, 192));
            p.drawLine(15, 0, 15, 11);
            p.drawLine(0, 11, 15, 11);
        icon = QIcon(pm);
        }
        list->addItem(icon, QString::fromLatin1(kColorNames[i]));
    }
    return list;
}
} // namespace

std::string TStyleBox::colorName(const QComboBox* list) {
    return list->currentIndex() > 0 ? list->currentText().toStdString() : std::string();
}

TStyleBox::TStyleBox(QWidget* parent) : TElementBox(QStringLiteral("Style Sheet - Taviron"), parent) {
    setObjectName(QStringLiteral("StyleBox"));
    otype = addCombo("otype", QStringLiteral("Type of output:"),
                     {QStringLiteral("<STYLE>...</STYLE>"), QStringLiteral("STYLE="),
                      QStringLiteral("<SPAN STYLE=\" \">...</SPAN>"), QStringLiteral("{ }")},
                     false);
    QStringList tags = {QStringLiteral("A:active"), QStringLiteral("A:link"), QStringLiteral("A:visited"),
                        QStringLiteral("ADDRESS"),  QStringLiteral("B"),      QStringLiteral("BIG"),
                        QStringLiteral("BODY"),     QStringLiteral("CITE"),   QStringLiteral("CODE"),
                        QStringLiteral("DFN"),      QStringLiteral("EM"),     QStringLiteral("I"),
                        QStringLiteral("KBD"),      QStringLiteral("SAMP"),   QStringLiteral("SMALL"),
                        QStringLiteral("STRIKE"),   QStringLiteral("STRONG"), QStringLiteral("TT"),
                        QStringLiteral("U"),        QStringLiteral("VAR")};
    tags.sort();
    QComboBox* tag = addCombo("tag", QStringLiteral("Tag:"), tags, true);
    tag->setMaxVisibleItems(15);
    tag->setCurrentText(QStringLiteral("BODY"));
    auto* group = new QGroupBox(QStringLiteral("Properties"), this);
    auto* props = new QFormLayout(group);
    addCombo("family", QStringLiteral("Font Family:"), screenFonts(), true, props);
    addCombo("weight", QStringLiteral("Font Weight:"), {QStringLiteral("normal"), QStringLiteral("bold")}, true, props);
    addCombo("style", QStringLiteral("Font Style:"), {QStringLiteral("italic")}, true, props);
    const QStringList units = {QStringLiteral("pt"), QStringLiteral("in"), QStringLiteral("cm"), QStringLiteral("px")};
    auto unitRow = [&](const char* edit, const char* unit, const QString& label, const QString& initial) {
        auto* line = new QWidget(group);
        auto* h = new QHBoxLayout(line);
        h->setContentsMargins(0, 0, 0, 0);
        auto* e = new QLineEdit(line);
        e->setObjectName(QString::fromLatin1(edit));
        auto* u = new TValueCombo(line);
        u->setObjectName(QString::fromLatin1(unit));
        u->addItems(units);
        u->setCurrentText(initial);
        h->addWidget(e);
        h->addWidget(u);
        props->addRow(label, line);
    };
    unitRow("size", "fstype", QStringLiteral("Font Size:"), QStringLiteral("pt"));
    unitRow("lineheight", "lhtype", QStringLiteral("Line Height:"), QStringLiteral("px"));
    addCombo("decor", QStringLiteral("Decoration:"),
             {QStringLiteral("italic"), QStringLiteral("line-through"), QStringLiteral("underline"), QStringLiteral("none")},
             true, props);
    unitRow("indent", "titype", QStringLiteral("Text Indent:"), QStringLiteral("px"));
    unitRow("marginleft", "mltype", QStringLiteral("Left Margin:"), QStringLiteral("cm"));
    unitRow("marginright", "mrtype", QStringLiteral("Right Margin:"), QStringLiteral("cm"));
    unitRow("margintop", "mttype", QStringLiteral("Top Margin:"), QStringLiteral("cm"));
    addCombo("align", QStringLiteral("Text Align:"), {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")},
             true, props);
    fcolor = colorList(group, "fcolor");
    props->addRow(QStringLiteral("Font Color:"), fcolor);
    bcolor = colorList(group, "bcolor");
    props->addRow(QStringLiteral("Background:"), bcolor);
    layout()->addWidget(group);
    addButtons();
    // The tag matters only for the style element and the "{ }" output.
    auto showTag = [this, tag] { form_->setRowVisible(tag, otype->currentIndex() == 0 || otype->currentIndex() == 3); };
    connect(otype, &QComboBox::currentIndexChanged, this, showTag);
    showTag();
}

// --- font and base font -----------------------------------------------------------

namespace {
// A group whose bare area (its frame, labels and greyed fields) ticks the group's check
// box when clicked, so the whole Size row answers a click and not only the small box.
class ToggleGroup : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    QCheckBox* check = nullptr;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (check && e->button() == Qt::LeftButton) e->accept();
        else QGroupBox::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (check && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
            check->click();
            return;
        }
        QGroupBox::mouseReleaseEvent(e);
    }
};
}  // namespace

TFontBox::TFontBox(QWidget* parent) : TElementBox(QStringLiteral("Font - Taviron"), parent) {
    setObjectName(QStringLiteral("FontBox"));
    auto* sizeGroup = new ToggleGroup(this);
    sizeGroup->setObjectName(QStringLiteral("SizeGroup"));
    auto* sizeRow = new QHBoxLayout(sizeGroup);
    SizeCheck = new QCheckBox(QStringLiteral("Size"), sizeGroup);
    SizeCheck->setObjectName(QStringLiteral("SizeCheck"));
    sizeGroup->check = SizeCheck;
    // One spin box holds the size; its text is what the tag gets.
    UpDown1 = new QSpinBox(sizeGroup);
    UpDown1->setObjectName(QStringLiteral("size"));
    UpDown1->setRange(1, 7);
    auto* typeLabel = new QLabel(QStringLiteral("Type:"), sizeGroup);
    SizeType = new QComboBox(sizeGroup);
    SizeType->setObjectName(QStringLiteral("SizeType"));
    SizeType->addItems({QStringLiteral("Absolute"), QStringLiteral("Relative +"), QStringLiteral("Relative -")});
    SizeType->setCurrentIndex(-1);
    for (QWidget* w : std::initializer_list<QWidget*>{SizeCheck, UpDown1, typeLabel, SizeType}) sizeRow->addWidget(w);
    sizeRow->addStretch();
    layout()->addWidget(sizeGroup);
    auto enableSize = [this, typeLabel](bool on) {
        for (QWidget* w : std::initializer_list<QWidget*>{UpDown1, typeLabel, SizeType}) w->setEnabled(on);
    };
    enableSize(false);
    connect(SizeCheck, &QCheckBox::toggled, this, [this, enableSize](bool on) {
        enableSize(on);
        updateSample();
    });
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int v) {
        // A size the spin box could not show stays only until it is changed.
        if (v > 0 && UpDown1->minimum() == 0) {
            UpDown1->setSpecialValueText(QString());
            UpDown1->setMinimum(1);
        }
        updateSample();
    });
    connect(SizeType, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });

    auto* colorGroup = new QGroupBox(QStringLiteral("Color"), this);
    auto* colorRows = new QFormLayout(colorGroup);
    auto* faceGroup = new QGroupBox(QStringLiteral("Face"), this);
    auto* faceBox = new QVBoxLayout(faceGroup);
    auto* sampleGroup = new QGroupBox(QStringLiteral("Sample"), this);
    auto* sampleBox = new QVBoxLayout(sampleGroup);
    c = sampleLabel(sampleGroup, "Aa Bb Yy Zz");
    sampleBox->addWidget(c);
    addColorRow(colorRows, "color", "ColorButton1", QString(), 0x000000, [this](tv::ColorValue v) { setTextColor(c, v); });
    faceBox->addWidget(new QLabel(QStringLiteral("Faces chosen in order of preference from the list below:"), faceGroup));
    auto* face = new QLineEdit(faceGroup);
    face->setObjectName(QStringLiteral("face"));
    faceBox->addWidget(face);
    addFaceList(faceGroup, faceBox, face, c);
    layout()->addWidget(colorGroup);
    layout()->addWidget(faceGroup);
    layout()->addWidget(sampleGroup);
    addButtons();
}

void TFontBox::setSizeFromTag(const tv::FontSize& s) {
    if (s.size.empty()) return;
    if (s.type >= 0) SizeType->setCurrentIndex(s.type);
    const QSignalBlocker block(UpDown1);
    bool ok = false;
    const QString text = fromDocument(s.size);
    const int v = text.toInt(&ok);
    if (ok && v >= 1 && v <= 7 && QString::number(v) == text) {
        UpDown1->setValue(v);
    } else {
        // A size the spin box cannot show ("large", "10") is shown and
        // written as it was read until the spin box is used.
        UpDown1->setMinimum(0);
        UpDown1->setSpecialValueText(text);
        UpDown1->setValue(0);
    }
    SizeCheck->setChecked(true);
}

void TFontBox::updateSample() {
    QFont f = c->font();
    const int size = UpDown1->value() > 0 ? UpDown1->value() : UpDown1->text().toInt();
    f.setPointSize(tv::fontSampleSize(SizeCheck->isChecked(), SizeType->currentIndex(), size));
    c->setFont(f);
}

TBaseFontBox::TBaseFontBox(QWidget* parent) : TElementBox(QStringLiteral("Base Font - Taviron"), parent) {
    setObjectName(QStringLiteral("BaseFontBox"));
    auto* sizeLine = new QWidget(this);
    auto* h = new QHBoxLayout(sizeLine);
    h->setContentsMargins(0, 0, 0, 0);
    SizeCheck = new QCheckBox(QStringLiteral("Size:"), sizeLine);
    SizeCheck->setObjectName(QStringLiteral("SizeCheck"));
    spin = new QSpinBox(sizeLine);
    spin->setObjectName(QStringLiteral("size"));
    spin->setRange(1, 7);
    for (QWidget* w : std::initializer_list<QWidget*>{SizeCheck, spin}) h->addWidget(w);
    h->addStretch();
    form_->addRow(sizeLine);
    spin->setEnabled(false);
    c = sampleLabel(this, "Test");
    connect(SizeCheck, &QCheckBox::toggled, this, [this](bool on) {
        spin->setEnabled(on);
        updateSample();
    });
    connect(spin, &QSpinBox::valueChanged, this, [this] { updateSample(); });
    addColorRow(form_, "color", "cb", QStringLiteral("Color:"), 0xFFFFFF, [this](tv::ColorValue v) { setTextColor(c, v); });
    auto* faces = new QVBoxLayout;
    auto* label = new QLabel(QStringLiteral("Faces chosen in order of preference from the list below:"), this);
    label->setToolTip(QStringLiteral("Microsoft"));
    faces->addWidget(label);
    auto* face = new QLineEdit(this);
    face->setObjectName(QStringLiteral("face"));
    faces->addWidget(face);
    addFaceList(this, faces, face, c);
    qobject_cast<QVBoxLayout*>(layout())->addLayout(faces);
    layout()->addWidget(c);
    addButtons();
}

void TBaseFontBox::updateSample() {
    QFont f = c->font();
    f.setPointSize(tv::baseFontSampleSize(SizeCheck->isChecked(), spin->value()));
    c->setFont(f);
}

// --- rule, heading, frames, division ---------------------------------------------------

THRuleBox::THRuleBox(QWidget* parent) : TElementBox(QStringLiteral("Horizontal Rule"), parent) {
    setObjectName(QStringLiteral("HRuleBox"));
    addCombo("align", QStringLiteral("Align:"), {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")}, true);
    addEdit("size", QStringLiteral("Size:"));
    addEdit("width", QStringLiteral("Width:"));
    addCheck("noshade", QStringLiteral("No Shading"));
    addButtons();
}

THeadingBox::THeadingBox(QWidget* parent) : TElementBox(QStringLiteral("Heading - Taviron"), parent) {
    setObjectName(QStringLiteral("HeadingBox"));
    auto* level = new QSpinBox(this);
    level->setObjectName(QStringLiteral("Level"));
    level->setRange(1, 6);
    form_->addRow(QStringLiteral("Level:"), level);
    addCombo("align", QStringLiteral("Alignment:"), {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")},
             true)
        ->setToolTip(QStringLiteral("HTML 3.0"));
    addButtons();
}

TFaddBox::TFaddBox(QWidget* parent) : TElementBox(QStringLiteral("Add Frame Row/Column"), parent) {
    setObjectName(QStringLiteral("FaddBox"));
    addEdit("value", QStringLiteral("Value:"));
    auto* group = new QGroupBox(QStringLiteral("Type"), this);
    auto* v = new QVBoxLayout(group);
    addtype = new QButtonGroup(this);
    const char* const items[] = {"percentage", "relative", "absolute pixel value", "remaining space"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(items[i]), group);
        addtype->addButton(b, i);
        v->addWidget(b);
    }
    addtype->button(0)->setChecked(true);
    layout()->addWidget(group);
    addButtons();
}

TSetBox::TSetBox(QWidget* parent) : TElementBox(QStringLiteral("Frameset - Taviron"), parent) {
    setObjectName(QStringLiteral("SetBox"));
    for (const auto& [name, label] : {std::pair{"cols", "Columns:"}, std::pair{"rows", "Rows:"}}) {
        auto* line = new QWidget(this);
        auto* h = new QHBoxLayout(line);
        h->setContentsMargins(0, 0, 0, 0);
        auto* edit = new QLineEdit(line);
        edit->setObjectName(QString::fromLatin1(name));
        auto* add = new QPushButton(QStringLiteral("add"), line);
        add->setObjectName(QString::fromLatin1(name) + QStringLiteral("Add"));
        h->addWidget(edit);
        h->addWidget(add);
        form_->addRow(QString::fromLatin1(label), line);
        const char* field = name;
        connect(add, &QPushButton::clicked, this, [this, field] { addPiece(field); });
    }
    addCombo("border", QStringLiteral("Frame Border:"), {QString(), QStringLiteral("0"), QStringLiteral("1")}, false);
    addEdit("spacing", QStringLiteral("Frame Spacing:"));
    addButtons();
}

void TSetBox::addPiece(const char* field) {
    TFaddBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    auto* edit = qobject_cast<QLineEdit*>(control(QString::fromLatin1(field)));
    const tv::Fields f = box.fields();
    edit->setText(QString::fromStdString(
        tv::addFramePiece(edit->text().toStdString(), f.at("value"), box.addtype->checkedId())));
}

TFrameBox::TFrameBox(QWidget* parent) : TElementBox(QStringLiteral("Frame - Taviron"), parent) {
    setObjectName(QStringLiteral("FrameBox"));
    addHistory("src", QStringLiteral("Source:"), QStringLiteral("UrlHistory"));
    addEdit("name", QStringLiteral("Name:"));
    addCombo("border", QStringLiteral("Frame Border:"), {QString(), QStringLiteral("0"), QStringLiteral("1")}, false);
    addEdit("height", QStringLiteral("Margin Height:"));
    addEdit("width", QStringLiteral("Margin Width:"));
    addCombo("scroll", QStringLiteral("Scrolling:"), {QStringLiteral("yes"), QStringLiteral("no"), QStringLiteral("auto")}, true);
    addCombo("align", QStringLiteral("Align:"),
             {QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("center"), QStringLiteral("top"),
              QStringLiteral("bottom")},
             true);
    addCheck("noresize", QStringLiteral("No Resize"));
    addButtons();
}

TDivBox::TDivBox(QWidget* parent) : TElementBox(QStringLiteral("Division"), parent) {
    setObjectName(QStringLiteral("DivBox"));
    addCombo("align", QStringLiteral("Alignment:"), {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")},
             true);
    addButtons();
}
