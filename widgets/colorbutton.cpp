#include "widgets/colorbutton.h"

#include "base/prompter.h"

#include <QPainter>
#include <QPixmap>

TColorButton::TColorButton(QWidget* parent) : QToolButton(parent) {
    setFixedSize(24, 22);
    setColor(0xFFFFFF);
    connect(this, &QToolButton::clicked, this, [this] {
        if (const auto c = prompter().color(this, color_)) {
            setColor(*c);
            emit colorChosen(*c);
        }
    });
}

void TColorButton::setColor(tv::ColorValue c) {
    color_ = c;
    QPixmap pm(16, 14);
    pm.fill(QColor(tv::redOf(c), tv::greenOf(c), tv::blueOf(c)));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 13);
    setIcon(QIcon(pm));
}
