// Every modal interaction of the program (message boxes, questions, file
// dialogs, modal forms) goes through the one Prompter, so that a test can
// answer in place of a person.
#pragma once

#include "base/palette.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class QDialog;
class QPrinter;

class Prompter {
public:
    enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
    enum class Icon { None, Information, Warning, Error, Question };

    struct Question {
        QString caption;
        QString text;
        int buttons = Ok;
        Button defaultButton = Ok;
        Icon icon = Icon::None;
    };

    struct SaveRequest {
        QString title;
        QString fileName;      // the name the dialog starts with
        QString filter;        // "Name|pattern|Name|pattern"
        int filterIndex = 1;   // 1-based
        QString defaultSuffix; // empty: none
    };
    struct SaveAnswer {
        QString fileName;
        int filterIndex = 1;   // 1-based, the filter chosen
    };

    struct OpenRequest {
        QString title;
        QString folder;
        QString filter;
    };

    virtual ~Prompter() = default;

    virtual Button ask(QWidget* parent, const Question& q) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const OpenRequest& r) = 0;
    // Several existing files at once; empty when cancelled.
    virtual QStringList openFileNames(QWidget* parent, const OpenRequest& r) = 0;
    // The save dialog asks itself before overwriting an existing file.
    virtual std::optional<SaveAnswer> saveFileName(QWidget* parent, const SaveRequest& r) = 0;
    // Runs a modal form; returns QDialog::Accepted or Rejected.
    virtual int run(QDialog& dialog) = 0;
    // Shows a form that leaves every other window usable and returns when
    // it closes (or is destroyed): QDialog::Accepted or Rejected.
    virtual int wait(QDialog& dialog) = 0;
    // The print dialog and the printer setup dialog; false when cancelled.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    virtual bool pageSetup(QWidget* parent, QPrinter& printer) = 0;
    // A folder chooser; none when cancelled.
    virtual std::optional<QString> folder(QWidget* parent, const QString& title, const QString& start) = 0;
    // The input box: a caption, a prompt and a starting text; none when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                                         const QString& text) = 0;
    // The colour dialog with its custom colours open; none when cancelled.
    virtual std::optional<tv::ColorValue> color(QWidget* parent, tv::ColorValue initial) = 0;

    // An error or notice with an OK button.
    void message(QWidget* parent, const QString& caption, const QString& text,
                 Icon icon = Icon::Error);
};

// The prompter in use; the program starts with the one that shows real
// dialogs. setPrompter does not take ownership; nullptr restores the real one.
Prompter& prompter();
void setPrompter(Prompter* p);
// The prompter that shows the real dialogs, whichever is in use.
Prompter& systemPrompter();

// Texts built by the logic end lines with CR LF; dialogs show them with LF.
QString displayText(const QString& text);
