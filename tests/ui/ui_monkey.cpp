// The random-action exerciser: from a seed it opens pages of a small corpus
// and does what careless users do, thousands of times: types and deletes,
// runs every command and tool button, fills element dialogs with anything,
// undoes, saves, closes, hands files over as a second start would and quits,
// answering every question at random. After each step it checks that no
// typed text was lost and that what is on disk is what the editor holds.
//
//   ui_monkey [--seed N] [--actions M] [--seconds S]
//   (defaults: seed 1, 1500 actions, no time limit)
//
// With --seconds it stops after the step that passes S seconds, so that a slow
// machine runs fewer steps of the same sequence instead of being killed in the
// middle of one. A failure names the seed and the step; run that seed again
// (with as many actions) to see it.
#include "base/docfile.h"
#include "app/documents.h"
#include "app/mainform.h"
#include "files/diskpane.h"
#ifdef TAVIRON_PREVIEW
#include "preview/previewpane.h"
#include <QWebEngineView>
#endif
#include "files/filepaneui.h"
#include "files/projectpane.h"
#include "base/prompter.h"
#include "window/mdichild.h"
#include "spell/addictspell.h"
#include "text/encoding.h"
#include "text/utf8.h"
#include "uitest.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidgetItemIterator>
#include <QTest>

#include <cstdio>
#include <map>
#include <random>

namespace {

quint64 gSeed = 1;
int gActions = 1500;
int gSeconds = 0;  // 0: no time limit

// Pages to work on: UTF-8 and Windows-1252, tags, entities, an include
// block, an image, both kinds of line ends.
void writeCorpus(const QDir& dir) {
    uitest::writeFile(dir.filePath(QStringLiteral("utf8.html")),
                      "<html>\n<head><title>Caf\xC3\xA9</title></head>\n<body>\n<p>Na\xC3\xAFve &amp; "
                      "&eacute; \xE2\x82\xAC \xE4\xB8\xAD</p>\n<img src=\"pic.png\">\n"
                      "<!--##INCLUDE FILE=\"inc.txt\"##--><!--##ENDINCLUDE##-->\n</body>\n</html>\n");
    uitest::writeFile(dir.filePath(QStringLiteral("latin.html")),
                      "<HTML>\r\n<BODY>\r\n<P>Caf\xE9 cr\xE8me \x80 5 &lt; 6</P>\r\n<A HREF=\"utf8.html\">x</A>\r\n"
                      "</BODY>\r\n</HTML>\r\n");
    uitest::writeFile(dir.filePath(QStringLiteral("plain.txt")), "Ths is a tst of spelling.\nSecond line\n");
    uitest::writeFile(dir.filePath(QStringLiteral("inc.txt")), "<b>included</b>");
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x08", 24);
    uitest::writeFile(dir.filePath(QStringLiteral("pic.png")), png + QByteArray(40, '\0'));
}

const char* const kCorpus[] = {"utf8.html", "latin.html", "plain.txt", "inc.txt", "new1.html", "new2.htm"};

// Commands that leave the program (a browser) or wait for one.
bool leavesTheProgram(const QAction* a) {
    const QString n = a->objectName();
    return n.contains(QStringLiteral("Prev")) || n.startsWith(QStringLiteral("Browser")) ||
           n == QStringLiteral("Exit1") || n.contains(QStringLiteral("Help")) || a->menu() != nullptr;
}

class MonkeyPrompter : public Prompter {
public:
    MonkeyPrompter(std::mt19937_64& rng, QString dir) : rng_(rng), dir_(std::move(dir)) {}
    // Names of the documents whose unsaved text the user chose to drop (No
    // to saving it, Yes to reloading over it).
    QStringList dropped;
    // Whether the user chose to write over a file another program (or
    // another window) had changed: what that file held is given up.
    bool overwrote = false;
    // The questions of the current step and their answers, for reports.
    QStringList asked;

