#include "widgets/tabset.h"

#include "base/paths.h"

#include <QPainter>

namespace {
QString shownName(const QString& fullName) {
    return QString::fromStdString(tv::fileNameOnly(fullName.toStdString()));
}
} // namespace

TTabSet::TTabSet(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("TabSet1"));
    setShape(QTabBar::RoundedSouth);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    setFixedHeight(kHeight);
}

void TTabSet::refresh() {
    setElideMode(elideMode());  // makes the tab bar measure its tabs again
    update();
}

QSize TTabSet::tabSizeHint(int index) const {
    const bool modified = isModified && isModified(index);
    const int w = fontMetrics().horizontalAdvance(shownName(tabText(index))) + (modified ? 12 : 2) + 8;
    return {w, kHeight};
}

void TTabSet::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Dark));  // the workspace behind the tabs
    for (int i = 0; i < count(); ++i) {
        const QRect r = tabRect(i);
        if (!r.isValid()) continue;
        const bool selected = i == currentIndex();
        p.fillRect(r, selected ? pal.color(QPalette::Base) : pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const int textTop = r.top() + (selected ? 3 : 2);
        int textLeft = r.left() + 4 + 1;
        if (isModified && isModified(i)) {
            p.fillRect(QRect(r.left() + 4 + 2, textTop + 3 + 2, 6, 6), QColor(0, 0, 255));
            textLeft = r.left() + 4 + 10;
        }
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(QRect(textLeft, textTop, r.right() - textLeft, r.height() - (textTop - r.top())),
                   Qt::AlignLeft | Qt::AlignTop, shownName(tabText(i)));
    }
}
