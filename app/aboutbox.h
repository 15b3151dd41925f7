// TAboutBox: the program's name, version and the registered owner.
#pragma once

#include <QDialog>

class QLabel;
class QIcon;

// The program's icon: its drawn PNG sizes, with the SVG for any other size.
QIcon applicationIcon();

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    void setOwnerName(const QString& name);
    QString ownerName() const;

private:
    QLabel* NameLabel = nullptr;
};