    int pick(int n) { return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(rng_)); }
    bool chance(int percent) { return pick(100) < percent; }
    QString corpusFile() { return QDir(dir_).filePath(QString::fromLatin1(kCorpus[pick(std::size(kCorpus))])); }
    QString randomText() {
        static const char* const kBits[] = {"a", "b ", "<p>", "</p>", "&amp;", "\xC3\xA9", "\xE2\x82\xAC",
                                            "\xE4\xB8\xAD", "12", " ", "\"", "x y", "<!--", "-->", "%",
                                            // What the completion lists and the closing of tags answer to.
                                            "<", "</", "<d", "&e", "<a ", "<input type=\"", ">", "<div>", "</div>"};
        QString t;
        for (int i = 0, n = 1 + pick(4); i < n; ++i) t += QString::fromUtf8(kBits[pick(std::size(kBits))]);
        return t;
    }

    Button ask(QWidget*, const Question& q) override {
        std::vector<Button> offered;
        for (Button b : {Ok, Yes, No, Cancel})
            if (q.buttons & b) offered.push_back(b);
        const Button b = offered[static_cast<std::size_t>(pick(static_cast<int>(offered.size())))];
        static const QString kSave = QStringLiteral("Save changes to "), kReload = QStringLiteral(" has been changed by another program. Reload it and lose your changes?");
        if (b == No && q.text.startsWith(kSave)) dropped << q.text.mid(kSave.size()).chopped(1);
        if (b == Yes && q.text.endsWith(kReload)) dropped << q.text.chopped(kReload.size());
        if (b == Yes && q.text.endsWith(QStringLiteral("Save over it?"))) overwrote = true;
        asked << q.text + QStringLiteral(" -> ") + QString::number(b);
        return b;
    }
    std::optional<QString> openFileName(QWidget*, const OpenRequest&) override {
        if (chance(20)) return std::nullopt;
        return corpusFile();
    }
    QStringList openFileNames(QWidget*, const OpenRequest&) override {
        QStringList out;
        for (int i = 0, n = pick(3); i < n; ++i) out << corpusFile();
        return out;
    }
    std::optional<SaveAnswer> saveFileName(QWidget*, const SaveRequest& r) override {
        if (chance(20)) return std::nullopt;
        // A project is saved as a project file, as the dialog's filter offers.
        if (r.title.contains(QStringLiteral("Project")))
            return SaveAnswer{QDir(dir_).filePath(QStringLiteral("site%1.vkp").arg(pick(3))), 1};
        // As the real dialog does, the name it starts with is taken in its
        // folder; choosing a file that is there is choosing to replace it.
        const QString name = chance(50) ? corpusFile() : QDir(dir_).filePath(QFileInfo(r.fileName).fileName());
        if (QFileInfo::exists(name)) overwrote = true;
        return SaveAnswer{name, r.filterIndex};
    }
    int run(QDialog& dialog) override {
        for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
            if (!e->isReadOnly() && e->isEnabled() && chance(40)) e->setText(chance(50) ? randomText() : QString::number(pick(300)));
        for (QCheckBox* c : dialog.findChildren<QCheckBox*>())
            if (c->isEnabled() && chance(30)) c->toggle();
        for (QRadioButton* r : dialog.findChildren<QRadioButton*>())
            if (r->isEnabled() && chance(20)) r->click();
        for (QComboBox* c : dialog.findChildren<QComboBox*>())
            if (c->isEnabled() && c->count() > 0 && chance(40)) c->setCurrentIndex(pick(c->count()));
        for (QSpinBox* s : dialog.findChildren<QSpinBox*>())
            if (s->isEnabled() && chance(40)) s->setValue(s->minimum() + pick(std::max(1, std::min(s->maximum() - s->minimum() + 1, 1000))));
        for (QPlainTextEdit* t : dialog.findChildren<QPlainTextEdit*>())
            if (!t->isReadOnly() && chance(30)) t->setPlainText(randomText());
        return chance(60) ? QDialog::Accepted : QDialog::Rejected;
    }
    int wait(QDialog& dialog) override {
        auto* spell = qobject_cast<TAddictSpellDialog*>(&dialog);
        if (!spell || chance(15)) return QDialog::Rejected;
        static const int kActions[] = {TAddictSpellDialog::Change, TAddictSpellDialog::Ignore,
                                       TAddictSpellDialog::IgnoreAll, TAddictSpellDialog::ChangeAll,
                                       TAddictSpellDialog::Undo, TAddictSpellDialog::Delete,
                                       TAddictSpellDialog::Suggest};
        if (chance(50)) spell->ReplaceWith->setText(randomText());
        spell->press(kActions[pick(std::size(kActions))]);
        return QDialog::Accepted;
    }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool pageSetup(QWidget*, QPrinter&) override { return false; }
    std::optional<QString> folder(QWidget*, const QString&, const QString&) override {
        if (chance(30)) return std::nullopt;
        return dir_;
    }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override {
        if (chance(30)) return std::nullopt;
        return randomText();
    }
    std::optional<tv::ColorValue> color(QWidget*, tv::ColorValue) override {
        if (chance(30)) return std::nullopt;
        return static_cast<tv::ColorValue>(pick(0x1000000));
    }

private:
    std::mt19937_64& rng_;
    QString dir_;
};

