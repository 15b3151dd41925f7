// A prompter that answers from scripted replies and records what was asked.
#pragma once

#include "base/prompter.h"

#include <QStringList>
#include <deque>
#include <functional>

class TestPrompter : public Prompter {
public:
    TestPrompter() { setPrompter(this); }
    ~TestPrompter() override { setPrompter(nullptr); }

    std::deque<Button> answers;                  // for ask(); Cancel/Ok when empty
    std::deque<SaveAnswer> saves;   // for saveFileName(); an empty name or none left: cancel
    std::deque<QString> opens;      // for openFileName(); an empty name or none left: cancel
    std::deque<int> dialogResults;               // for run(); Rejected when empty
    // For print(): a file the printer writes a PDF to; empty: cancel.
    QString printToFile;
    int printDialogs = 0;
    std::deque<std::optional<tv::ColorValue>> colors;  // for color(); cancel when empty
    std::vector<tv::ColorValue> colorStarts;
    // Fill a modal form before it "closes": return QDialog::Accepted or Rejected.
    std::deque<std::function<int(QDialog&)>> dialogScripts;
    int pageSetupDialogs = 0;

    std::vector<Question> questions;
    std::vector<SaveRequest> saveRequests;
    std::vector<OpenRequest> openRequests;
    QStringList dialogsRun;

    Button ask(QWidget*, const Question& q) override;
    std::optional<QString> openFileName(QWidget*, const OpenRequest& r) override;
    // Takes one entry of `opens`, its names split at line feeds.
    QStringList openFileNames(QWidget*, const OpenRequest& r) override;
    std::optional<SaveAnswer> saveFileName(QWidget*, const SaveRequest& r) override;
    int run(QDialog& dialog) override;
    // As run, with the form shown first: scripts may use the other windows
    // while it is open.
    int wait(QDialog& dialog) override;
    bool print(QWidget*, QPrinter& printer) override;
    bool pageSetup(QWidget*, QPrinter&) override;
    std::optional<tv::ColorValue> color(QWidget*, tv::ColorValue initial) override;
    std::deque<QString> folders;  // for folder(); none left: cancel
    std::optional<QString> folder(QWidget*, const QString&, const QString&) override;
    std::deque<QString> inputs;  // for input(); a null string or none left: cancel
    std::optional<QString> input(QWidget*, const QString& caption, const QString& prompt, const QString& text) override;
};
