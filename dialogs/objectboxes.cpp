#include "dialogs/objectboxes.h"

#include "base/doctext.h"

#include "base/prompter.h"
#include "dialogs/objecttags.h"
#include "editor/imagesize.h"
#include "widgets/historycombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QFileInfo>
#include <QSpinBox>
#include <QToolButton>

#include <filesystem>

namespace {
const QStringList kImageAligns{QStringLiteral("absbottom"), QStringLiteral("absmiddle"), QStringLiteral("baseline"),
                               QStringLiteral("bottom"),    QStringLiteral("left"),      QStringLiteral("middle"),
                               QStringLiteral("right"),     QStringLiteral("texttop"),   QStringLiteral("top")};

} // namespace

TLinkBox::TLinkBox(QWidget* parent) : TElementBox(QStringLiteral("Anchor - Taviron"), parent) {
    setObjectName(QStringLiteral("LinkBox"));
    url = addHistory("url", QStringLiteral("HREF:"), QStringLiteral("UrlHistory"));
    addBrowse(url, QStringLiteral("Select file"), QStringLiteral("HTML files|*.html; *.htm|All files|*.*"),
              QStringLiteral("File..."));
    scheme = new QToolButton(this);
    scheme->setObjectName(QStringLiteral("Scheme"));
    scheme->setText(QStringLiteral("Scheme"));
    scheme->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(scheme);
    for (const char* s : {"http://", "shttp://", "mailto:", "ftp://", "news:", "gopher://", "telnet://", "wais://",
                          "finger:"}) {
        QAction* a = menu->addAction(QString::fromLatin1(s));
        connect(a, &QAction::triggered, this, [this, s] {
            url->setCurrentText(fromDocument(tv::applyScheme(toDocument(url->currentText()), s)));
        });
    }
    scheme->setMenu(menu);
    form_->addRow(QString(), scheme);
    addEdit("title", QStringLiteral("Title:"));
    QComboBox* target = addCombo("target", QStringLiteral("Target:"),
                                 {QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"),
                                  QStringLiteral("_top")},
                                 true);
    target->setToolTip(QStringLiteral("Netscape & Microsoft"));
    addEdit("name", QStringLiteral("Name:"));
    addButtons();
}

