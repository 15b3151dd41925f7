#include "tools/textdialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A titled group of radio buttons, the first chosen.
QButtonGroup* radioGroup(QWidget* owner, QVBoxLayout* layout, const QString& title, const QStringList& items) {
    auto* box = new QGroupBox(title, owner);
    auto* inner = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], box);
        group->addButton(b, i);
        inner->addWidget(b);
    }
    group->button(0)->setChecked(true);
    layout->addWidget(box);
    return group;
}

void okCancel(QDialog* d, QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace

TCaseBox::TCaseBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CaseBox"));
    setWindowTitle(QStringLiteral("Change Case..."));
    auto* layout = new QVBoxLayout(this);
    radio = radioGroup(this, layout, QString(),
                       {QStringLiteral("UPPER CASE"), QStringLiteral("lower case"), QStringLiteral("tOGGLE cASE"),
                        QStringLiteral("Capitalize Words"), QStringLiteral("Capitalize sentences.")});
    okCancel(this, layout);
}

TAppBox::TAppBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AppBox"));
    setWindowTitle(QStringLiteral("Append..."));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Append this text:"), this);
    aptext = new QLineEdit(this);
    aptext->setObjectName(QStringLiteral("aptext"));
    label->setBuddy(aptext);
    layout->addWidget(label);
    layout->addWidget(aptext);
    w = radioGroup(this, layout, QStringLiteral("to the"),
                   {QStringLiteral("beginning of all highlighted lines"), QStringLiteral("end of all highlighted lines")});
    okCancel(this, layout);
}

void TAppBox::accept() {
    if (aptext->text().isEmpty()) return;
    QDialog::accept();
}

TTranBox::TTranBox(bool hasSelection, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TranBox"));
    setWindowTitle(QStringLiteral("Translate..."));
    auto* layout = new QVBoxLayout(this);
    convert = radioGroup(this, layout, QStringLiteral("Convert"),
                         {QStringLiteral("Characters to HTML entities"), QStringLiteral("HTML to Characters")});
    only = new QCheckBox(QStringLiteral("Selection Only"), this);
    only->setObjectName(QStringLiteral("only"));
    only->setChecked(hasSelection);
    only->setEnabled(hasSelection);
    layout->addWidget(only);
    okCancel(this, layout);
}
