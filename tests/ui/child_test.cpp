// The document window inside the frame: undo steps while typing, colouring
// marks, the edit commands, the status bar and the title.
#include "app/mainform.h"
#include "window/documenthost.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using uitest::typeText;

namespace {
// All a document window needs of the program around it.
class FakeHost : public DocumentHost {
public:
    tv::Settings options;
    tv::PendingTexts repeat;
    std::vector<TMDIChild*> saved;
    bool saveSucceeds = true;
    const tv::Settings& settings() const override { return options; }
    tv::Settings& mutableSettings() override { return options; }
    tv::MacroContext macroContext() const override { return {}; }
    tv::PendingTexts& repeatTags() override { return repeat; }
    Tsearchbox* searchBox() override { return nullptr; }
    QString ownerName() const override { return QStringLiteral("Ann"); }
    QString openDialogFolder() const override { return {}; }
    void rememberDialogFolder(const QString&) override {}
    bool otherViewStays(const TMDIChild*) const override { return false; }
    bool wordWrapChecked() const override { return false; }
    bool saveDocument(TMDIChild* child, bool) override {
        saved.push_back(child);
        return saveSucceeds;
    }
    void checkSpelling() override {}
    void bringForward() override {}
};
} // namespace

class ChildTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    QTemporaryDir dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }

    TMDIChild* open(const QByteArray& content) {
        static int n = 0;
        const QString path = dir.filePath(QStringLiteral("doc%1.html").arg(n++));
        uitest::writeFile(path, content);
        return frame->OpenDocument(path);
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit()); }
    void init() {
        prompts = std::make_unique<TestPrompter>();
        frame = std::make_unique<TMainForm>(QStringList{}, dir.path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = open("");
        QVERIFY(doc);
        ed()->setFocus();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void typingMakesOneUndoStepPerWord() {
        QTest::keyClicks(ed(), "abc def");
        QCOMPARE(text(), QByteArray("abc def"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray(""));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc def"));
    }

    void stepBoundaries_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("steps");
        QTest::newRow("letters, digits, punctuation to ';'") << "ab1,.;:" << 1;
        QTest::newRow("each blank starts a step") << "a b c" << 3;
        QTest::newRow("Tab and Enter start steps") << "a\tb\rc" << 3;
        QTest::newRow("tag brackets and '=' start steps") << "<a=b>" << 3;
        QTest::newRow("characters above 127 start steps") << QString::fromUtf8("\xC3\xA9\xC3\xA9") << 2;
    }
    void stepBoundaries() {
        QFETCH(QString, typed);
        QFETCH(int, steps);
        ed()->document().setUndoLimit(50);
        typeText(ed(), typed);
        QCOMPARE(static_cast<int>(ed()->document().snapshots().undoList().size()), steps);
    }

    void typingAfterUndoStartsAStepAndEmptiesRedo() {
        QTest::keyClicks(ed(), "abc def");
        frame->UndoBtn->trigger();
        QVERIFY(ed()->CanRedo());
        QTest::keyClicks(ed(), "x");
        QVERIFY(!ed()->CanRedo());
        QCOMPARE(text(), QByteArray("abcx"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc"));
    }

    void tenSnapshotsAtMost() {
        for (int i = 0; i < 12; ++i) QTest::keyClicks(ed(), " w");
        QCOMPARE(static_cast<int>(ed()->document().snapshots().undoList().size()), 10);
        int undone = 0;
        while (ed()->CanUndo()) {
            frame->UndoBtn->trigger();
            ++undone;
        }
        QCOMPARE(undone, 10);
        QCOMPARE(text(), QByteArray(" w w"));
    }

    void deleteKeys_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("step");
        QTest::addColumn<bool>("colorPending");
        QTest::newRow("delete a selection holding '>'") << QByteArray("<b>x") << 0 << 3 << int(Qt::Key_Delete) << true << true;
        QTest::newRow("backspace over a letter continues") << QByteArray("abc") << 3 << 0 << int(Qt::Key_Backspace) << false << false;
        QTest::newRow("backspace over a blank continues") << QByteArray("ab ") << 3 << 0 << int(Qt::Key_Backspace) << false << false;
        QTest::newRow("delete of '<' starts a step") << QByteArray("a<b") << 1 << 0 << int(Qt::Key_Delete) << true << true;
        QTest::newRow("arrow over a selection with '>'") << QByteArray("<b>x") << 0 << 3 << int(Qt::Key_Right) << false << true;
        QTest::newRow("delete at the end removes nothing") << QByteArray("ab") << 2 << 0 << int(Qt::Key_Delete) << false << false;
    }
    void deleteKeys() {
        QFETCH(QByteArray, start);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(int, key);
        QFETCH(bool, step);
        QFETCH(bool, colorPending);
        ed()->SetText(start.toStdString());
        ed()->SaveUndo();  // there is a step already: letters would continue it
        const auto before = ed()->document().snapshots().undoList().size();
        ed()->SetSel(selStart, selLength);
        QTest::keyClick(ed(), static_cast<Qt::Key>(key));
        QCOMPARE(ed()->document().snapshots().undoList().size() > before, step);
        QCOMPARE(doc->ColorPending, colorPending);
    }

    void undoClearsColorPending() {
        typeText(ed(), "<b");
        QVERIFY(doc->ColorPending);
        frame->UndoBtn->trigger();
        QVERIFY(!doc->ColorPending);
    }

    void cutFromContextMenuRecordsStepAndUndoKeepsColours() {
        ed()->SetText("red text");
        ed()->SetSel(0, 3);
        ed()->SetSelColor(9);
        doc->Cut2->trigger();
        QCOMPARE(text(), QByteArray(" text"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("red"));
        QVERIFY(frame->PasteBtn->isEnabled());
        doc->Undo2->trigger();
        QCOMPARE(text(), QByteArray("red text"));
        QCOMPARE(ed()->ColorAt(0), 9);
        QCOMPARE(ed()->ColorAt(3), 0);
    }

    void pasteReplacesSelectionAndStopsAtTheLimit() {
        QApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
        ed()->SetText("[xx]");
        ed()->SetSel(1, 2);
        frame->PasteBtn->trigger();
        QCOMPARE(text(), QByteArray("[one\r\ntwo]"));
        QCOMPARE(ed()->SelStart(), 9);
        ed()->SetTextLimit(12);
        frame->PasteBtn->trigger();
        QCOMPARE(ed()->Length(), 12);
        QCOMPARE(text(), QByteArray("[one\r\ntwoon]"));
    }

    void statusBarShowsLineAndColumnFromZero() {
        QCOMPARE(frame->statusPanel(0), QStringLiteral("0: 0"));
        QTest::keyClicks(ed(), "ab");
        QTest::keyClick(ed(), Qt::Key_Return);
        QTest::keyClicks(ed(), "c");
        QCOMPARE(frame->statusPanel(0), QStringLiteral("1: 1"));
        QTest::keyClick(ed(), Qt::Key_Up);
        QCOMPARE(frame->statusPanel(0), QStringLiteral("0: 1"));
    }

    void buttonsFollowTheEditor() {
        QVERIFY(!frame->SaveBtn->isEnabled());
        QVERIFY(!frame->UndoBtn->isEnabled());
        QTest::keyClicks(ed(), "hello");
        QVERIFY(frame->SaveBtn->isEnabled());
        QVERIFY(frame->UndoBtn->isEnabled());
        QVERIFY(!frame->CutBtn->isEnabled());
        QTest::keyClick(ed(), Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(frame->CutBtn->isEnabled());
        QVERIFY(frame->CopyBtn->isEnabled());
    }

    void aWindowNeedsOnlyItsHost() {
        FakeHost host;
        host.options.colorCode = true;
        auto window = std::make_unique<TMDIChild>(host);
        window->SetFileName(dir.filePath(QStringLiteral("alone.html")));
        window->resize(400, 300);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TvokRich* e = window->view();
        e->setFocus();
        QSignalSpy changes(window.get(), &TMDIChild::stateChanged);
        QTest::keyClicks(e, "a <b>x");
        QCoreApplication::processEvents();
        QVERIFY(changes.count() > 0);
        QCOMPARE(window->caption(), QStringLiteral("alone.html"));
        // Tag commands keep their pair with the host, for Repeat Tag.
        e->SetSel(0, 1);
        window->TagCommandClick(*tv::tagCommand("Bold1"));
        QCOMPARE(host.repeat.start, std::string("<B>"));
        QCOMPARE(QByteArray::fromStdString(e->Text()), QByteArray("<B>a</B> <b>x"));
        QVERIFY(e->ColorAt(0) != e->ColorAt(3));  // the tag is coloured
        // Closing a modified window asks, and Yes saves through the host.
        prompts->answers.push_back(Prompter::Yes);
        QVERIFY(window->close());
        QCOMPARE(host.saved.size(), std::size_t(1));
        QCOMPARE(host.saved[0], window.get());
    }

    // A snapshot reads back only the colours that changed since the last
    // one: each must hold the colours shown when it was taken, and each
    // step undone brings them back.
    void undoBringsBackTheColoursOfEachStep() {
        frame->mutableSettings().colorCode = true;
        // Snapshots share pieces of 64 KB: the edits happen between pieces
        // that are taken over.
        QByteArray filler;
        while (filler.size() < 200000) filler += "<TR><TD>cell <A HREF=\"a\">link</A></TD></TR>\r\n<!-- note -->\r\n";
        doc = open("<HTML><BODY>\r\n" + filler + "<P>first <A HREF=\"x\">link</A> text</P>\r\n" + filler + "</BODY></HTML>");
        ed()->setFocus();
        ed()->SetSel(ed()->LineStart(ed()->LineOfPosition(filler.size() + 20)) + 3, 0);
        ed()->document().setUndoLimit(100);  // every step stays, so a new one shows as a longer list
        int taken = 0;
        auto press = [&](auto&& click) {
            const std::string before = ed()->Text();
            const std::string colours = ed()->Styles();
            const std::size_t steps = ed()->document().snapshots().undoList().size();
            click();
            QCoreApplication::processEvents();
            const auto& list = ed()->document().snapshots().undoList();
            if (list.size() > steps) {  // taken as the key went down, before it acted
                QCOMPARE(list.back().Text.str(), before);
                QCOMPARE(list.back().Styles.str(), colours);
                ++taken;
            }
        };
        auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { press([&] { QTest::keyClick(ed(), k, m); }); };
        auto type = [&](const QString& s) {
            for (QChar c : s) press([&] { QTest::keyClicks(ed(), QString(c)); });
        };
        type(QStringLiteral("new <B>bold</B> "));
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        key(Qt::Key_End);
        key(Qt::Key_Return);
        key(Qt::Key_Home, Qt::ShiftModifier);
        key(Qt::Key_Up, Qt::ShiftModifier);  // a selection over a line end
        type(QStringLiteral("<I>x</I> "));
        // Backspace changes the text before the caret: here, the piece before.
        ed()->SetSel(static_cast<int>(tv::SharedText::kPiece), 0);
        key(Qt::Key_Backspace);
        type(QStringLiteral(" "));
        ed()->SetSel(0, 6);
        ed()->SetSelColor(9);  // a colour chosen by hand
        ed()->SetSel(ed()->Length(), 0);
        key(Qt::Key_Delete);
        type(QStringLiteral(" end x "));
        QVERIFY(taken >= 6);
        // Undo walks back through the steps with the colours they had.
        while (ed()->CanUndo()) {
            const tv::TUndo step = ed()->document().snapshots().undoList().back();
            QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
            QCoreApplication::processEvents();
            QCOMPARE(ed()->Text(), step.Text.str());
            QCOMPARE(ed()->Styles(), step.Styles.str());
        }
    }

    void aPlaceInsideACharacterNeverSplitsIt() {
        // A place kept from another text (a reload, an undo, a count in
        // bytes) may fall inside a character of the UTF-8 text.
        ed()->SetText("a\xE4\xB8\xAD" "b");  // a, U+4E2D, b
        ed()->SetSel(2, 0);
        QCOMPARE(ed()->SelStart(), 1);  // a caret goes before the character
        QCOMPARE(ed()->SelLength(), 0);
        QTest::keyClicks(ed(), "x");
        QCOMPARE(text(), QByteArray("ax\xE4\xB8\xAD" "b"));
        ed()->SetSel(3, 1);  // a selection takes the whole character
        QCOMPARE(ed()->SelStart(), 2);
        QCOMPARE(ed()->SelLength(), 3);
        QTest::keyClicks(ed(), "y");
        QCOMPARE(text(), QByteArray("axyb"));
    }

    void theModifiedMarkFollowsTheText() {
        ed()->SetModified(false);  // a save point: the text as it is
        const QByteArray saved = text();
        QTest::keyClicks(ed(), "x");
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        QTest::keyClick(ed(), Qt::Key_Backspace);  // typed and taken back
        QCoreApplication::processEvents();
        QCOMPARE(text(), saved);
        QVERIFY(!ed()->Modified());
        QTest::keyClicks(ed(), "ab ");
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        for (int i = 0; i < 5 && text() != saved; ++i) QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(text(), saved);
        QVERIFY(!ed()->Modified());  // undone back to the saved text
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        // Enter over a selection as long as a line end changes the text
        // without changing its length.
        ed()->SetText("<M rest");
        ed()->SetModified(false);
        ed()->SetSel(0, 2);
        QTest::keyClick(ed(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(text(), QByteArray("\r\n rest"));
        QVERIFY(ed()->Modified());
        // A mark set on purpose (a deleted file, another encoding) holds.
        ed()->SetModified(true);
        QTest::keyClicks(ed(), "y");
        QTest::keyClick(ed(), Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
    }

    void lineNumbersShowInEveryWindowAndAreKept() {
        QCOMPARE(ed()->marginWidth(0), 0);
        TMDIChild* second = open("two");
        frame->LineNumbers1->trigger();
        QVERIFY(ed()->marginWidth(0) > 0);
        QVERIFY(second->view()->marginWidth(0) > 0);
        QCOMPARE(ed()->marginType(0), QsciScintilla::NumberMargin);
        QVERIFY(frame->settings().lineNumbers);
        TMDIChild* third = open("three");
        QVERIFY(third->view()->marginWidth(0) > 0);
        frame->LineNumbers1->trigger();
        QCOMPARE(third->view()->marginWidth(0), 0);
    }

    void theTextLimitSaysWhyNothingHappens() {
        ed()->SetTextLimit(5);
        QTest::keyClicks(ed(), "abcdef");
        QCOMPARE(text(), QByteArray("abcde"));
        QCOMPARE(frame->statusPanel(1), QStringLiteral(" The document has reached its limit of 5 characters."));
    }

    void theTagToolBarsHoldTheirButtons() {
        QToolBar* elements = frame->findChild<QToolBar*>(QStringLiteral("ElementTbar"));
        QVERIFY(elements->actions().contains(frame->command("Marquee1")));
        QVERIFY(elements->actions().contains(frame->command("JavaScript1")));
        QVERIFY(frame->HeaderMenu->actions().last()->text() == QStringLiteral("&Options..."));
        frame->HeaderMenu->actions().last()->trigger();
        QCOMPARE(prompts->dialogsRun.size(), 1);
    }

    void editMenuEnabling() {
        auto inBar = [this](const char* name) {
            return frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QString::fromLatin1(name))->menuAction());
        };
        QVERIFY(inBar("Edit1"));
        QVERIFY(!inBar("FrameEdit1"));
        // Every menu of the bar has a letter of its own.
        QStringList letters;
        for (QAction* a : frame->menuBar()->actions()) {
            const QString t = a->text();
            const auto at = t.indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0, qPrintable(t));
            const QString letter = t.mid(at + 1, 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(t));
            letters << letter;
        }
        QVERIFY(!frame->command("Redo1")->isEnabled());
        QTest::keyClicks(ed(), "ab");
        frame->UndoBtn->trigger();
        // Redo's state follows the undo lists at once, so its short cut works.
        QVERIFY(frame->command("Redo1")->isEnabled());
        emit doc->PopupMenu1->aboutToShow();
        QVERIFY(!doc->Cut2->isEnabled());
        QVERIFY(!doc->Undo2->isEnabled());
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("ab"));
        doc->SelectAll2->trigger();
        emit doc->PopupMenu1->aboutToShow();
        QVERIFY(doc->Cut2->isEnabled() == (ed()->Length() > 0));
    }

    void titleIsFoundInAnyCase_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case") << QByteArray("<TITLE>Home</TITLE>") << "Home";
        QTest::newRow("mixed case and entities") << QByteArray("<html><TiTlE>Caf&eacute; &amp; Bar</tItLe>") << QString::fromUtf8("Caf\xC3\xA9 & Bar");
        QTest::newRow("no end") << QByteArray("<title>Home") << "";
        QTest::newRow("no start") << QByteArray("Home</title>") << "";
        QTest::newRow("end before start") << QByteArray("</title>x<title>") << "";
    }
    void titleIsFoundInAnyCase() {
        QFETCH(QByteArray, content);
        QFETCH(QString, title);
        ed()->SetText(content.toStdString());
        QCOMPARE(QString::fromStdString(ed()->Hint()), title);
    }

    void shortcutsReachTheActiveDocumentOnly() {
        TMDIChild* first = doc;
        TMDIChild* second = open("");
        QVERIFY(second && second != first);
        second->view()->setFocus();
        QTest::keyClicks(second->view(), "x y");
        QTest::keySequence(second->view(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(QByteArray::fromStdString(second->view()->Text()), QByteArray("x"));
        QCOMPARE(QByteArray::fromStdString(first->view()->Text()), QByteArray(""));
        // Without a document the frame's own Edit menu comes back and the
        // document commands do nothing.
        first->view()->SetModified(false);
        second->view()->SetModified(false);
        frame->mdiArea()->closeAllSubWindows();
        QVERIFY(!frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QStringLiteral("Edit1"))->menuAction()));
        QVERIFY(frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QStringLiteral("FrameEdit1"))->menuAction()));
        frame->command("Bold1")->trigger();
    }
};

QTEST_MAIN(ChildTest)
#include "child_test.moc"
