// TAboutBox: the program's name, version and the registered owner.
#pragma once

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    void setOwnerName(const QString& name);
    QString ownerName() const;

private:
    QLabel* NameLabel = nullptr;
};
