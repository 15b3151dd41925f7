// The windows of a search or replace across files: the results list and
// the progress of a replace.
#pragma once

#include <QDialog>
#include <functional>

class QCloseEvent;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// A window that follows a run over many files. While the run goes on, Esc
// and the close box cancel it, as the Cancel button does, and the window
// stays until the run has ended; after `finish` they close it.
class TRunBox : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    bool cancelled = false;
    bool finished = false;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;
};

// TFoundBox: the pane of the files that hold the search text; "Open" opens
// one at the first match. While a search runs, its Cancel button (or the
// pane closed) stops it; afterwards the button closes the pane.
class TFoundBox : public QWidget {
    Q_OBJECT
public:
    explicit TFoundBox(QWidget* parent = nullptr);
    bool cancelled = false;
    bool finished = true;
    // A new search over `files` files: the list emptied, the run going.
    void start(int files);
    QLabel* Label1 = nullptr;
    QLabel* done = nullptr;
    QListWidget* List = nullptr;
    QPushButton* OpenBtn = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* OkBtn = nullptr;
    // Runs with the chosen file name.
    std::function<void(const QString&)> onOpen;
    void finish();

signals:
    // The run is over and the pane is to go.
    void closeRequested();

protected:
    void keyPressEvent(class QKeyEvent* e) override;
    void hideEvent(class QHideEvent* e) override;
};

// TProgressBox: the progress of a replace across files.
class TProgressBox : public TRunBox {
    Q_OBJECT
public:
    explicit TProgressBox(QWidget* parent = nullptr);
    QLabel* cur = nullptr;
    QLabel* num = nullptr;
    QLabel* occ = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* CancelBtn = nullptr;
    void finish();
};
