// TCharBox: a floating palette of 24 buttons, each inserting the entity of
// a special character into the active document.
#pragma once

#include <QDialog>
#include <functional>

class TCharBox : public QDialog {
    Q_OBJECT
public:
    explicit TCharBox(QWidget* parent = nullptr);
    // The text a button's tag (1 to 24) inserts; empty for other tags.
    static QString entityFor(int tag);
    // Runs with the inserted text when a button is clicked.
    std::function<void(const QString&)> onInsert;
    void ButtonClick(int tag);
};
