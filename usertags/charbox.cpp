#include "usertags/charbox.h"

#include <QGridLayout>
#include <QToolButton>

namespace {
struct CharButton {
    const char* shows;
    const char* hint;
    const char* inserts;
};
// Tags 1 to 24, in this order.
const CharButton kButtons[24] = {
    {"<", "Less Than", "&lt;"},           {">", "Greater Than", "&gt;"},
    {"&", "Ampersand", "&amp;"},          {"\"", "Quote", "&quot;"},
    {"-", "Soft Hyphen", "&shy;"},        {"_", "Non-Breaking Space", "&nbsp;"},
    {"\u00A9", "Copyright", "&copy;"},    {"\u00AE", "Registered Trademark", "&reg;"},
    {"\u2122", "Trademark", "&trade;"},   {"_", "Em Space", "&emsp;"},
    {"_", "En Space", "&ensp;"},          {"\u2014", "Em Dash", "&emdash;"},
    {"\u2013", "En Dash", "&endash;"},    {"\u00B9", "Superscript 1", "&#185;"},
    {"\u00B2", "Superscript 2", "&#178;"}, {"\u00B3", "Superscript 3", "&#179;"},
    {"\u00B6", "Paragraph", "&#182;"},    {"\u00B7", "Middle Dot", "&#183;"},
    {"\u00AB", "Left Angle Quote", "&#171;"}, {"\u00BB", "Right Angle Quote", "&#187;"},
    {"\u00BC", "One Fourth", "&#188;"},   {"\u00BD", "One Half", "&#189;"},
    {"\u00BE", "Three Fourths", "&#190;"}, {"\u00A2", "Cents", "&#162;"},
};
} // namespace

QString TCharBox::entityFor(int tag) {
    if (tag < 1 || tag > 24) return {};
    return QString::fromLatin1(kButtons[tag - 1].inserts);
}

TCharBox::TCharBox(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CharBox"));
    setWindowTitle(QStringLiteral("Special Characters"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(0);
    grid->setContentsMargins(2, 2, 2, 2);
    QFont sans = font();
    sans.setStyleHint(QFont::SansSerif);
    for (int tag = 1; tag <= 24; ++tag) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("Button%1").arg(tag));
        // "&" alone would be taken for a mnemonic mark and show nothing.
        b->setText(QString::fromUtf8(kButtons[tag - 1].shows).replace(QLatin1Char('&'), QLatin1String("&&")));
        b->setToolTip(QString::fromLatin1(kButtons[tag - 1].hint));
        b->setAutoRaise(true);
        b->setFixedSize(24, 25);
        b->setFont(sans);
        b->setProperty("Tag", tag);
        connect(b, &QToolButton::clicked, this, [this, tag] { ButtonClick(tag); });
        grid->addWidget(b, (tag - 1) / 12, (tag - 1) % 12);
    }
    setFixedSize(sizeHint());
}

void TCharBox::ButtonClick(int tag) {
    if (parentWidget()) parentWidget()->activateWindow();
    const QString text = entityFor(tag);
    if (!text.isEmpty() && onInsert) onInsert(text);
}
