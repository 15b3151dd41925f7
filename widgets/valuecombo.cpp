#include "widgets/valuecombo.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TValueCombo::TValueCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Enter never adds the text to the items or picks an item for it.
    setInsertPolicy(QComboBox::NoInsert);
    // The combo box would otherwise put an item of other letter case in
    // place of the text when the field is left; without its own completer
    // it compares with regard to case, so only an item equal to the text is
    // ever chosen, and choosing it leaves the text as it is.
    setCompleter(nullptr);
    auto* offer = offer_ = new QCompleter(model(), this);
    offer->setCaseSensitivity(Qt::CaseInsensitive);
    offer->setCompletionMode(QCompleter::PopupCompletion);
    offer->setWidget(lineEdit());
    // The completer is the line edit's in all but name: it follows typing and
    // writes a chosen item into the field.
    connect(lineEdit(), &QLineEdit::textEdited, offer, [offer](const QString& text) {
        if (text.isEmpty()) {
            offer->popup()->hide();
            return;
        }
        offer->setCompletionPrefix(text);
        if (offer->completionCount() == 0 ||
            (offer->completionCount() == 1 && offer->currentCompletion() == text)) {
            offer->popup()->hide();
            return;
        }
        offer->complete();
    });
    connect(offer, qOverload<const QString&>(&QCompleter::activated), lineEdit(), &QLineEdit::setText);
    lineEdit()->installEventFilter(this);
    offer->popup()->installEventFilter(this);
}

bool TValueCombo::pressDefaultButton() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (!qobject_cast<QDialog*>(w)) continue;
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->isDefault() && b->isEnabled() && b->isVisible()) {
                b->click();
                return true;
            }
        return false;
    }
    return false;
}

bool TValueCombo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The value stays as typed; the dialog's default button answers.
        // An item picked in the offered list is taken by the list itself.
        if (enter && watched == lineEdit() && !view()->isVisible() && pressDefaultButton()) return true;
        if (enter && watched == offer_->popup() && !offer_->popup()->currentIndex().isValid()) {
            offer_->popup()->hide();
            if (pressDefaultButton()) return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}
