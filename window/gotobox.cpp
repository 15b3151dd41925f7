#include "window/gotobox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TGoToBox::TGoToBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GoToBox"));
    setWindowTitle(QStringLiteral("Go to line..."));
    auto* layout = new QVBoxLayout(this);
    auto* Label1 = new QLabel(QStringLiteral("Enter line number:"), this);
    number = new QLineEdit(this);
    number->setObjectName(QStringLiteral("number"));
    // Typed characters other than the digits are discarded.
    number->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number));
    Label1->setBuddy(number);
    auto* buttons = new QHBoxLayout;
    auto* Button1 = new QPushButton(QStringLiteral("OK"), this);
    auto* Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addWidget(Label1);
    layout->addWidget(number);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}
