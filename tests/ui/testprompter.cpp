#include "testprompter.h"

#include <QDialog>
#include <QPrinter>

Prompter::Button TestPrompter::ask(QWidget*, const Question& q) {
    questions.push_back(q);
    if (answers.empty()) return (q.buttons & Cancel) ? Cancel : Ok;
    const Button b = answers.front();
    answers.pop_front();
    return b;
}

std::optional<QString> TestPrompter::openFileName(QWidget*, const OpenRequest& r) {
    openRequests.push_back(r);
    if (opens.empty()) return std::nullopt;
    const QString name = opens.front();
    opens.pop_front();
    if (name.isEmpty()) return std::nullopt;
    return name;
}

QStringList TestPrompter::openFileNames(QWidget* parent, const OpenRequest& r) {
    const auto names = openFileName(parent, r);
    return names ? names->split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

std::optional<Prompter::SaveAnswer> TestPrompter::saveFileName(QWidget*, const SaveRequest& r) {
    saveRequests.push_back(r);
    if (saves.empty()) return std::nullopt;
    const SaveAnswer a = saves.front();
    saves.pop_front();
    if (a.fileName.isEmpty()) return std::nullopt;
    return a;
}

int TestPrompter::run(QDialog& dialog) {
    dialogsRun << QString::fromLatin1(dialog.metaObject()->className());
    if (!dialogScripts.empty()) {
        auto script = dialogScripts.front();
        dialogScripts.pop_front();
        return script(dialog);
    }
    if (dialogResults.empty()) return QDialog::Rejected;
    const int r = dialogResults.front();
    dialogResults.pop_front();
    return r;
}

int TestPrompter::wait(QDialog& dialog) {
    dialog.show();
    return run(dialog);
}

bool TestPrompter::print(QWidget*, QPrinter& printer) {
    ++printDialogs;
    if (printToFile.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFile);
    return true;
}

bool TestPrompter::pageSetup(QWidget*, QPrinter&) {
    ++pageSetupDialogs;
    return true;
}

std::optional<tv::ColorValue> TestPrompter::color(QWidget*, tv::ColorValue initial) {
    colorStarts.push_back(initial);
    if (colors.empty()) return std::nullopt;
    const auto c = colors.front();
    colors.pop_front();
    return c;
}

std::optional<QString> TestPrompter::input(QWidget*, const QString& caption, const QString& prompt, const QString&) {
    questions.push_back({caption, prompt, Ok | Cancel, Ok, Icon::None});
    if (inputs.empty()) return std::nullopt;
    const QString answer = inputs.front();
    inputs.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
}

std::optional<QString> TestPrompter::folder(QWidget*, const QString&, const QString&) {
    if (folders.empty()) return std::nullopt;
    const QString f = folders.front();
    folders.pop_front();
    return f;
}
