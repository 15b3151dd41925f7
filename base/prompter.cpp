#include "base/prompter.h"

#include "base/frametext.h"

#include <QColorDialog>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>

namespace {

class QtPrompter final : public Prompter {
public:
    Button ask(QWidget* parent, const Question& q) override {
        QMessageBox box(parent);
        box.setWindowTitle(q.caption);
        box.setText(displayText(q.text));
        switch (q.icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::None: break;
        }
        const std::pair<Button, QMessageBox::StandardButton> map[] = {
            {Yes, QMessageBox::Yes}, {No, QMessageBox::No},
            {Cancel, QMessageBox::Cancel}, {Ok, QMessageBox::Ok}};
        for (const auto& [mine, theirs] : map) {
            if (!(q.buttons & mine)) continue;
            QPushButton* b = box.addButton(theirs);
            if (mine == q.defaultButton) box.setDefaultButton(b);
        }
        if (q.buttons & Cancel) box.setEscapeButton(QMessageBox::Cancel);
        else if (q.buttons & No) box.setEscapeButton(QMessageBox::No);
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& [mine, theirs] : map)
            if (theirs == clicked) return mine;
        // Closed from the title bar: the safest answer the box offers.
        if (q.buttons & Cancel) return Cancel;
        if (q.buttons & No) return No;
        return Ok;
    }

    std::optional<QString> openFileName(QWidget* parent, const OpenRequest& r) override {
        const QString name = QFileDialog::getOpenFileName(
            parent, r.title, r.folder,
            QString::fromStdString(tv::dialogFilter(r.filter.toStdString())));
        if (name.isEmpty()) return std::nullopt;
        return name;
    }

    QStringList openFileNames(QWidget* parent, const OpenRequest& r) override {
        return QFileDialog::getOpenFileNames(parent, r.title, r.folder,
                                             QString::fromStdString(tv::dialogFilter(r.filter.toStdString())));
    }

    std::optional<SaveAnswer> saveFileName(QWidget* parent, const SaveRequest& r) override {
        QFileDialog dlg(parent, r.title);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        const QStringList filters =
            QString::fromStdString(tv::dialogFilter(r.filter.toStdString())).split(";;");
        dlg.setNameFilters(filters);
        if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
            dlg.selectNameFilter(filters[r.filterIndex - 1]);
        dlg.setDefaultSuffix(r.defaultSuffix);
        if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
        // The dialog gives the chosen filter back in its own spelling (blanks
        // collapsed); its position in the dialog's own list is the index.
        return SaveAnswer{dlg.selectedFiles().first(),
                          static_cast<int>(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1};
    }

    int run(QDialog& dialog) override { return dialog.exec(); }

    int wait(QDialog& dialog) override {
        QPointer<QDialog> alive(&dialog);
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
        loop.exec();
        return alive ? alive->result() : int(QDialog::Rejected);
    }

    bool print(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }

    std::optional<QString> folder(QWidget* parent, const QString& title, const QString& start) override {
        const QString chosen = QFileDialog::getExistingDirectory(parent, title, start);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }

    std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                                 const QString& text) override {
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
        if (!ok) return std::nullopt;
        return answer;
    }

    std::optional<tv::ColorValue> color(QWidget* parent, tv::ColorValue initial) override {
        QColorDialog dlg(QColor(tv::redOf(initial), tv::greenOf(initial), tv::blueOf(initial)), parent);
        dlg.setOption(QColorDialog::DontUseNativeDialog, false);
        if (dlg.exec() != QDialog::Accepted) return std::nullopt;
        const QColor c = dlg.selectedColor();
        return static_cast<tv::ColorValue>(c.red() | (c.green() << 8) | (c.blue() << 16));
    }

    bool pageSetup(QWidget* parent, QPrinter& printer) override {
        QPageSetupDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }
};

QtPrompter& realPrompter() {
    static QtPrompter p;
    return p;
}

Prompter* current = nullptr;

} // namespace

void Prompter::message(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    ask(parent, Question{caption, text, Ok, Ok, icon});
}

Prompter& prompter() { return current ? *current : realPrompter(); }

Prompter& systemPrompter() { return realPrompter(); }

void setPrompter(Prompter* p) { current = p; }

QString displayText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}
