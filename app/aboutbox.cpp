#include "app/aboutbox.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/taviron-%1.png").arg(size), QSize(size, size));
    icon.addFile(QStringLiteral(":/icons/taviron.svg"));
    return icon;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Taviron"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Taviron</b>"), this);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(TAVIRON_VERSION)), this);
    version->setAlignment(Qt::AlignCenter);
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    auto* blurb = new QLabel(QStringLiteral("An editor of HTML source text."), this);
    auto* licence = new QLabel(QStringLiteral("Free software: you may use, change and share it."), this);
    licence->setAlignment(Qt::AlignCenter);
    blurb->setAlignment(Qt::AlignCenter);
    auto* licensed = new QLabel(QStringLiteral("Licensed to:"), this);
    licensed->setAlignment(Qt::AlignCenter);
    NameLabel = new QLabel(this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    NameLabel->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    for (QWidget* w : std::initializer_list<QWidget*>{icon, title, version, blurb, licensed, NameLabel, licence, buttons})
        layout->addWidget(w);
}

void TAboutBox::setOwnerName(const QString& name) { NameLabel->setText(name); }

QString TAboutBox::ownerName() const { return NameLabel->text(); }
