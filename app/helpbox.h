// THelpBox: the manual, with its contents and a search over its pages.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTextBrowser;

class THelpBox : public QDialog {
    Q_OBJECT
public:
    explicit THelpBox(QWidget* parent = nullptr);
    QListWidget* Contents = nullptr;
    QLineEdit* Search = nullptr;
    QTextBrowser* Page = nullptr;
    // The manual's pages (resource names) and their titles.
    static QStringList pages();
    // Shows the pages whose text holds `words` (all of them, any case).
    void search(const QString& words);
};
