// TValueCombo: an editable drop-down whose text is the value a tag gets.
// Its items are offered, never forced: what is typed or read stays exactly
// as it is (letter case included), a completion list offers the items that
// begin with what is typed, and Enter presses the dialog's default button.
#pragma once

#include <QComboBox>

class TValueCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TValueCombo(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Clicks the default button of the dialog the field is in; false when
    // there is none.
    bool pressDefaultButton();
    class QCompleter* offer_ = nullptr;
};
