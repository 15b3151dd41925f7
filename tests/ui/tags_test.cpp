// Colouring, tag commands, find and replace and go to line, driven through
// the document window and the frame as a user drives them.
#include "app/mainform.h"
#include "window/gotobox.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "tools/searchbox.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using uitest::typeText;
using uitest::writeFile;

namespace {
constexpr int kFont = 0, kTag = 6, kAnchor = 9, kImage = 2, kComment = 7;
}

class TagsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }
    // The colour of each character, as palette indexes.
    std::vector<int> colors() {
        std::vector<int> out;
        for (int i = 0; i < ed()->Length(); ++i) out.push_back(ed()->ColorAt(i));
        return out;
    }
    void start(const QByteArray& content, bool colorCode = true) {
        QDir().mkpath(dir->filePath(QStringLiteral("config/Taviron")));
        writeFile(dir->filePath(QStringLiteral("config/Taviron/Taviron.conf")),
                  colorCode ? "[Settings]\nColorCode=1\n" : "[Settings]\nColorCode=0\n");
        writeFile(dir->filePath(QStringLiteral("page.html")), content);
        frame = std::make_unique<TMainForm>(QStringList{QStringLiteral("page.html")}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = frame->activeDocument();
        QVERIFY(doc);
        ed()->setFocus();
    }
    void key(const QKeySequence& k) { QTest::keySequence(ed(), k); }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void loadingColoursEveryKind() {
        start("<P>x <A HREF=\"a.html\">y</A> <IMG SRC=\"i.gif\"> <!-- c --> z");
        const std::string t = ed()->Text();
        auto at = [&](const char* s) { return static_cast<int>(t.find(s)); };
        QCOMPARE(ed()->ColorAt(0), kTag);
        QCOMPARE(ed()->ColorAt(at("x")), kFont);
        QCOMPARE(ed()->ColorAt(at("<A ")), kAnchor);
        QCOMPARE(ed()->ColorAt(at("</A>") + 3), kAnchor);
        QCOMPARE(ed()->ColorAt(at("<IMG")), kImage);
        QCOMPARE(ed()->ColorAt(at("<!--") + 6), kComment);
        QCOMPARE(ed()->ColorAt(at(" z") + 1), kFont);
        QVERIFY(!ed()->Modified());
    }

    void colouringOffGivesTheFontColourOnly() {
        start("<P>x</P>", false);
        for (int c : colors()) QCOMPARE(c, kFont);
        ed()->SetSel(1, 0);
        key(QKeySequence(Qt::CTRL | Qt::Key_B));
        for (int c : colors()) QCOMPARE(c, kFont);
    }

    void typingATagColoursItAndTheTextAfter() {
        start("abc <I>x</I>");
        ed()->SetSelStart(3);
        typeText(ed(), QStringLiteral("<b>"));
        QCOMPARE(text(), QByteArray("abc<b> <I>x</I>"));
        const std::vector<int> expected = {kFont, kFont, kFont, kTag, kTag, kTag, kFont, kTag, kTag, kTag,
                                           kFont, kTag,  kTag,  kTag, kTag};
        QCOMPARE(colors(), expected);
        // Inside a tag, typing keeps the tag's colour; after it, the font colour.
        ed()->SetSelStart(5);
        typeText(ed(), QStringLiteral("r"));
        QCOMPARE(ed()->ColorAt(5), kTag);
        ed()->SetSelStart(ed()->Length());
        typeText(ed(), QStringLiteral("z"));
        QCOMPARE(ed()->ColorAt(ed()->Length() - 1), kFont);
    }

    void boldWrapsTheSelectionAndKeepsItSelected() {
        start("one word here");
        ed()->SetSel(4, 4);
        key(QKeySequence(Qt::CTRL | Qt::Key_B));
        QCOMPARE(text(), QByteArray("one <B>word</B> here"));
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("word"));
        QCOMPARE(ed()->ColorAt(4), kTag);
        QCOMPARE(ed()->ColorAt(7), kFont);
        QVERIFY(frame->RedoBtn->isEnabled());
        // Ctrl+T repeats it at the caret; each insertion is one undo step.
        ed()->SetSelStart(0);
        key(QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(text(), QByteArray("<B></B>one <B>word</B> here"));
        QCOMPARE(ed()->SelStart(), 3);
        ed()->Undo();
        QCOMPARE(text(), QByteArray("one <B>word</B> here"));
        QCOMPARE(ed()->ColorAt(4), kTag);
        ed()->Undo();
        QCOMPARE(text(), QByteArray("one word here"));
        QCOMPARE(ed()->ColorAt(4), kFont);
    }

    void emptySelectionPutsTheCaretBetween() {
        start("");
        key(QKeySequence(Qt::CTRL | Qt::Key_B));
        QCOMPARE(text(), QByteArray("<B></B>"));
        QCOMPARE(ed()->SelStart(), 3);
    }

    void repeatTagDoesNothingWhileBothTextsAreEmpty() {
        start("x");
        QVERIFY(!frame->RedoBtn->isEnabled());
        QVERIFY(!frame->command("RepeatTag1")->isEnabled());
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(text(), QByteArray("x"));
    }

    void listTagsEachLine() {
        start("one\r\ntwo\r\n");
        ed()->SetSel(0, ed()->Length());
        key(QKeySequence(Qt::CTRL | Qt::Key_U));
        QCOMPARE(text(), QByteArray("<UL>\r\n<LI>one\r\n<LI>two\r\n</UL>\r\n"));
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("<LI>one\r\n<LI>two\r\n"));
    }

    void orderedListUsesTheSetting() {
        start("a\r\n");
        const_cast<tv::Settings&>(frame->settings()).ol = "<OL TYPE=i>";
        ed()->SetSel(0, ed()->Length());
        frame->command("OrderedList1")->trigger();
        QCOMPARE(text(), QByteArray("<OL TYPE=i>\r\n<LI>a\r\n</OL>\r\n"));
    }

    void paragraphAndLineBreakRules() {
        start("a\r\n\r\nb\r\nc\r\n");
        key(QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(text(), QByteArray("<P>a\r\n\r\nb\r\nc\r\n"));
        ed()->SetSel(3, ed()->Length() - 3);
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
        QCOMPARE(text(), QByteArray("<P>a<BR>\r\n\r\nb<BR>\r\nc<BR>\r\n"));
        QCOMPARE(ed()->SelLength(), ed()->Length() - 3);
        // Repeat Tag afterwards inserts "<BR>" before the selection.
        ed()->SetSel(0, 3);
        key(QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(text().left(7), QByteArray("<BR><P>"));
    }

    void commentTurnsBracketsIntoGuillemets() {
        start("x <B>y</B> z");
        ed()->SetSel(2, 8);
        frame->command("Comment1")->trigger();
        QCOMPARE(text(), QByteArray("x <!-- «B»y«/B» --> z"));  // whole characters, not Latin-1 bytes
        QCOMPARE(ed()->SelStart(), 7);
        QCOMPARE(ed()->SelLength(), 12);
        QCOMPARE(ed()->ColorAt(2), kComment);
        QCOMPARE(ed()->ColorAt(ed()->Length() - 1), kFont);
    }

    void colorCodeUnderTheCaretIsReplaced() {
        start("<BODY BGCOLOR=\"#FF0000\">");
        ed()->SetSelStart(18);
        prompts->colors.push_back(0x00FF00);  // green
        frame->command("Color1")->trigger();
        QCOMPARE(prompts->colorStarts.front(), tv::ColorValue(0x0000FF));  // red, read from the code
        QCOMPARE(text(), QByteArray("<BODY BGCOLOR=\"#00FF00\">"));
        // Elsewhere a new code goes in at the caret; a cancelled dialog changes nothing.
        ed()->SetSelStart(0);
        frame->command("Color1")->trigger();
        QCOMPARE(prompts->colorStarts.back(), tv::ColorValue(0));
        QCOMPARE(text(), QByteArray("<BODY BGCOLOR=\"#00FF00\">"));
    }

    void tagButtonsAndHeaderDropDownForward() {
        start("t");
        ed()->SetSel(0, 1);
        frame->command("Italic1")->trigger();
        QCOMPARE(text(), QByteArray("<I>t</I>"));
        ed()->SetSel(3, 1);
        frame->HeaderMenu->actions().at(2)->trigger();
        QCOMPARE(text(), QByteArray("<I><H3>t</H3></I>"));
        QCOMPARE(frame->HeaderMenu->actions().at(2)->text(), QStringLiteral("Level &3"));
        QVERIFY(frame->toolBars[5]->isVisible());
        QCOMPARE(frame->command("Bold1")->toolTip(), QStringLiteral("Bold"));
        QVERIFY(!frame->command("Bold1")->icon().isNull());
        // A high-density screen gets a picture drawn at its own ratio, not a
        // 24-pixel one blown up: at ratio 2 the label's strokes cover pixels
        // that the 1x picture scaled up would leave half-tone.
        const QPixmap sharp = frame->command("Bold1")->icon().pixmap(QSize(24, 24), 2.0);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.size(), QSize(48, 48));
        const QImage drawn = sharp.toImage();
        const QImage blown = frame->command("Bold1")->icon().pixmap(QSize(24, 24), 1.0).toImage()
                                 .scaled(48, 48, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QVERIFY(drawn != blown);
    }

    void findNextAndReplace() {
        start("Word word WORD");
        Tsearchbox* box = frame->searchBox();
        box->find->setPlainText(QStringLiteral("word"));
        ed()->SetSel(1, 0);  // inside the first match: the next one is found
        key(QKeySequence(Qt::Key_F3));
        QCOMPARE(ed()->SelStart(), 5);
        QCOMPARE(ed()->SelLength(), 4);
        box->replace->setPlainText(QStringLiteral("X"));
        key(QKeySequence(Qt::Key_F4));  // the selection matches: replaced, then the next found
        QCOMPARE(text(), QByteArray("Word X WORD"));
        QCOMPARE(ed()->SelStart(), 7);
        key(QKeySequence(Qt::Key_F3));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text, QStringLiteral("Reached the end of the file."));
        QVERIFY(prompts->questions[0].icon == Prompter::Icon::Information);
        QCOMPARE(ed()->SelStart(), 7);  // the selection stays
        box->matchcase->setChecked(true);
        ed()->SetSel(0, 0);
        key(QKeySequence(Qt::Key_F3));
        QCOMPARE(prompts->questions.size(), std::size_t(2));  // only "WORD" and "Word" are left
    }

    void replaceAllEndsAndTellsOnce() {
        start("a-a-a");
        Tsearchbox* box = frame->searchBox();
        box->find->setPlainText(QStringLiteral("a"));
        box->replace->setPlainText(QStringLiteral("aa"));
        ed()->SetSelStart(0);
        box->ReplaceAllBtn->click();
        QCOMPARE(text(), QByteArray("aa-aa-aa"));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QVERIFY(!box->isVisible());
    }

    void replaceAllIsOneUndoStepAndColoursItsWork() {
        start("<p>a <p>b <p>c");
        Tsearchbox* box = frame->searchBox();
        box->find->setPlainText(QStringLiteral("<p>"));
        box->replace->setPlainText(QStringLiteral("<B>"));
        ed()->SetSelStart(0);
        box->ReplaceAllBtn->click();
        QCOMPARE(text(), QByteArray("<B>a <B>b <B>c"));
        QCOMPARE(ed()->ColorAt(0), kTag);
        QCOMPARE(ed()->ColorAt(3), kFont);
        QCOMPARE(static_cast<int>(ed()->document().snapshots().undoList().size()), 1);
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("<p>a <p>b <p>c"));
    }

    void pasteColoursWhatItPutIn() {
        start("x y");
        QApplication::clipboard()->setText(QStringLiteral("<B>bold</B>"));
        ed()->SetSelStart(2);
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_V));
        QCOMPARE(text(), QByteArray("x <B>bold</B>y"));
        QCOMPARE(ed()->ColorAt(2), kTag);
        QCOMPARE(ed()->ColorAt(5), kFont);
        QCOMPARE(ed()->ColorAt(10), kTag);
    }

    void findWithAnEmptyFindTextDoesNothing() {
        start("abc");
        key(QKeySequence(Qt::Key_F3));
        QVERIFY(prompts->questions.empty());
        // The document's Find fills the empty find box from the selection.
        ed()->SetSel(1, 2);
        frame->command("Find1")->trigger();
        QCOMPARE(frame->searchBox()->find->toPlainText(), QStringLiteral("bc"));
        QVERIFY(frame->searchBox()->isVisible());
        frame->searchBox()->hide();
    }

    void goToLine_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("message");
        QTest::newRow("first line") << QByteArray("one\r\ntwo\r\nsix") << "0" << 0 << false;
        QTest::newRow("third line") << QByteArray("one\r\ntwo\r\nsix") << "2" << 10 << false;
        QTest::newRow("past the last line") << QByteArray("one\r\ntwo\r\nsix") << "3" << 1 << false;
        // The empty line after a last line break is not counted.
        QTest::newRow("after the last break") << QByteArray("one\r\ntwo\r\nsix\r\n") << "3" << 1 << false;
        QTest::newRow("too large") << QByteArray("one\r\ntwo\r\nsix") << "99999999999" << 1 << true;
    }
    void goToLine() {
        QFETCH(QByteArray, content);
        QFETCH(QString, typed);
        QFETCH(int, caret);
        QFETCH(bool, message);
        start(content);
        ed()->SetSelStart(1);
        prompts->dialogScripts.push_back([typed](QDialog& d) {
            d.show();
            if (!QTest::qWaitForWindowExposed(&d)) return int(QDialog::Rejected);
            auto* box = qobject_cast<TGoToBox*>(&d);
            QTest::keyClicks(box->number, typed);
            QTest::keyClick(box->number, Qt::Key_Return);
            return d.isVisible() ? int(QDialog::Rejected) : d.result();
        });
        frame->command("Gotoline1")->trigger();
        QCOMPARE(ed()->SelStart(), caret);
        QCOMPARE(prompts->questions.size(), std::size_t(message ? 1 : 0));
    }

    void goToBoxTakesDigitsOnly() {
        TGoToBox box;
        QTest::keyClicks(box.number, "1a2-3");
        QCOMPARE(box.number->text(), QStringLiteral("123"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Go to line..."));
    }
};

QTEST_MAIN(TagsTest)
#include "tags_test.moc"
