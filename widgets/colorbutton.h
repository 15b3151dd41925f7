// TColorButton: a swatch that shows a colour and lets the user choose
// another through the colour dialog.
#pragma once

#include "base/palette.h"

#include <QToolButton>

class TColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);
    tv::ColorValue color() const { return color_; }
    void setColor(tv::ColorValue c);

signals:
    // The user chose a colour.
    void colorChosen(tv::ColorValue c);

private:
    tv::ColorValue color_ = 0xFFFFFF;
};