TImageBox::TImageBox(QWidget* parent) : TElementBox(QStringLiteral("Image - Taviron"), parent) {
    setObjectName(QStringLiteral("ImageBox"));
    src = addHistory("src", QStringLiteral("Location:"), QStringLiteral("SrcHistory"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("SpeedButton1"));
    form_->addRow(QString(), browse);
    addEdit("alt", QStringLiteral("Alternate Text:"));
    addCombo("align", QStringLiteral("Alignment:"), kImageAligns, true);
    QStringList borders{QString()};
    for (int i = 0; i <= 10; ++i) borders << QString::number(i);
    border = addCombo("border", QStringLiteral("Border:"), borders, false);
    addEdit("width", QStringLiteral("Width:"));
    addEdit("height", QStringLiteral("Height:"));
    wh = addCheck("wh", QStringLiteral("Write width and height"));
    addEdit("hspace", QStringLiteral("HSpace:"));
    addEdit("vspace", QStringLiteral("VSpace:"));
    addEdit("usemap", QStringLiteral("Client-side Usemap:"));
    addCheck("ismap", QStringLiteral("Server-side map"));
    addButtons();
    // Only the user's changes look the file up: a tag being edited keeps its size.
    connect(src->lineEdit(), &QLineEdit::textEdited, this, [this] { lookUpSize(); });
    connect(src, &QComboBox::activated, this, [this] { lookUpSize(); });
    connect(wh, &QCheckBox::clicked, this, [this](bool on) {
        if (on) lookUpSize();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        const auto name = prompter().openFileName(
            this, {QStringLiteral("Select image"), browseFolder(),
                   QStringLiteral("Image files|*.gif; *.jpg; *.jpeg; *.png|All files|*.*")});
        if (!name) return;
        lastBrowseFolder() = QFileInfo(*name).absolutePath();
        const std::string file = name->toStdString();
        showSizeOf(file);
        const std::string ref = relativeReference ? relativeReference(file) : file;
        src->setCurrentText(QString::fromStdString(ref));
        src->setFocus();
    });
}

void TImageBox::showSizeOf(const std::string& file) {
    std::uint32_t w = 0, h = 0;
    try {
        tv::ReadImageSize(file, w, h);
    } catch (const std::runtime_error&) {
        return;  // an unreadable image leaves the size as it was
    }
    if (w == 0 || h == 0) return;
    findChild<QLineEdit*>(QStringLiteral("width"))->setText(QString::number(w));
    findChild<QLineEdit*>(QStringLiteral("height"))->setText(QString::number(h));
}

void TImageBox::lookUpSize() {
    namespace fs = std::filesystem;
    const std::string text = src->currentText().toStdString();
    if (text.empty()) return;
    std::error_code ec;
    if (fs::is_regular_file(text, ec)) {
        showSizeOf(text);
        return;
    }
    if (!documentFolder) return;
    const std::string inFolder = (fs::path(documentFolder()) / text).string();
    if (fs::is_regular_file(inFolder, ec)) showSizeOf(inFolder);
}

TEmbedBox::TEmbedBox(QWidget* parent) : TElementBox(QStringLiteral("Embed - Taviron"), parent) {
    setObjectName(QStringLiteral("EmbedBox"));
    addHistory("src", QStringLiteral("Source:"), QStringLiteral("SrcHistory"));
    addEdit("width", QStringLiteral("Width:"));
    addEdit("height", QStringLiteral("Height:"));
    addEdit("border", QStringLiteral("Border:"));
    addCombo("align", QStringLiteral("Alignment:"), kImageAligns, true);
    addButtons();
}

TSoundBox::TSoundBox(QWidget* parent) : TElementBox(QStringLiteral("Background Sound - Taviron"), parent) {
    setObjectName(QStringLiteral("SoundBox"));
    THistoryCombo* src = addHistory("src", QStringLiteral("Source:"), QStringLiteral("SrcHistory"));
    addBrowse(src, QStringLiteral("Select sound file"), QStringLiteral("Sound Files|*.wav; *.mid|All files|*.*"));
    // The loop count is one spin box: what is typed in it is its value.
    spin = new QSpinBox(this);
    spin->setObjectName(QStringLiteral("loop"));
    spin->setRange(1, 99);
    spin->setValue(1);
    form_->addRow(QStringLiteral("Loop:"), spin);
    infinite = addCheck("infinite", QStringLiteral("Infinite"));
    connect(infinite, &QCheckBox::toggled, this, [this](bool on) { enableRow(spin, !on); });
    addButtons();
}

TAppletBox::TAppletBox(QWidget* parent) : TElementBox(QStringLiteral("Applet - Taviron"), parent) {
    setObjectName(QStringLiteral("AppletBox"));
    addEdit("code", QStringLiteral("Class File:"));
    addEdit("codebase", QStringLiteral("Code Base:"));
    addEdit("name", QStringLiteral("Name:"));
    addCombo("align", QStringLiteral("Align:"),
             {QStringLiteral("bottom"), QStringLiteral("left"), QStringLiteral("middle"), QStringLiteral("right"),
              QStringLiteral("top")},
             true);
    addEdit("width", QStringLiteral("Width:"));
    addEdit("height", QStringLiteral("Height:"));
    addEdit("vspace", QStringLiteral("VSpace:"));
    addEdit("hspace", QStringLiteral("HSpace:"));
    addEdit("alt", QStringLiteral("Alt. Text:"));
    addButtons();
}

TParamBox::TParamBox(QWidget* parent) : TElementBox(QStringLiteral("Applet Parameter"), parent) {
    setObjectName(QStringLiteral("ParamBox"));
    addEdit("name", QStringLiteral("Name:"));
    addEdit("value", QStringLiteral("Value:"));
    addButtons();
}

TMarqueeBox::TMarqueeBox(QWidget* parent) : TElementBox(QStringLiteral("Marquee - Taviron"), parent) {
    setObjectName(QStringLiteral("MarqueeBox"));
    addEdit("text", QStringLiteral("Scrolling Text:"));
    addColorRow(form_, "bgcolor", "g", QStringLiteral("Background Color:"), 0xFFFFFF);
    findChild<QLineEdit*>(QStringLiteral("bgcolor"))->setToolTip(QStringLiteral("Microsoft"));
    addEdit("height", QStringLiteral("Height:"));
    addEdit("width", QStringLiteral("Width:"));
    addCombo("align", QStringLiteral("Align:"), {QStringLiteral("bottom"), QStringLiteral("middle"), QStringLiteral("top")},
             true);
    addCombo("behavior", QStringLiteral("Behavior:"),
             {QStringLiteral("scroll"), QStringLiteral("slide"), QStringLiteral("alternate")}, true);
    addCombo("direction", QStringLiteral("Direction:"), {QStringLiteral("left"), QStringLiteral("right")}, true);
    addEdit("scrollamount", QStringLiteral("Scroll Amount:"));
    addEdit("scrolldelay", QStringLiteral("Scroll Delay:"));
    addEdit("hspace", QStringLiteral("HSpace:"));
    addEdit("vspace", QStringLiteral("VSpace:"));
    QLineEdit* loop = addEdit("loop", QStringLiteral("Loop:"));
    Infinite = addCheck("Infinite", QStringLiteral("Infinite"));
    connect(Infinite, &QCheckBox::toggled, this, [this, loop](bool on) { enableRow(loop, !on); });
    addButtons();
}
