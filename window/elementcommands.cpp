// The document window's element commands: the dialogs that insert a tag, or
// read the tag under the caret and write it back in place.
#include "window/mdichild.h"

#include "base/doctext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "dialogs/elementbox.h"
#include "dialogs/headtags.h"
#include "dialogs/objectboxes.h"
#include "dialogs/objecttags.h"
#include "dialogs/scriptbox.h"
#include "editor/imagesize.h"
#include "text/codec.h"
#include "window/documenthost.h"
#include "widgets/historycombo.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

// --- element dialogs ---------------------------------------------------------------

bool TMDIChild::FindTag(const std::string& name) {
    const tv::FoundTag f = tv::FindTagIn(RichEdit1->textView(), RichEdit1->SelStart(), RichEdit1->SelLength(), name);
    if (f.selStart != RichEdit1->SelStart() || f.selLength != RichEdit1->SelLength()) {
        RichEdit1->SetSelStart(f.selStart);
        RichEdit1->SetSelLength(f.selLength);
    }
    return f.found;
}

void TMDIChild::insertPending(const tv::PendingTexts& texts) {
    host_.repeatTags() = texts;
    Markup();
}

void TMDIChild::editOrInsert(const tv::TagSpec& spec, TElementBox& box,
                             const std::function<tv::PendingTexts(const std::string&, const tv::Fields&)>& pending,
                             const std::function<void(const tv::Fields&)>& afterRead, const TagBuilder& build) {
    const bool edit = FindTag(spec.element);
    std::string tag = spec.insertTag;
    if (edit) {
        tag = RichEdit1->SelText();
        tv::Fields fields;
        tv::readTagFields(spec, tag, fields);
        box.setFields(fields);
        box.syncSwatches();
        if (afterRead) afterRead(fields);
    }
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    const tv::Fields fields = box.fields();
    const std::optional<std::string> newTag = build ? build(tag, fields) : tv::buildTag(spec, tag, fields);
    if (newTag) finishElement(edit, *newTag, pending(*newTag, fields));
}

namespace {
// An anchor without any attribute, and an image without a source, are not
// written.
std::optional<std::string> anchorTagOf(const std::string& tag, const tv::Fields& fields) {
    std::string t = tv::buildTag(tv::anchorSpec(), tag, fields);
    if (t == "<A>") return std::nullopt;
    return t;
}

std::optional<std::string> imageTagOf(const std::string& tag, const tv::Fields& fields) {
    const auto src = fields.find("src");
    if (src == fields.end() || src->second.empty()) return std::nullopt;
    return tv::buildImageTag(tag, fields);
}

tv::PendingTexts anchorPending(const std::string& tag, const tv::Fields&) {
    return tv::pendingFor(tv::anchorSpec(), tag);
}

tv::PendingTexts imagePending(const std::string& tag, const tv::Fields&) { return tv::pendingFor(tv::imageSpec(), tag); }
} // namespace

void TMDIChild::finishElement(bool edit, const std::string& newTag, const tv::PendingTexts& texts) {
    if (!edit) {
        insertPending(texts);
        return;
    }
    // A tag read without its ">" is written back without it; Repeat Tag
    // inserts it whole.
    tv::PendingTexts repeat = texts;
    if (!tv::scanTag(newTag, 0).closed && repeat.start.rfind(newTag, 0) == 0)
        repeat.start = newTag + '>' + repeat.start.substr(newTag.size());
    host_.repeatTags() = repeat;
    replaceSelection(newTag, {kEnd, 0});
}

namespace {
tv::PendingTexts plainPending(const tv::TagSpec& spec, const std::string& tag, const tv::Fields&) {
    return tv::pendingFor(spec, tag);
}
} // namespace

void TMDIChild::Table1Click() {
    TTableBox box(this);
    editOrInsert(tv::tableSpec(), box, [](const std::string& tag, const tv::Fields& f) {
        const auto caption = f.find("xCaption");
        return tv::tablePending(tag, caption == f.end() ? std::string() : caption->second);
    });
}

