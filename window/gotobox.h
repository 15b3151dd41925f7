// TGoToBox: asks for the line number to go to.
#pragma once

#include <QDialog>

class QLineEdit;

class TGoToBox : public QDialog {
    Q_OBJECT
public:
    explicit TGoToBox(QWidget* parent = nullptr);
    QLineEdit* number = nullptr;
};
