// Help with typing markup, through real keys on a frame's document window:
// completion lists, closing tags, the matching tag, Select Element, folding.
#include "app/mainform.h"
#include "typing/foldmargin.h"
#include "typing/typingaid.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QTemporaryDir>
#include <QTest>

class TypingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    QTemporaryDir dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    TTypingAid* aid() { return doc->typingAid(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(ed(), k, m); }
    QStringList shown() {
        QStringList out;
        for (const auto& i : aid()->items()) out << QString::fromStdString(i.shown);
        return out;
    }
    TMDIChild* open(const QByteArray& content, const char* name = "page.html") {
        const QString path = dir.filePath(QString::fromUtf8(name));
        uitest::writeFile(path, content);
        return frame->OpenDocument(path);
    }
    // Whether the indicator covers the text from `start` up to `end`.
    bool marked(int indicator, int start, int end) {
        for (int p = start; p < end; ++p)
            if (!ed()->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator), static_cast<long>(p)))
                return false;
        return true;
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

    // Each list as the examples type it; Enter, Tab and Escape.
    void completionListsWriteWhatIsAccepted() {
        QTest::keyClicks(ed(), "<p><b>bold</");
        QVERIFY(aid()->listShown());
        QCOMPARE(shown().value(0), QStringLiteral("b"));  // the innermost open element first
        QCOMPARE(shown().value(1), QStringLiteral("p"));
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("<p><b>bold</b>"));
        QVERIFY(!aid()->listShown());

        ed()->SetText("");
        QTest::keyClicks(ed(), "caf&eacu");
        QVERIFY(aid()->listShown());
        QCOMPARE(shown().value(0), QString::fromUtf8("eacute  \xC3\xA9"));
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("caf&eacute;"));

        ed()->SetText("");
        QTest::keyClicks(ed(), "<tab");
        QCOMPARE(shown(), QStringList{QStringLiteral("table")});
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("<table"));
        ed()->SetText("");
        QTest::keyClicks(ed(), "<TA");
        QCOMPARE(shown(), QStringList{QStringLiteral("TABLE")});
        key(Qt::Key_Tab);
        QCOMPARE(text(), QByteArray("<TABLE"));

        // Inside a start tag: the element's attributes, the caret between
        // the quotes, and at once the known values.
        ed()->SetText("");
        QTest::keyClicks(ed(), "<a ");
        QVERIFY(shown().contains(QStringLiteral("href")));
        QTest::keyClicks(ed(), "tar");
        QCOMPARE(shown(), QStringList{QStringLiteral("target")});
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("<a target=\"\""));
        QCOMPARE(ed()->CaretPosition(), 11);
        QVERIFY(aid()->listShown());
        QVERIFY(shown().contains(QStringLiteral("_blank")));
        QTest::keyClicks(ed(), "_b");
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("<a target=\"_blank\""));
        // The closing quote typed steps over the one written.
        QTest::keyClicks(ed(), "\">x");
        QCOMPARE(text(), QByteArray("<a target=\"_blank\">x"));

        // Escape closes the list and writes nothing; typing goes on as typed.
        ed()->SetText("");
        QTest::keyClicks(ed(), "<di");
        QVERIFY(aid()->listShown());
        key(Qt::Key_Escape);
        QVERIFY(!aid()->listShown());
        QTest::keyClicks(ed(), "x>");
        QCOMPARE(text(), QByteArray("<dix>"));
        // Nothing is offered in a comment.
        ed()->SetText("");
        QTest::keyClicks(ed(), "<!-- <di");
        QVERIFY(!aid()->listShown());
    }

    // With colouring on (the tests above run with it off, as it starts),
    // an accepted end tag and a closed tag are coloured as typed tags are.
    void withColouring() {
        frame->mutableSettings().colorCode = true;
        doc->ApplyEditorSettings();
        doc->ColorDocument();
        QTest::keyClicks(ed(), "<ul><li>x</");
        QCOMPARE(shown().value(0), QStringLiteral("li"));
        key(Qt::Key_Tab);
        QCOMPARE(text(), QByteArray("<ul><li>x</li>"));
        const int tag = frame->settings().tagColor;
        QVERIFY(tag != frame->settings().fontColor);
        QCOMPARE(ed()->ColorAt(static_cast<int>(text().indexOf("</li>")) + 3), tag);
        QCOMPARE(ed()->ColorAt(static_cast<int>(text().indexOf("x"))), frame->settings().fontColor);
        frame->mutableSettings().closeTags = true;
        doc->ApplyEditorSettings();
        QTest::keyClicks(ed(), "<div>");
        QCOMPARE(text(), QByteArray("<ul><li>x</li><div></div>"));
        QCOMPARE(ed()->ColorAt(static_cast<int>(text().indexOf("</div>")) + 3), tag);
    }

    // An accepted item is typing: one Undo takes the word and the item.
    void anAcceptedItemIsPartOfTheTyping() {
        QTest::keyClicks(ed(), "x <tab");
        key(Qt::Key_Return);
        QCOMPARE(text(), QByteArray("x <table"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("x "));  // the '<' began the step, as it does
    }

    // A Windows-1252 page: a character the code page lacks is shown as its
    // numeric reference; the reference written is the name.
    void windows1252PagesShowReferencesTheyCanHold() {
        doc = open("<p>caf\xE9</p>", "old.html");
        QVERIFY(doc);
        ed()->setFocus();
        ed()->SetSelStart(ed()->Length());
        QTest::keyClicks(ed(), "&alph");
        QCOMPARE(shown().value(0), QStringLiteral("alpha  &#945;"));
        key(Qt::Key_Return);
        QVERIFY(text().endsWith("&alpha;"));
    }

    void closingTagsWhenAsked() {
        QTest::keyClicks(ed(), "<div>");
        QCOMPARE(text(), QByteArray("<div>"));  // off by default
        frame->mutableSettings().closeTags = true;
        doc->ApplyEditorSettings();
        ed()->SetText("");
        QTest::keyClicks(ed(), "<div class=\"a\">");
        QCOMPARE(text(), QByteArray("<div class=\"a\"></div>"));
        QCOMPARE(ed()->CaretPosition(), 15);
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));  // the end tag goes first
        QCOMPARE(text(), QByteArray("<div class=\"a\">"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("<div class=\"a\"></div>"));
        ed()->SetSelStart(15);
        QTest::keyClicks(ed(), "<br>");  // no end tag
        QCOMPARE(text(), QByteArray("<div class=\"a\"><br></div>"));
    }

    // Ctrl+M between a div and its end tag across nested divs, Ctrl+Shift+M
    // selects the element and then the one around it; the marks.
    void matchingTags() {
        const QByteArray page = "<div id=a>\r\n<div>in</div>\r\n<p>one<p>two\r\n</div>";
        ed()->SetText(page.toStdString());
        ed()->SetSelStart(2);
        key(Qt::Key_M, Qt::ControlModifier);
        const int outerEnd = static_cast<int>(page.lastIndexOf("</div>"));
        QCOMPARE(ed()->CaretPosition(), outerEnd + 1);
        QTRY_VERIFY(marked(TTypingAid::kMatchIndicator, outerEnd, outerEnd + 6));
        QVERIFY(marked(TTypingAid::kMatchIndicator, 0, 10));
        key(Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(ed()->CaretPosition(), 1);
        // The inner div.
        ed()->SetSelStart(static_cast<int>(page.indexOf("in</div>")));
        key(Qt::Key_M, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("<div>in</div>"));
        key(Qt::Key_M, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), page);
        // A p ended by the next p has no partner, and is marked so.
        ed()->SetSelStart(static_cast<int>(page.indexOf("<p>")) + 1);
        QTRY_VERIFY(marked(TTypingAid::kUnpairedIndicator, static_cast<int>(page.indexOf("<p>")), static_cast<int>(page.indexOf("<p>")) + 3));
        // The menu items are there, with their short cuts.
        QAction* go = frame->findChild<QAction*>(QStringLiteral("GoToMatchingTag1"));
        QVERIFY(go);
        QCOMPARE(go->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    }

    void foldingFoldsAndUnfolds() {
        ed()->SetText("<div>\r\n<p>a\r\n<p>b\r\n</div>\r\n<!--\r\nnote\r\n-->\r\nend");
        QAction* folding = frame->findChild<QAction*>(QStringLiteral("Folding1"));
        QVERIFY(folding);
        QVERIFY(!folding->isChecked());
        folding->trigger();
        QVERIFY(doc->foldMargin()->isOn());
        QVERIFY(ed()->marginWidth(TFoldMargin::kMargin) > 0);
        auto level = [this](int line) {
            return static_cast<int>(ed()->SendScintilla(QsciScintillaBase::SCI_GETFOLDLEVEL, static_cast<unsigned long>(line)));
        };
        QVERIFY(level(0) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG);
        QVERIFY(level(4) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG);
        QCOMPARE(level(2) & QsciScintillaBase::SC_FOLDLEVELNUMBERMASK, QsciScintillaBase::SC_FOLDLEVELBASE + 1);
        QCOMPARE(level(7) & QsciScintillaBase::SC_FOLDLEVELNUMBERMASK, QsciScintillaBase::SC_FOLDLEVELBASE);
        ed()->SendScintilla(QsciScintillaBase::SCI_TOGGLEFOLD, 0UL);
        QVERIFY(!ed()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1UL));
        ed()->SendScintilla(QsciScintillaBase::SCI_TOGGLEFOLD, 0UL);
        QVERIFY(ed()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1UL));
        // Typing keeps the levels: a new block at the top.
        ed()->SetSelStart(0);
        QTest::keyClicks(ed(), "<ul>");
        key(Qt::Key_Return);
        QCOMPARE(level(1) & QsciScintillaBase::SC_FOLDLEVELNUMBERMASK, QsciScintillaBase::SC_FOLDLEVELBASE + 1);
        QCOMPARE(level(8) & QsciScintillaBase::SC_FOLDLEVELNUMBERMASK, QsciScintillaBase::SC_FOLDLEVELBASE + 1);
        QAction* foldAll = frame->findChild<QAction*>(QStringLiteral("FoldAll1"));
        QVERIFY(foldAll);
        foldAll->trigger();
        QVERIFY(!ed()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1UL));
        frame->findChild<QAction*>(QStringLiteral("UnfoldAll1"))->trigger();
        QVERIFY(ed()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1UL));
        folding->trigger();
        QVERIFY(!doc->foldMargin()->isOn());
        QCOMPARE(ed()->marginWidth(TFoldMargin::kMargin), 0);
    }
};

QTEST_MAIN(TypingTest)
#include "typing_test.moc"
