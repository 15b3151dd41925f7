// The windows of a search or replace across files: the results list and
// the progress of a replace.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// TFoundBox: the files that hold the search text; "Open" opens one at the
// first match.
class TFoundBox : public QDialog {
    Q_OBJECT
public:
    explicit TFoundBox(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QLabel* done = nullptr;
    QListWidget* List = nullptr;
    QPushButton* OpenBtn = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* OkBtn = nullptr;
    bool cancelled = false;
    // Runs with the chosen file name.
    std::function<void(const QString&)> onOpen;
    void finish();

protected:
    void reject() override;
};

// TProgressBox: the progress of a replace across files.
class TProgressBox : public QDialog {
    Q_OBJECT
public:
    explicit TProgressBox(QWidget* parent = nullptr);
    QLabel* cur = nullptr;
    QLabel* num = nullptr;
    QLabel* occ = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* CancelBtn = nullptr;
    bool cancelled = false;
    void finish();
};