void TMDIChild::Anchor1Click() {
    TLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    editOrInsert(tv::anchorSpec(), box, anchorPending, {}, anchorTagOf);
}

void TMDIChild::runImageBox(TImageBox& box, bool edit, const std::string& tag) {
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    const tv::Fields fields = box.fields();
    if (const auto newTag = imageTagOf(tag, fields)) finishElement(edit, *newTag, imagePending(*newTag, fields));
}

void TMDIChild::prepareImageBox(TImageBox& box) {
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    box.documentFolder = [this] { return IsUntitled() ? std::string() : tv::folderOf(document().file.fileName); };
}

void TMDIChild::Image1Click() {
    TImageBox box(this);
    prepareImageBox(box);
    const auto afterRead = [&box](const tv::Fields& fields) {
        const auto border = fields.find("border");
        const std::string text = border == fields.end() ? std::string() : border->second;
        box.border->setCurrentIndex(box.border->findText(QString::fromStdString(text)));
        const auto w = fields.find("width"), h = fields.find("height");
        if ((w != fields.end() && !w->second.empty()) || (h != fields.end() && !h->second.empty())) box.wh->setChecked(true);
    };
    editOrInsert(tv::imageSpec(), box, imagePending, afterRead, imageTagOf);
}

void TMDIChild::MakeLinkTag(const std::string& file) {
    TLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    box.url->setCurrentText(QString::fromStdString(referenceFor(file)));
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto tag = anchorTagOf("<A>", box.fields())) insertPending(anchorPending(*tag, {}));
}

void TMDIChild::MakeImageTag(const std::string& file) {
    TImageBox box(this);
    prepareImageBox(box);
    box.src->setCurrentText(QString::fromStdString(referenceFor(file)));
    box.showSizeOf(file);
    runImageBox(box, false, tv::imageSpec().insertTag);
}

void TMDIChild::RichEdit1DragDrop(const std::string& file) {
    tv::DropMarkup markup;
    try {
        markup = tv::droppedFileMarkup(file, referenceFor(file), host_.settings().textExt);
    } catch (const tv::FileError& e) {
        prompter().message(this, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
        return;
    }
    RichEdit1->setFocus();
    insertPending({markup.start, markup.end});
}

void TMDIChild::Embed1Click() {
    TEmbedBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto texts = tv::embedTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::BackgroundSound1Click() {
    TSoundBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    if (const auto texts = tv::soundTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Applet1Click() {
    TAppletBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    if (const auto texts = tv::appletTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Parameter1Click() {
    TParamBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    if (const auto texts = tv::paramTexts(box.fields())) insertPending(*texts);
}

void TMDIChild::Marquee1Click() {
    TMarqueeBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertPending(tv::marqueeTexts(box.fields()));
}

void TMDIChild::TableRow1Click() {
    TTableRow box(this);
    editOrInsert(tv::tableRowSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableRowSpec(), t, f); });
}

void TMDIChild::TableData1Click() {
    TTableCell box(this);
    editOrInsert(tv::tableDataSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableDataSpec(), t, f); });
}

void TMDIChild::TableHeader1Click() {
    TTableCell box(this);
    editOrInsert(tv::tableHeaderSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::tableHeaderSpec(), t, f); });
}

void TMDIChild::Form1Click() {
    TFormBox box(this);
    editOrInsert(tv::formSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::formSpec(), t, f); });
}

void TMDIChild::Select1Click() {
    TSelectBox box(this);
    editOrInsert(tv::selectSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::selectSpec(), t, f); });
}

void TMDIChild::TextArea1Click() {
    TTextAreaBox box(this);
    editOrInsert(tv::textAreaSpec(), box,
                 [](const std::string& t, const tv::Fields& f) { return plainPending(tv::textAreaSpec(), t, f); });
}

