// The Text menu's tools, Un-comment and the special-character palette,
// driven through the document window.
#include "app/mainform.h"
#include "app/documents.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "tools/textdialogs.h"
#include "uitest.h"
#include "usertags/charbox.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using uitest::writeFile;

class TextToolsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }
    void start(const QByteArray& content, const QByteArray& settings = "") {
        QDir().mkpath(dir->filePath(QStringLiteral("config/Taviron")));
        writeFile(dir->filePath(QStringLiteral("config/Taviron/Taviron.conf")), "[Settings]\n" + settings);
        writeFile(dir->filePath(QStringLiteral("page.html")), content);
        frame = std::make_unique<TMainForm>(QStringList{QStringLiteral("page.html")}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = frame->activeDocument();
        QVERIFY(doc);
    }
    // The next modal form gets radio button `choice` of its group and OK.
    template <class Box>
    void answer(int choice, std::function<void(Box&)> more = {}) {
        prompts->dialogScripts.push_back([choice, more](QDialog& d) {
            auto* box = qobject_cast<Box*>(&d);
            if (!box) return int(QDialog::Rejected);
            for (QButtonGroup* g : box->template findChildren<QButtonGroup*>()) g->button(choice)->setChecked(true);
            if (more) more(*box);
            return int(QDialog::Accepted);
        });
    }

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

    void translateSelectionAndUndo() {
        start("x \xE9\xC7\xAE\x99\xEE y");  // a Windows-1252 page
        QCOMPARE(text(), QByteArray("x éÇ®™î y"));
        ed()->SetSel(2, 11);
        answer<TTranBox>(0);
        frame->command("Translate1")->trigger();
        QCOMPARE(text(), QByteArray("x &eacute;&Ccedil;&reg;&trade;&#238; y"));
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("&eacute;&Ccedil;&reg;&trade;&#238;"));
        ed()->Undo();
        QCOMPARE(text(), QByteArray("x éÇ®™î y"));
    }

    void updateFillsIncludesAndNamesOrLeavesTheText() {
        writeFile(dir->filePath(QStringLiteral("part.txt")), "PART");
        const QByteArray part = dir->filePath(QStringLiteral("part.txt")).toLocal8Bit();
        start("<!--##INCLUDE=\"" + part + "\"##-->\r\nold\r\n<!--##ENDINCLUDE##--> #FILENAME#");
        frame->command("Update1")->trigger();
        QCOMPARE(text(), "<!--##INCLUDE=\"" + part + "\"##-->PART<!--##ENDINCLUDE##--> page.html");
        QVERIFY(prompts->questions.empty());
        ed()->SetText("<!--##INCLUDE=\"/no/such/file\"##-->\r\n<!--##ENDINCLUDE##--> #FILENAME#");
        frame->command("Update1")->trigger();
        QCOMPARE(text(), QByteArray("<!--##INCLUDE=\"/no/such/file\"##-->\r\n<!--##ENDINCLUDE##--> #FILENAME#"));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
    }

    void updateFilesChangesOpenDocumentsInTheirWindows() {
        start("#FILENAME#");
        writeFile(dir->filePath(QStringLiteral("other.htm")), "#FILENAME# #TITLE#");
        writeFile(dir->filePath(QStringLiteral("bad.html")), "<!--##INCLUDE=\"/gone\"##--><!--##ENDINCLUDE##-->");
        writeFile(dir->filePath(QStringLiteral("last.html")), "#FILENAME#");
        frame->docs()->UpdateFolderFiles({dir->filePath(QStringLiteral("page.html")), dir->filePath(QStringLiteral("other.htm")),
                                  dir->filePath(QStringLiteral("bad.html")), dir->filePath(QStringLiteral("last.html"))});
        QCOMPARE(text(), QByteArray("page.html"));
        QCOMPARE(uitest::readFile(dir->filePath(QStringLiteral("page.html"))), QByteArray("#FILENAME#"));
        QCOMPARE(uitest::readFile(dir->filePath(QStringLiteral("other.htm"))), QByteArray("other.htm #TITLE#"));
        QCOMPARE(uitest::readFile(dir->filePath(QStringLiteral("last.html"))), QByteArray("#FILENAME#"));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
    }

    void translateWholeDocumentToCharacters() {
        start("&copyX &amp;lt; &#65");
        answer<TTranBox>(1, [](TTranBox& b) { QVERIFY(!b.only->isEnabled()); });
        frame->command("Translate1")->trigger();
        QCOMPARE(text(), QByteArray("©X < A"));
    }

    void translateErrorLeavesTheDocument() {
        start("&#99999999999; x");
        answer<TTranBox>(1);
        frame->command("Translate1")->trigger();
        QCOMPARE(text(), QByteArray("&#99999999999; x"));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text, QStringLiteral("'99999999999' is not a valid integer value"));
        QVERIFY(!ed()->CanUndo());
    }

    void changeCaseAndTextMenuEnabling() {
        start("o'neil and sons");
        QVERIFY(!frame->command("ChangeCase1")->isEnabled());
        QVERIFY(frame->command("Indent1")->isEnabled());
        ed()->SetSel(0, ed()->Length());
        QVERIFY(frame->command("ChangeCase1")->isEnabled());
        answer<TCaseBox>(3);
        frame->command("ChangeCase1")->trigger();
        QCOMPARE(text(), QByteArray("O'neil And Sons"));
        QCOMPARE(ed()->SelLength(), ed()->Length());
        prompts->dialogScripts.push_back([](QDialog&) { return int(QDialog::Rejected); });
        frame->command("ChangeCase1")->trigger();
        QCOMPARE(text(), QByteArray("O'neil And Sons"));
    }

    void removeTagsAndLineBreaks() {
        start("a > b <i>c</i> d < e\r\nnext");
        ed()->SetSel(0, 20);
        frame->command("Tags1")->trigger();
        QCOMPARE(text(), QByteArray("a  b c d < e\r\nnext"));
        ed()->SetSel(0, ed()->Length());
        frame->command("Breaks1")->trigger();
        QCOMPARE(text(), QByteArray("a  b c d < enext"));
    }

    void appendNeedsATextAndTagsLines() {
        TAppBox empty;
        empty.show();
        empty.accept();
        QVERIFY(empty.isVisible());  // OK does nothing without a text
        start("a\r\n\r\nb\r\n");
        ed()->SetSel(0, ed()->Length());
        answer<TAppBox>(1, [](TAppBox& b) { b.aptext->setText(QStringLiteral("T")); });
        frame->command("Append1")->trigger();
        QCOMPARE(text(), QByteArray("aT\r\n\r\nbT\r\n"));
    }

    void indentKeepsTheCaretBySameCharacter() {
        start("abc\r\ndef");
        ed()->SetSelStart(6);
        ed()->setFocus();
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Space));
        QCOMPARE(text(), QByteArray("abc\r\n  def"));
        QCOMPARE(ed()->SelStart(), 8);
        ed()->SetSel(0, ed()->Length());
        frame->command("Indent1")->trigger();
        QCOMPARE(text(), QByteArray("  abc\r\n    def"));
    }

    void uncommentTurnsACommentBack() {
        start("<B>x</B>");
        ed()->SetSel(0, 8);
        frame->command("Comment1")->trigger();
        ed()->SetSel(0, ed()->Length());
        frame->command("Uncomment1")->trigger();
        QCOMPARE(text(), QByteArray(" <B>x</B> "));
        QCOMPARE(ed()->SelLength(), 0);
    }

    void eightToSevenAndUrlDecode() {
        start("Sm\xF8rrebr\xF8" "d", "Labels=1\nDelimit=1\n");
        frame->command("zap")->trigger();
        QCOMPARE(text(), QByteArray("Smorrebrod"));
        ed()->SetText("name=Jo+Ann&city=S%E3o+Paulo");
        frame->command("UrlDecode1")->trigger();
        QCOMPARE(text(), QByteArray("Jo Ann,São Paulo"));
    }

    void specialCharacterPalette() {
        start("pick");
        QVERIFY(frame->CharBoxAllowed);
        frame->SpecialCharacters1->trigger();
        QVERIFY(!frame->CharBoxAllowed);
        emit frame->View1->aboutToShow();
        QVERIFY(!frame->SpecialCharacters1->isEnabled());
        auto* box = frame->findChild<TCharBox*>();
        QVERIFY(box);
        frame->SpecialCharacters1Click();  // a second one does not open
        QCOMPARE(frame->findChildren<TCharBox*>().size(), 1);
        const auto buttons = box->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 24);
        QCOMPARE(buttons[6]->toolTip(), QStringLiteral("Copyright"));
        ed()->SetSel(0, 4);
        buttons[6]->click();
        QCOMPARE(text(), QByteArray("&copy;"));
        QCOMPARE(ed()->SelStart(), 6);
        box->findChild<QToolButton*>(QStringLiteral("Button12"))->click();
        QCOMPARE(text(), QByteArray("&copy;&emdash;"));
        QCOMPARE(TCharBox::entityFor(25), QString());
        // The ampersand's button shows its character (not taken for a mnemonic).
        auto* amp = box->findChild<QToolButton*>(QStringLiteral("Button3"));
        auto* blank = new QToolButton(box);
        blank->setFixedSize(amp->size());
        blank->setAutoRaise(true);
        QVERIFY(amp->grab().toImage() != blank->grab().toImage());
        delete blank;
        box->close();
        QTRY_VERIFY(frame->CharBoxAllowed);
    }
};

QTEST_MAIN(TextToolsTest)
#include "texttools_test.moc"
