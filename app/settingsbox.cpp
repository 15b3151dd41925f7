#include "app/settingsbox.h"

#include "app/browsers.h"
#include "base/palette.h"
#include "base/prompter.h"
#include "base/settings.h"
#include "app/userlocale.h"
#include "tools/dateformat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>

#include "widgets/fontfamilies.h"
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const kPaletteNames[16] = {"Black", "Maroon", "Green", "Olive",  "Navy", "Purple",  "Teal", "Gray",
                                       "Silver", "Red",   "Lime",  "Yellow", "Blue", "Fuchsia", "Aqua", "White"};

// A list of the sixteen palette colours, each drawn as a swatch and its name.
QComboBox* colorList(QWidget* owner, const char* name, int index) {
    auto* list = new QComboBox(owner);
    list->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < 16; ++i) {
        const tv::ColorValue c = tv::PaletteColor(static_cast<std::uint8_t>(i));
        QPixmap pm(14, 12);
        pm.fill(QColor(tv::redOf(c), tv::greenOf(c), tv::blueOf(c)));
        QPainter p(&pm);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(0, 0, 13, 0);
        p.drawLine(0, 0, 0, 11);
        p.setPen(QColor(192, 192, 192));
        p.drawLine(13, 0, 13, 11);
        p.drawLine(0, 11, 13, 11);
        list->addItem(QIcon(pm), QString::fromLatin1(kPaletteNames[i]));
    }
    list->setCurrentIndex(index < 16 ? index : 15);
    return list;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

// --- TAddBrowser ---------------------------------------------------------------------

TAddBrowser::TAddBrowser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AddBrowser"));
    setWindowTitle(QStringLiteral("Browser..."));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    bname = new QLineEdit(this);
    bname->setObjectName(QStringLiteral("bname"));
    path = new QLineEdit(this);
    path->setObjectName(QStringLiteral("path"));
    auto* find = new QPushButton(QStringLiteral("..."), this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path);
    pathRow->addWidget(find);
    form->addRow(QStringLiteral("Name:"), bname);
    form->addRow(QStringLiteral("Browser Path:"), pathRow);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkBtn = buttons->button(QDialogButtonBox::Ok);
    OkBtn->setDefault(true);
    OkBtn->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(bname, &QLineEdit::textChanged, this, &TAddBrowser::check);
    connect(path, &QLineEdit::textChanged, this, &TAddBrowser::check);
    connect(find, &QPushButton::clicked, this, [this] {
        const auto chosen = prompter().openFileName(
            this, {QStringLiteral("Find Browser"), path->text(),
                   QStringLiteral("Browsers|firefox; chromium; google-chrome|Executable Files|*|All Files|*")});
        if (chosen) path->setText(*chosen);
    });
}

void TAddBrowser::check() {
    OkBtn->setEnabled(!bname->text().isEmpty() && QFileInfo(path->text()).isFile());
}

// --- TSettingsBox --------------------------------------------------------------------