void TMDIChild::InsertInput(int type) {
    TInputBox box(type, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const std::string tag = tv::buildInputTag(box.itype->currentIndex(), box.fields());
    if (tag.empty()) return;
    insertPending({tag, ""});
}

void TMDIChild::Option1Click() {
    TOptionBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const tv::Fields f = box.fields();
    insertPending({tv::buildOptionTag(f.at("value"), !f.at("selected").empty()), ""});
}

void TMDIChild::Options2Click() {
    tv::Settings& settings = host_.mutableSettings();
    TListOptions box(settings.ol, settings.ul, host_.repeatTags().end == "</UL>\r\n", this);
    if (prompter().run(box) != QDialog::Accepted) return;
    const tv::Fields f = box.fields();
    settings.ul = tv::buildUnorderedTag(f.at("ultype"));
    settings.ol = tv::buildOrderedTag(box.oltype->currentIndex(), f.at("start"));
    TagCommandClick(*tv::tagCommand(box.list->currentIndex() == 1 ? "UnorderedList1" : "OrderedList1"));
}

void TMDIChild::JavaScript1Click() {
    TScriptBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertPending(tv::scriptPending(toDocument(box.lang->currentText()),
                                    tv::clipboardToDocumentLineEnds(toDocument(box.Memo1->toPlainText()))));
}

// --- body, head, style sheet, font, rule, heading, frames, division ----------------------

std::string TMDIChild::referenceFor(const std::string& file) const {
    return tv::RelativeReference(file, true, false, document().file.fileName, IsUntitled(), "");
}

void TMDIChild::insertIfAny(const tv::PendingTexts& texts) {
    if (!texts.start.empty()) insertPending(texts);
}

void TMDIChild::Body1Click() {
    TBodyBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    editOrInsert(tv::bodySpec(), box, [](const std::string& t, const tv::Fields&) { return tv::bodyPending(t); });
}

void TMDIChild::Base1Click() {
    TBaseBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::baseTexts(box.fields()));
}

void TMDIChild::Meta1Click() {
    TMetaBox box(host_.ownerName(), this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::metaTexts(box.fields()));
}

void TMDIChild::Link1Click() {
    THLinkBox box(this);
    box.relativeReference = [this](const std::string& f) { return referenceFor(f); };
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::linkTexts(box.fields()));
}

void TMDIChild::IsIndex1Click() {
    TIsIndexBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::isIndexTexts(box.fields()));
}

void TMDIChild::StyleSheet1Click() {
    TStyleBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::styleSheetTexts(box.otype->currentIndex(), box.fields(), TStyleBox::colorName(box.fcolor),
                                    TStyleBox::colorName(box.bcolor)));
}

void TMDIChild::Font1Click() {
    TFontBox box(this);
    const bool edit = FindTag("font");
    std::string tag = "<FONT>";
    if (edit) {
        tag = RichEdit1->SelText();
        tv::Fields f;
        tv::readTagFields(tv::fontSpec(), tag, f);
        const tv::FontSize size = tv::readFontSize(f["size"]);
        f.erase("size");
        box.setFields(f);
        box.setSizeFromTag(size);
        box.syncSwatches();
    }
    if (prompter().run(box) != QDialog::Accepted) return;
    const std::string newTag =
        tv::buildFontTag(tag, box.fields(), box.SizeCheck->isChecked(), box.SizeType->currentIndex());
    if (newTag.empty()) return;  // nothing to write: no change at all
    finishElement(edit, newTag, {newTag, "</FONT>"});
}

void TMDIChild::BaseFont1Click() {
    TBaseFontBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::baseFontTexts(box.fields()));
}

void TMDIChild::HorizontalRule1Click() {
    THRuleBox box(this);
    editOrInsert(tv::ruleSpec(), box, [](const std::string& t, const tv::Fields&) { return tv::PendingTexts{t, ""}; });
}

void TMDIChild::HeadOptionsClick() {
    THeadingBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::headingTexts(box.fields()));
}

void TMDIChild::Frameset1Click() {
    TSetBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::framesetTexts(box.fields()));
}

void TMDIChild::Frame1Click() {
    TFrameBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    insertIfAny(tv::frameTexts(box.fields()));
}

void TMDIChild::Division1Click() {
    TDivBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    insertIfAny(tv::divisionTexts(box.fields()));
}

