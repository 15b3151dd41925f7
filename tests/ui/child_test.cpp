// One document window with nothing of the program around it but a small
// host: undo steps while typing, colouring marks, the context menu's edit
// commands, the title and the close question.
#include "window/documenthost.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    void checkPage() override {}
    void bringForward() override {}
};
} // namespace

class ChildTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    QTemporaryDir dir;
    FakeHost host;
    std::unique_ptr<TMDIChild> doc;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }

    // A window on its own, showing the text.
    void open(const QByteArray& content) {
        doc = std::make_unique<TMDIChild>(host);
        doc->resize(500, 300);
        doc->show();
        QVERIFY(QTest::qWaitForWindowExposed(doc.get()));
        doc->showText(content.toStdString());
        ed()->setFocus();
    }
    // An item of the editor's context menu, chosen as after a right click.
    void choose(QAction* item) {
        emit doc->PopupMenu1->aboutToShow();
        QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        item->trigger();
    }

private slots:
    void init() {
        prompts = std::make_unique<TestPrompter>();
        host.options = tv::Settings{};
        host.repeat = {};
        host.saved.clear();
        open("");
    }
    void cleanup() {
        doc.reset();
        prompts.reset();
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
        choose(doc->Undo2);
        QVERIFY(ed()->CanRedo());
        QTest::keyClicks(ed(), "x");
        QVERIFY(!ed()->CanRedo());
        QCOMPARE(text(), QByteArray("abcx"));
        choose(doc->Undo2);
        QCOMPARE(text(), QByteArray("abc"));
    }

    void tenSnapshotsAtMost() {
        for (int i = 0; i < 12; ++i) QTest::keyClicks(ed(), " w");
        QCOMPARE(static_cast<int>(ed()->document().snapshots().undoList().size()), 10);
        int undone = 0;
        while (ed()->CanUndo()) {
            choose(doc->Undo2);
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
        choose(doc->Undo2);
        QVERIFY(!doc->ColorPending);
    }

    void cutFromContextMenuRecordsStepAndUndoKeepsColours() {
        ed()->SetText("red text");
        ed()->SetSel(0, 3);
        ed()->SetSelColor(9);
        choose(doc->Cut2);
        QCOMPARE(text(), QByteArray(" text"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("red"));
        choose(doc->Undo2);
        QCOMPARE(text(), QByteArray("red text"));
        QCOMPARE(ed()->ColorAt(0), 9);
        QCOMPARE(ed()->ColorAt(3), 0);
    }

    void pasteReplacesSelectionAndStopsAtTheLimit() {
        QApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
        ed()->SetText("[xx]");
        ed()->SetSel(1, 2);
        choose(doc->Paste2);
        QCOMPARE(text(), QByteArray("[one\r\ntwo]"));
        QCOMPARE(ed()->SelStart(), 9);
        ed()->SetTextLimit(12);
        choose(doc->Paste2);
        QCOMPARE(ed()->Length(), 12);
        QCOMPARE(text(), QByteArray("[one\r\ntwoon]"));
    }

    void aWindowNeedsOnlyItsHost() {
        host.options.colorCode = true;
        doc->SetFileName(dir.filePath(QStringLiteral("alone.html")));
        QSignalSpy changes(doc.get(), &TMDIChild::stateChanged);
        QTest::keyClicks(ed(), "a <b>x");
        QCoreApplication::processEvents();
        QVERIFY(changes.count() > 0);
        QCOMPARE(doc->caption(), QStringLiteral("alone.html"));
        // Tag commands keep their pair with the host, for Repeat Tag.
        ed()->SetSel(0, 1);
        doc->TagCommandClick(*tv::tagCommand("Bold1"));
        QCOMPARE(host.repeat.start, std::string("<B>"));
        QCOMPARE(text(), QByteArray("<B>a</B> <b>x"));
        QVERIFY(ed()->ColorAt(0) != ed()->ColorAt(3));  // the tag is coloured
        // Closing a modified window asks, and Yes saves through the host.
        prompts->answers.push_back(Prompter::Yes);
        QVERIFY(doc->close());
        QCOMPARE(host.saved.size(), std::size_t(1));
        QCOMPARE(host.saved[0], doc.get());
    }

    void undoBringsBackTheColoursOfEachStep() {
        host.options.colorCode = true;
        // Snapshots share pieces of 64 KB: the edits happen between pieces
        // that are taken over.
        QByteArray filler;
        while (filler.size() < 200000) filler += "<TR><TD>cell <A HREF=\"a\">link</A></TD></TR>\r\n<!-- note -->\r\n";
        open("<HTML><BODY>\r\n" + filler + "<P>first <A HREF=\"x\">link</A> text</P>\r\n" + filler + "</BODY></HTML>");
        ed()->SetSel(ed()->LineStart(ed()->LineOfPosition(filler.size() + 20)) + 3, 0);
        ed()->document().setUndoLimit(100);  // every step stays, so a new one shows as a longer list
        int taken = 0;
        auto press = [&](auto&& click) {
            const std::string before = ed()->Text();
            const std::string colours = ed()->styles();
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
            choose(doc->Undo2);
            QCoreApplication::processEvents();
            QCOMPARE(ed()->Text(), step.Text.str());
            QCOMPARE(ed()->styles(), step.Styles.str());
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
};

QTEST_MAIN(ChildTest)
#include "child_test.moc"