// What a document held before a step that may close it.
struct Before {
    QPointer<TMDIChild> window;
    QString name;
    std::string text;
    bool modified;
    tv::LineEnds lineEnds;
    tv::FileEncoding encoding;
    const TDocument* document;
};

} // namespace

class Monkey : public QObject {
    Q_OBJECT
private:
    std::mt19937_64 rng{gSeed};
    QTemporaryDir dir;
    std::unique_ptr<MonkeyPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    int step = 0;
    QString lastAction;
    QStringList history;  // the last few actions, for reports

    int pick(int n) { return prompts->pick(n); }
    bool chance(int percent) { return prompts->chance(percent); }
    QString where() const {
        return QStringLiteral("seed %1, step %2 (%3; asked: %4)").arg(gSeed).arg(step).arg(lastAction, prompts->asked.join(QStringLiteral(" | ")));
    }

    void startFrame() {
        frame = std::make_unique<TMainForm>(QStringList{}, dir.path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        // The file pane shows the corpus; a file it would give to the
        // desktop's program stays here.
        frame->diskPane()->setFolder(dir.path());
        frame->FilePanel->actions.shellOpen = [](const QString&) {};
#ifdef TAVIRON_PREVIEW
        frame->PreviewPanel->openOutside = [](const QUrl&) {};
#endif
    }
    TvokRich* editor() {
        TMDIChild* c = frame->activeDocument();
        return c ? c->view() : nullptr;
    }
    std::vector<Before> snapshot() {
        std::vector<Before> out;
        for (TMDIChild* c : frame->documents())
            out.push_back({c, QString::fromStdString(c->document().file.fileName), c->view()->Text(), c->view()->Modified(),
                           c->document().file.lineEnds, c->document().file.encoding, &c->document()});
        return out;
    }

    // A document that went away kept its text somewhere: on disk, or the
    // user chose to drop it, or it had nothing unsaved.
    void checkNothingLost(const std::vector<Before>& before, bool closeCancelled) {
        for (const Before& b : before) {
            TMDIChild* still = b.window;
            if (still && !still->property("closing").toBool() && still->isVisible()) {
                // (an unchanged document may be reloaded when its file changed,
                // also when it was saved on the way and another window then
                // wrote over that file by the user's choice)
                if (closeCancelled && b.modified && !prompts->overwrote &&
                    !prompts->dropped.contains(QFileInfo(b.name).fileName())) {
                    const std::string now = still->view()->Text();
                    std::size_t at = 0;
                    while (at < now.size() && at < b.text.size() && now[at] == b.text[at]) ++at;
                    const std::size_t from = at > 30 ? at - 30 : 0;
                    QVERIFY2(now == b.text,
                             qPrintable(where() + ": a cancelled close changed " + b.name + " at byte " + QString::number(at) +
                                        "\nbefore: " + QByteArray::fromStdString(b.text.substr(from, 80)).toHex(' ') +
                                        "\nafter:  " + QByteArray::fromStdString(now.substr(from, 80)).toHex(' ')));
                }
                continue;
            }
            if (!b.modified || prompts->dropped.contains(QFileInfo(b.name).fileName()))
                continue;
            // A window closed on a document that another window still shows.
            bool shown = false;
            for (TMDIChild* c : frame->documents())
                if (&c->document() == b.document && c->property("closing").toBool() == false) shown = true;
            if (shown) continue;
            // Saved under its own name, or under another one the user gave it.
            bool kept = false;
            for (const QString& f : QDir(dir.path()).entryList(QDir::Files)) {
                const QByteArray disk = uitest::readFile(dir.filePath(f));
                if (disk == QByteArray::fromStdString(tv::documentToFile(b.text, b.lineEnds, b.encoding))) kept = true;
            }
            if (!kept && !prompts->overwrote) {
                QString files;
                for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
                    files += "\n  " + f + ": " + uitest::readFile(dir.filePath(f)).left(60).toHex(' ');
                QFAIL(qPrintable(where() + ": the unsaved text of " + b.name + " is gone: " +
                                 QByteArray::fromStdString(tv::documentToFile(b.text, b.lineEnds, b.encoding)).left(60).toHex(' ') +
                                 files + "\nrecent: " + history.join(QStringLiteral(" / "))));
            }
        }
    }

    // After every step: the editor's text is valid UTF-8, and a document
    // marked unchanged holds exactly what its file holds.
    void checkInvariants() {
        for (TMDIChild* c : frame->documents()) {
            const std::string text = c->view()->Text();
            if (!tv::isValidUtf8(text)) {
                std::size_t bad = 0;
                while (bad < text.size() && tv::isValidUtf8(std::string_view(text).substr(0, bad + 1))) ++bad;
                const std::string around = text.substr(bad > 20 ? bad - 20 : 0, 40);
                QFAIL(qPrintable(where() + ": invalid UTF-8 in " + c->windowTitle() + " at " + QString::number(bad) +
                                 ": " + QByteArray::fromStdString(around).toHex(' ') + "\nrecent: " + history.join(QStringLiteral(" / "))));
            }
            // Every character can be written in the document's encoding.
            QVERIFY2(tv::fitsEncoding(text, c->document().file.encoding),
                     qPrintable(where() + ": " + c->windowTitle() + " holds characters its encoding cannot write\nrecent: " +
                                history.join(QStringLiteral(" / "))));
            // An undo step holds the colours shown (a snapshot reads back
            // only what changed since the last one; every few steps, so
            // that changes pile up between them).
            if (step % 5 == 0) {
                const tv::TUndo snap = c->view()->TakeSnapshot();
                QVERIFY2(snap.Styles.str() == c->view()->styles() && snap.Text.str() == c->view()->Text(),
                         qPrintable(where() + ": a snapshot of " + c->windowTitle() + " holds other text or colours than those shown"));
            }
            if (c->IsUntitled()) continue;
            const QString name = QString::fromStdString(c->document().file.fileName);
            if (!QFileInfo::exists(name)) continue;
            // Another window may have written the same file since.
            int sameFile = 0;
            for (TMDIChild* other : frame->documents())
                if (other->document().file.fileName == c->document().file.fileName) ++sameFile;
            if (sameFile > 1) continue;
            if (c->document().file.stamp != tv::fileStamp(c->document().file.fileName)) continue;  // changed outside, told on focus
            const QByteArray disk = uitest::readFile(name);
            const QByteArray expected = QByteArray::fromStdString(tv::documentToFile(text, c->document().file.lineEnds, c->document().file.encoding));
            // Marked modified exactly when the text differs from the file.
            if (!c->view()->Modified())
                QVERIFY2(disk == expected, qPrintable(where() + ": " + name + " is unchanged in the editor but differs from the disk\ndisk: " +
                                                      disk.left(80).toHex(' ') + "\neditor: " + expected.left(80).toHex(' ') +
                                                      "\nrecent: " + history.join(QStringLiteral(" / "))));
            else if (!c->document().markedUnsaved())
                QVERIFY2(disk != expected, qPrintable(where() + ": " + name + " is marked modified but holds what the disk holds"));
        }
    }

    void typeSomething() {
        TvokRich* e = editor();
        if (!e) return;
        e->setFocus();
        const QString typed = prompts->randomText();
        lastAction += QStringLiteral(" \"") + typed + QStringLiteral("\" at ") + QString::number(e->SelStart()) + QStringLiteral("+") + QString::number(e->SelLength());
        uitest::typeText(e, typed);
    }
    void pressKeys() {
        TvokRich* e = editor();
        if (!e) return;
        e->setFocus();
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> kKeys[] = {
            {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier},
            {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Up, Qt::NoModifier},
            {Qt::Key_Down, Qt::ShiftModifier},   {Qt::Key_Home, Qt::NoModifier},     {Qt::Key_End, Qt::ShiftModifier},
            {Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_End, Qt::ControlModifier}, {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
            {Qt::Key_X, Qt::ControlModifier},    {Qt::Key_C, Qt::ControlModifier},   {Qt::Key_V, Qt::ControlModifier},
            {Qt::Key_T, Qt::ControlModifier},    {Qt::Key_Tab, Qt::NoModifier},
            {Qt::Key_Escape, Qt::NoModifier},    {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_M, Qt::ControlModifier},    {Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier},
        };
        const auto& [key, mods] = kKeys[pick(std::size(kKeys))];
        lastAction += QStringLiteral(" ") + QKeySequence(key | mods).toString() + QStringLiteral(" at ") + QString::number(e->SelStart());
        for (int i = 0, n = 1 + pick(3); i < n; ++i) QTest::keyClick(e, key, mods);
    }
    void runCommand() {
        std::vector<QAction*> actions;
        for (QAction* a : frame->findChildren<QAction*>())
            if (a->isEnabled() && !a->objectName().isEmpty() && !leavesTheProgram(a)) actions.push_back(a);
        if (actions.empty()) return;
        QAction* a = actions[static_cast<std::size_t>(pick(static_cast<int>(actions.size())))];
        lastAction += QStringLiteral(" ") + a->objectName();
        a->trigger();
    }
    // Selects rows of the file pane's lists and runs one of their menus'
    // items, as a right click would.
    void usePane() {
#ifdef TAVIRON_PREVIEW
        // The preview: shown or hidden, refreshed with F5, clicked.
        if (chance(30)) {
            TPreviewPane* preview = frame->PreviewPanel;
            if (chance(30)) QTest::keyClick(frame.get(), Qt::Key_F12, Qt::ShiftModifier);
            auto* web = preview->findChild<QWebEngineView*>();
            if (web && web->isVisible()) {
                QWidget* target = web->focusProxy() ? web->focusProxy() : web;
                const QPoint at(pick(std::max(1, target->width())), pick(std::max(1, target->height())));
                if (chance(50)) QTest::mouseClick(target, Qt::LeftButton, {}, at);
                else QTest::keyClick(target, Qt::Key_F5);
                lastAction += QStringLiteral(" preview");
            }
            return;
        }
#endif
        TDiskPane* disk = frame->diskPane();
        TProjectPane* project = frame->projectPane();
        if (chance(20)) disk->setFolder(dir.path());
        if (chance(20)) disk->setFilterIndex(pick(disk->FilterBox->count()));
        for (QListWidget* list : {static_cast<QListWidget*>(disk->FileList), static_cast<QListWidget*>(project->ListBox1)})
            if (list->count() > 0 && chance(70)) list->setCurrentRow(pick(list->count()));
        std::vector<QTreeWidgetItem*> folders;
        for (QTreeWidgetItemIterator it(project->TreeView1); *it; ++it) folders.push_back(*it);
        if (!folders.empty() && chance(50)) project->TreeView1->setCurrentItem(folders[static_cast<std::size_t>(pick(static_cast<int>(folders.size())))]);
        disk->updatePopup();
        project->updatePopups();
        std::vector<QAction*> actions;
        for (QMenu* menu : {disk->FileListPopup, project->TreePopup, project->ProjListPopup})
            for (QAction* a : menu->actions())
                if (a->isEnabled() && !a->isSeparator()) actions.push_back(a);
        if (actions.empty()) return;
        QAction* a = actions[static_cast<std::size_t>(pick(static_cast<int>(actions.size())))];
        lastAction += QStringLiteral(" ") + a->objectName();
        a->trigger();
    }
    void switchWindow() {
        const auto docs = frame->documents();
        if (docs.empty()) return;
        TMDIChild* c = docs[static_cast<std::size_t>(pick(static_cast<int>(docs.size())))];
        if (auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget())) sub->mdiArea()->setActiveSubWindow(sub);
    }
    void closeWindow() {
        TMDIChild* c = frame->activeDocument();
        if (!c) return;
        const auto before = snapshot();
        QPointer<TMDIChild> window(c);
        qobject_cast<QMdiSubWindow*>(c->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkNothingLost(before, !window.isNull());
    }
    void handOver() {
        frame->receiveHandOver(chance(20) ? QString() : prompts->corpusFile());
    }
    void quit() {
        const auto before = snapshot();
        frame->close();
        QCoreApplication::processEvents();
        const bool closed = !frame->isVisible();
        checkNothingLost(before, !closed);
        if (!closed) return;
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        startFrame();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        qputenv("TAVIRON_HOME", dir.filePath(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toLocal8Bit());
        writeCorpus(QDir(dir.path()));
        prompts = std::make_unique<MonkeyPrompter>(rng, dir.path());
        setPrompter(prompts.get());
        startFrame();
    }
    void cleanupTestCase() {
        if (frame) uitest::discardFrame(frame);
        setPrompter(nullptr);
    }

    void randomActions() {
        qInfo("seed %llu, %d actions", static_cast<unsigned long long>(gSeed), gActions);
        QElapsedTimer clock;
        clock.start();
        for (step = 1; step <= gActions; ++step) {
            if (gSeconds > 0 && clock.elapsed() >= gSeconds * 1000LL) {
                // Straight to stderr: Qt Test stops printing messages after
                // its first 2000, and the offscreen platform's warnings fill them.
                std::fprintf(stderr, "stopped after %d of %d actions: the %d seconds are spent\n", step - 1, gActions,
                             gSeconds);
                return;
            }
            prompts->asked.clear();
            prompts->dropped.clear();
            prompts->overwrote = false;
#ifdef TAVIRON_PREVIEW
            // The preview's engine is slow under the sanitizers: shown for a
            // few steps at a time.
            if (frame->paneShown("PreviewPane") && chance(25)) frame->showPane("PreviewPane", false);
#endif
            const int roll = pick(100);
            if (roll < 25) { lastAction = QStringLiteral("type"); typeSomething(); }
            else if (roll < 45) { lastAction = QStringLiteral("keys"); pressKeys(); }
            else if (roll < 67) { lastAction = QStringLiteral("command"); runCommand(); }
            else if (roll < 71) { lastAction = QStringLiteral("pane"); usePane(); }
            else if (roll < 78) { lastAction = QStringLiteral("switch"); switchWindow(); }
            else if (roll < 85) { lastAction = QStringLiteral("close"); closeWindow(); }
            else if (roll < 92) { lastAction = QStringLiteral("open"); frame->openNamed(prompts->corpusFile()); }
            else if (roll < 97) { lastAction = QStringLiteral("hand over"); handOver(); }
            else { lastAction = QStringLiteral("quit"); quit(); }
            history << lastAction;
            if (history.size() > 12) history.removeFirst();
            if (QTest::currentTestFailed()) return;
            QCoreApplication::processEvents();
            checkInvariants();
            if (QTest::currentTestFailed()) return;
            if (!frame) QFAIL(qPrintable(where() + ": no frame"));
        }
    }
};

int main(int argc, char** argv) {
    // --seed, --actions and --seconds are the exerciser's own; the rest go to Qt Test.
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--seed" || a == "--actions" || a == "--seconds") && i + 1 < argc) {
            if (a == "--seed") gSeed = std::stoull(argv[++i]);
            else if (a == "--actions") gActions = std::stoi(argv[++i]);
            else gSeconds = std::stoi(argv[++i]);
            continue;
        }
        rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    QApplication app(restCount, rest.data());
    Monkey monkey;
    return QTest::qExec(&monkey, restCount, rest.data());
}

#include "ui_monkey.moc"