TSettingsBox::TSettingsBox(const tv::Settings& s, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SettingsBox"));
    setWindowTitle(QStringLiteral("Settings - Taviron"));
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    layout->addWidget(pages);

    // General.
    auto* general = new QWidget(pages);
    auto* g = new QFormLayout(general);
    auto* newRow = new QHBoxLayout;
    LoadFrom = new QComboBox(general);
    LoadFrom->setObjectName(QStringLiteral("LoadFrom"));
    LoadFrom->addItems({QStringLiteral("Blank Window"), QStringLiteral("Default Dialog"), QStringLiteral("Template File")});
    LoadFrom->setCurrentIndex(s.newFiles <= 2 ? s.newFiles : -1);
    NewBtn = new QPushButton(general);
    NewBtn->setObjectName(QStringLiteral("NewBtn"));
    NewBtn->setFlat(true);
    NewBtn->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    connect(NewBtn, &QPushButton::clicked, this,
            [this] { LoadFrom->setCurrentIndex(tv::nextNewFilesMode(LoadFrom->currentIndex())); });
    newRow->addWidget(NewBtn);
    newRow->addWidget(LoadFrom, 1);
    g->addRow(new QLabel(QStringLiteral("The new document tool button will create new files with:"), general));
    g->addRow(newRow);
    DateFormat = new QComboBox(general);
    DateFormat->setObjectName(QStringLiteral("DateFormat"));
    const tv::DateTime now = tv::nowLocal();
    for (int i = 0; i < 5; ++i)
        DateFormat->addItem(QStringLiteral("%1. ").arg(i + 1) + q(tv::FormatDateTime(tv::datePattern(i, ""), now, userDateLocale())));
    DateFormat->addItem(QStringLiteral("6. Custom"));
    DateFormat->setCurrentIndex(s.dateFormat <= 5 ? s.dateFormat : -1);
    g->addRow(QStringLiteral("Default Date Format:"), DateFormat);
    custdate = new QLineEdit(q(s.custDate), general);
    custdate->setObjectName(QStringLiteral("custdate"));
    g->addRow(QStringLiteral("Custom:"), custdate);
    Addext1 = new QCheckBox(QStringLiteral("Add extensions to filenames entered in save dialog."), general);
    Addext1->setChecked(s.addExt);
    AutoSave = new QCheckBox(QStringLiteral("Automatically save changes before previewing"), general);
    AutoSave->setChecked(s.autoSave);
    g->addRow(Addext1);
    g->addRow(AutoSave);
    PreviewRefresh = new QComboBox(general);
    PreviewRefresh->setObjectName(QStringLiteral("PreviewRefresh"));
    PreviewRefresh->addItems({QStringLiteral("As I type"), QStringLiteral("When I save"),
                              QStringLiteral("Only when asked (F5 in the pane)")});
    PreviewRefresh->setCurrentIndex(s.previewRefresh <= 2 ? s.previewRefresh : 0);
    g->addRow(QStringLiteral("Preview pane refreshes:"), PreviewRefresh);
    PreviewPause = new QSpinBox(general);
    PreviewPause->setObjectName(QStringLiteral("PreviewPause"));
    PreviewPause->setRange(50, 5000);
    PreviewPause->setSingleStep(50);
    PreviewPause->setSuffix(QStringLiteral(" ms"));
    PreviewPause->setValue(std::clamp(s.previewPause, 50, 5000));
    g->addRow(QStringLiteral("after a pause in typing of:"), PreviewPause);
    connect(PreviewRefresh, &QComboBox::currentIndexChanged, PreviewPause,
            [this](int i) { PreviewPause->setEnabled(i == 0); });
    PreviewPause->setEnabled(PreviewRefresh->currentIndex() == 0);
    CheckAsYouType = new QCheckBox(QStringLiteral("Check the page as I type (Text > Check Page)"), general);
    CheckAsYouType->setObjectName(QStringLiteral("CheckAsYouType"));
    CheckAsYouType->setChecked(s.checkAsYouType);
    g->addRow(CheckAsYouType);
    CheckWarnings = new QCheckBox(QStringLiteral("Show warnings, not only errors"), general);
    CheckWarnings->setObjectName(QStringLiteral("CheckWarnings"));
    CheckWarnings->setChecked(s.checkWarnings);
    g->addRow(CheckWarnings);
    CheckAccess = new QComboBox(general);
    CheckAccess->setObjectName(QStringLiteral("CheckAccess"));
    CheckAccess->addItems({QStringLiteral("None"), QStringLiteral("Priority 1"), QStringLiteral("Priorities 1 and 2"),
                           QStringLiteral("Priorities 1 to 3")});
    CheckAccess->setCurrentIndex(std::min<int>(s.checkAccess, 3));
    g->addRow(QStringLiteral("Accessibility checks:"), CheckAccess);
#ifndef TAVIRON_PREVIEW
    g->setRowVisible(PreviewRefresh, false);  // a build without the pane
    g->setRowVisible(PreviewPause, false);
#endif
    pages->addTab(general, QStringLiteral("General"));

    // Editor.
    auto* editor = new QWidget(pages);
    auto* e = new QFormLayout(editor);
    bgcolor = colorList(editor, "bgcolor", s.backColor);
    e->addRow(QStringLiteral("Background Color:"), bgcolor);
    face = new QComboBox(editor);
    face->setObjectName(QStringLiteral("face"));
    const QStringList fonts = plainFontFamilies();
    face->addItems(fonts);
    // The family the editor really shows: the stored one, or the system's
    // fixed-width font when that is not installed.
    face->setCurrentIndex(static_cast<int>(fonts.indexOf(editorFamily(q(s.fontName)))));
    e->addRow(QStringLiteral("Font:"), face);
    fcolor = colorList(editor, "fcolor", s.fontColor);
    e->addRow(QStringLiteral("Font Color:"), fcolor);
    UpDown1 = new QSpinBox(editor);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(kMinFontSize, kMaxFontSize);
    UpDown1->setValue(std::clamp<int>(s.fontSize, kMinFontSize, kMaxFontSize));
    e->addRow(QStringLiteral("Size:"), UpDown1);
    DefaultEncoding = new QComboBox(editor);
    DefaultEncoding->setObjectName(QStringLiteral("DefaultEncoding"));
    DefaultEncoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
    DefaultEncoding->setCurrentIndex(s.defaultEncoding == 1 ? 1 : 0);
    DefaultEncoding->setToolTip(QStringLiteral("The encoding of new documents, and of files that hold only ASCII "
                                               "characters and declare no charset"));
    e->addRow(QStringLiteral("Default encoding:"), DefaultEncoding);
    auto* colors = new QGroupBox(editor);
    auto* c = new QFormLayout(colors);
    Colorenable = new QCheckBox(QStringLiteral("Color highlighting:"), colors);
    Colorenable->setObjectName(QStringLiteral("Colorenable"));
    Colorenable->setChecked(s.colorCode);
    c->addRow(Colorenable);
    cAnch = colorList(colors, "cAnch", s.anchColor);
    cImg = colorList(colors, "cImg", s.imgColor);
    cComm = colorList(colors, "cComm", s.commColor);
    cTags = colorList(colors, "cTags", s.tagColor);
    c->addRow(QStringLiteral("Link tags:"), cAnch);
    c->addRow(QStringLiteral("Image tags:"), cImg);
    c->addRow(QStringLiteral("Comments:"), cComm);
    c->addRow(QStringLiteral("Other tags:"), cTags);
    e->addRow(colors);
    auto option = [editor, e](QCheckBox*& box, const char* name, const char* caption, bool on) {
        box = new QCheckBox(QString::fromUtf8(caption), editor);
        box->setObjectName(QString::fromUtf8(name));
        box->setChecked(on);
        e->addRow(box);
    };
    option(CompleteMarkup, "CompleteMarkup", "Complete elements, attributes and character references as I type",
           s.completeMarkup);
    option(CloseTags, "CloseTags", "Close tags as I type", s.closeTags);
    option(MatchTags, "MatchTags", "Mark the matching tag", s.matchTags);
    option(Folding, "Folding", "Fold margin (View > Folding)", s.folding);
    pages->addTab(editor, QStringLiteral("Editor"));

    // Browsers.
    auto* browsersPage = new QWidget(pages);
    auto* b = new QGridLayout(browsersPage);
    b->addWidget(new QLabel(QStringLiteral("Show a selection of these browsers when previewing documents:"), browsersPage),
                 0, 0, 1, 2);
    ListBox1 = new QListWidget(browsersPage);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    b->addWidget(ListBox1, 1, 0);
    auto* bb = new QVBoxLayout;
    auto button = [&](const QString& text, const QString& tip) {
        auto* p = new QPushButton(text, browsersPage);
        if (!tip.isEmpty()) p->setToolTip(tip);
        bb->addWidget(p);
        return p;
    };
    connect(button(QStringLiteral("Add..."), {}), &QPushButton::clicked, this, &TSettingsBox::AddBrowserClick);
    connect(button(QStringLiteral("Edit..."), {}), &QPushButton::clicked, this, &TSettingsBox::EditBrowserClick);
    connect(button(QStringLiteral("Delete"), {}), &QPushButton::clicked, this, &TSettingsBox::DeleteBrowserClick);
    QPushButton* up = button(QStringLiteral("\u2191"), QStringLiteral("Move Up"));
    up->setObjectName(QStringLiteral("up"));
    QPushButton* down = button(QStringLiteral("\u2193"), QStringLiteral("Move Down"));
    down->setObjectName(QStringLiteral("down"));
    connect(up, &QPushButton::clicked, this, [this] { MoveBrowser(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveBrowser(1); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TSettingsBox::EditBrowserClick);
    bb->addStretch();
    b->addLayout(bb, 1, 1);
    pages->addTab(browsersPage, QStringLiteral("Browsers"));
    browsers = s.browsers;
    showBrowsers(browsers.empty() ? -1 : 0);

    // Files.
    auto* files = new QWidget(pages);
    auto* f = new QGridLayout(files);
    f->addWidget(new QLabel(QStringLiteral("Files with the following extensions are considered ASCII text files when "
                                           "opening and searching:"),
                            files),
                 0, 0, 1, 2);
    Ext = new QListWidget(files);
    Ext->setObjectName(QStringLiteral("Ext"));
    for (const std::string& x : s.textExt) Ext->addItem(q(x));
    f->addWidget(Ext, 1, 0);
    auto* fb = new QVBoxLayout;
    auto* addExt = new QPushButton(QStringLiteral("Add.."), files);
    auto* delExt = new QPushButton(QStringLiteral("Delete"), files);
    connect(addExt, &QPushButton::clicked, this, &TSettingsBox::AddExtensionClick);
    connect(delExt, &QPushButton::clicked, this, &TSettingsBox::DeleteExtensionClick);
    fb->addWidget(addExt);
    fb->addWidget(delExt);
    fb->addStretch();
    f->addLayout(fb, 1, 1);
    auto* delimit = new QGroupBox(QStringLiteral("URL Decoding"), files);
    auto* d = new QGridLayout(delimit);
    Delimit = new QButtonGroup(this);
    const char* const kinds[] = {"Seperate Lines", "Comma Delimited", "Pipe Delimited"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(kinds[i]), delimit);
        Delimit->addButton(r, i);
        d->addWidget(r, i / 2, i % 2);
    }
    Delimit->button(s.delimit <= 2 ? s.delimit : 0)->setChecked(true);
    f->addWidget(delimit, 2, 0, 1, 2);
    Labels = new QCheckBox(QStringLiteral("Remove Field Labels"), files);
    Labels->setChecked(s.labels);
    f->addWidget(Labels, 3, 0, 1, 2);
    pages->addTab(files, QStringLiteral("Files"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TSettingsBox::showBrowsers(int select) {
    ListBox1->clear();
    for (const std::string& entry : browsers) ListBox1->addItem(q(tv::browserCaption(entry)));
    if (select >= 0 && select < ListBox1->count()) ListBox1->setCurrentRow(select);
}

void TSettingsBox::AddBrowserClick() {
    ListBox1->setFocus();
    if (browsers.size() > 25) return;  // at most 26 entries
    TAddBrowser box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    browsers.push_back(box.bname->text().toStdString() + "|" + box.path->text().toStdString());
    showBrowsers(static_cast<int>(browsers.size()) - 1);
}

void TSettingsBox::EditBrowserClick() {
    ListBox1->setFocus();
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(browsers.size())) return;
    TAddBrowser box(this);
    box.bname->setText(q(tv::browserCaption(browsers[static_cast<std::size_t>(row)])));
    box.path->setText(q(tv::browserPath(browsers[static_cast<std::size_t>(row)])));
    if (prompter().run(box) != QDialog::Accepted) return;
    browsers[static_cast<std::size_t>(row)] = box.bname->text().toStdString() + "|" + box.path->text().toStdString();
    showBrowsers(row);
}

void TSettingsBox::DeleteBrowserClick() {
    ListBox1->setFocus();
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(browsers.size())) return;
    browsers.erase(browsers.begin() + row);
    showBrowsers(std::min(row, static_cast<int>(browsers.size()) - 1));
}

void TSettingsBox::MoveBrowser(int by) {
    ListBox1->setFocus();
    const int row = ListBox1->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(browsers.size())) return;
    std::swap(browsers[static_cast<std::size_t>(row)], browsers[static_cast<std::size_t>(to)]);
    showBrowsers(to);
}

void TSettingsBox::AddExtensionClick() {
    const auto typed = prompter().input(this, QStringLiteral("Taviron"), QStringLiteral("Enter file extenstion"), QString());
    if (!typed) return;
    const QString ext = q(tv::normalizeExtension(typed->toStdString()));
    if (ext.isEmpty()) return;  // nothing typed: nothing to add
    const auto found = Ext->findItems(ext, Qt::MatchExactly);
    if (!found.isEmpty()) {
        Ext->setCurrentItem(found.first());
        return;
    }
    Ext->addItem(ext);
    Ext->setCurrentRow(Ext->count() - 1);
}

void TSettingsBox::DeleteExtensionClick() {
    const int row = Ext->currentRow();
    if (row < 0) return;
    delete Ext->takeItem(row);
    if (Ext->count() > 0) Ext->setCurrentRow(std::min(row, Ext->count() - 1));
}

bool TSettingsBox::apply(tv::Settings& s, std::string& error) const {
    // Checked first, so that nothing is half applied.
    if (!UpDown1->hasAcceptableInput()) {
        error = "'" + UpDown1->text().toStdString() + "' is not a font size between " +
                std::to_string(kMinFontSize) + " and " + std::to_string(kMaxFontSize) + ".";
        return false;
    }
    const int fontSize = UpDown1->value();
    s.settingsChanged = true;
    s.dateFormat = static_cast<std::uint8_t>(std::max(0, DateFormat->currentIndex()));
    s.custDate = custdate->text().toStdString().substr(0, 255);
    s.newFiles = static_cast<std::uint8_t>(std::max(0, LoadFrom->currentIndex()));
    s.labels = Labels->isChecked();
    s.addExt = Addext1->isChecked();
    s.autoSave = AutoSave->isChecked();
    s.delimit = static_cast<std::uint8_t>(std::max(0, Delimit->checkedId()));
    s.backColor = static_cast<std::uint8_t>(bgcolor->currentIndex());
    s.fontColor = static_cast<std::uint8_t>(fcolor->currentIndex());
    s.tagColor = static_cast<std::uint8_t>(cTags->currentIndex());
    s.anchColor = static_cast<std::uint8_t>(cAnch->currentIndex());
    s.imgColor = static_cast<std::uint8_t>(cImg->currentIndex());
    s.commColor = static_cast<std::uint8_t>(cComm->currentIndex());
    s.colorCode = Colorenable->isChecked();
    s.defaultEncoding = DefaultEncoding->currentIndex() == 1 ? 1 : 0;
    s.previewRefresh = static_cast<std::uint8_t>(std::clamp(PreviewRefresh->currentIndex(), 0, 2));
    s.previewPause = PreviewPause->value();
    s.checkAsYouType = CheckAsYouType->isChecked();
    s.completeMarkup = CompleteMarkup->isChecked();
    s.closeTags = CloseTags->isChecked();
    s.matchTags = MatchTags->isChecked();
    s.folding = Folding->isChecked();
    s.checkWarnings = CheckWarnings->isChecked();
    s.checkAccess = static_cast<std::uint8_t>(std::clamp(CheckAccess->currentIndex(), 0, 3));
    if (face->currentIndex() >= 0) s.fontName = face->currentText().toStdString().substr(0, 255);
    s.fontSize = static_cast<std::uint8_t>(fontSize & 0xFF);
    s.browsers = browsers;
    s.textExt.clear();
    for (int i = 0; i < Ext->count(); ++i) s.textExt.push_back(Ext->item(i)->text().toStdString());
    return true;
}
