#include "widgets/focusorder.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// The widgets that take the focus by Tab, each once: a line edit inside a
// list or spin box stands for its owner.
std::vector<QWidget*> tabStops(QWidget* form) {
    std::vector<QWidget*> out;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(form)) continue;
        if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())) continue;
        out.push_back(w);
    }
    // Rows first: widgets whose tops lie within half a line are one row.
    std::stable_sort(out.begin(), out.end(), [form](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(form, QPoint(0, 0)), pb = b->mapTo(form, QPoint(0, 0));
        if (std::abs(pa.y() - pb.y()) > 8) return pa.y() < pb.y();
        return pa.x() < pb.x();
    });
    return out;
}

bool takesText(QWidget* w) {
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->isEditable();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

} // namespace

void orderTabsByPlace(QWidget* form) {
    const std::vector<QWidget*> stops = tabStops(form);
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void focusFirstField(QWidget* form) {
    const std::vector<QWidget*> stops = tabStops(form);
    for (QWidget* w : stops)
        if (w->isEnabled() && takesText(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    for (QWidget* w : stops)
        if (w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
}
