// Pages in UTF-8 and in Windows-1252, typed into with the real keys and saved:
// every byte nobody edited stays, and what was typed is in the file's own
// encoding.
#include "app/documents.h"
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "tools/searchbox.h"
#include "uitest.h"
#include "widgets/historycombo.h"

#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using uitest::readFile;
using uitest::typeText;
using uitest::writeFile;

class EncodingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    QString path(const QString& n) const { return dir->filePath(n); }

    TMDIChild* open(const QString& name, const QByteArray& bytes) {
        writeFile(path(name), bytes);
        if (!frame) {
            frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
            frame->show();
            if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
        }
        TMDIChild* doc = frame->OpenDocument(path(name));
        doc->view()->setFocus();
        return doc;
    }
    QString encodingPanel() { return frame->findChild<QLabel*>(QStringLiteral("StatusPanelEncoding"))->text(); }
    // Types at the end of the first line and saves with Ctrl+S.
    void typeAtEndOfFirstLineAndSave(TMDIChild* doc, const QString& typed) {
        doc->view()->SetSelStart(0);
        QTest::keyClick(doc->view(), Qt::Key_End);
        typeText(doc->view(), typed);
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void typingIntoEachKindOfPageKeepsEveryOtherByte_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("UTF-8") << QByteArray("<p>Café — 中文 😀\n<p>two\n") << "UTF-8"
                               << QByteArray("<p>Café — 中文 😀ü—\n<p>two\n");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF<p>Café\r\n<p>two") << "UTF-8 with BOM"
                                        << QByteArray("\xEF\xBB\xBF<p>Caféü—\r\n<p>two");
        QTest::newRow("Windows-1252") << QByteArray("<p>Caf\xE9 \x80 \x81\n<p>two \x9D\n") << "Windows-1252"
                                      << QByteArray("<p>Caf\xE9 \x80 \x81\xFC\x97\n<p>two \x9D\n");
        QTest::newRow("ASCII declaring UTF-8") << QByteArray("<meta charset=\"utf-8\">\n<p>x\n") << "UTF-8"
                                               << QByteArray("<meta charset=\"utf-8\">ü—\n<p>x\n");
    }
    void typingIntoEachKindOfPageKeepsEveryOtherByte() {
        QFETCH(QByteArray, before);
        QFETCH(QString, encoding);
        QFETCH(QByteArray, after);
        TMDIChild* doc = open(QStringLiteral("page.html"), before);
        QVERIFY(doc);
        QCOMPARE(encodingPanel(), encoding);
        typeAtEndOfFirstLineAndSave(doc, QStringLiteral("ü—"));
        QVERIFY(!doc->view()->Modified());
        QCOMPARE(readFile(path(QStringLiteral("page.html"))), after);
    }

    void anAsciiPageTakesTheDefaultOrItsDeclaration() {
        TMDIChild* plain = open(QStringLiteral("plain.html"), "<p>x\n");
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));
        typeAtEndOfFirstLineAndSave(plain, QStringLiteral("é"));
        QCOMPARE(readFile(path(QStringLiteral("plain.html"))), QByteArray("<p>x\xC3\xA9\n"));
        TMDIChild* old = open(QStringLiteral("old.html"), "<META HTTP-EQUIV=\"Content-Type\" "
                                                          "CONTENT=\"text/html; charset=iso-8859-1\">\n");
        QCOMPARE(encodingPanel(), QStringLiteral("Windows-1252"));
        typeAtEndOfFirstLineAndSave(old, QStringLiteral("é中"));
        QCOMPARE(readFile(path(QStringLiteral("old.html"))).right(11), QByteArray(">\xE9&#20013;\n"));
        // The panel follows the active window.
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(plain->parentWidget()));
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));
    }

    void charactersACodePageLacksGoInAsReferences() {
        TMDIChild* doc = open(QStringLiteral("w.html"), "caf\xE9\n");
        QApplication::clipboard()->setText(QStringLiteral("中 é"));
        doc->view()->SetSelStart(doc->view()->Length());
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_V));
        QCOMPARE(QByteArray::fromStdString(doc->view()->Text()), QByteArray("café\r\n&#20013; é"));
        // Copying gives the characters.
        doc->view()->SetSel(0, 5);
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("café"));
    }

    void fileEncodingConvertsTheDocument() {
        TMDIChild* doc = open(QStringLiteral("c.html"), "<p>Ω é\n");
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));
        auto* menu = frame->findChild<QMenu*>(QStringLiteral("Encoding1"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QVERIFY(menu->actions()[0]->isChecked());
        menu->actions()[2]->trigger();  // Windows-1252
        QCOMPARE(encodingPanel(), QStringLiteral("Windows-1252"));
        QCOMPARE(QByteArray::fromStdString(doc->view()->Text()), QByteArray("<p>&#937; é\r\n"));
        QVERIFY(doc->view()->Modified());
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path(QStringLiteral("c.html"))), QByteArray("<p>&#937; \xE9\n"));
        // One undo brings the characters back; to UTF-8 with BOM nothing is lost.
        doc->view()->Undo();
        menu->actions()[1]->trigger();
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path(QStringLiteral("c.html"))), QByteArray("\xEF\xBB\xBF<p>Ω é\n"));
    }

    void findIgnoresTheCaseOfEveryLetter() {
        TMDIChild* doc = open(QStringLiteral("f.html"), "un café, deux CAFÉS\n");
        Tsearchbox* box = frame->searchBox();
        box->find->setPlainText(QStringLiteral("CAFÉ"));
        doc->view()->SetSelStart(0);
        QTest::keyClick(doc->view(), Qt::Key_F3);
        QCOMPARE(QByteArray::fromStdString(doc->view()->SelText()), QByteArray("café"));
        QTest::keyClick(doc->view(), Qt::Key_F3);
        QCOMPARE(QByteArray::fromStdString(doc->view()->SelText()), QByteArray("CAFÉ"));
    }

    void searchAcrossFilesReadsEachInItsOwnEncoding() {
        QDir().mkpath(path(QStringLiteral("site")));
        writeFile(path(QStringLiteral("site/u.html")), "<p>café — ok\n");
        writeFile(path(QStringLiteral("site/w.html")), "<p>CAF\xC9 \x80 \x81\n");
        writeFile(path(QStringLiteral("site/none.html")), "<p>cafe\n");
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->dir->click();
        box->directory->setCurrentText(path(QStringLiteral("site")));
        box->find->setPlainText(QStringLiteral("café"));
        box->replace->setPlainText(QStringLiteral("茶館"));
        box->ReplaceAllBtn->click();
        QCOMPARE(readFile(path(QStringLiteral("site/u.html"))), QByteArray("<p>茶館 — ok\n"));
        QCOMPARE(readFile(path(QStringLiteral("site/w.html"))), QByteArray("<p>&#33590;&#39208; \x80 \x81\n"));
        QCOMPARE(readFile(path(QStringLiteral("site/none.html"))), QByteArray("<p>cafe\n"));
    }

    void theTitleMacroTakesTheTitlesCharacters() {
        TMDIChild* doc = open(QStringLiteral("t.html"), "<title>Caf&eacute; Zoë</title>\n#TITLE#\n");
        QTest::keyClick(doc->view(), Qt::Key_F9);
        QCOMPARE(QByteArray::fromStdString(doc->view()->Text()),
                 QByteArray("<title>Caf&eacute; Zoë</title>\r\nCafé Zoë\r\n"));
    }
};

QTEST_MAIN(EncodingTest)
#include "encoding_test.moc"
