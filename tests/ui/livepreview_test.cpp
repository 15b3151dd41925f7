// The preview pane in the frame: what the page shows is read from the page
// itself (runJavaScript), after real keys, clicks and saves.
#include "app/documents.h"
#include "app/mainform.h"
#include "app/settingsbox.h"
#include "base/settings.h"
#include "preview/previewpane.h"
#include "testprompter.h"
#include "uitest.h"
#include "window/mdichild.h"

#include <QBuffer>
#include <QComboBox>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

using uitest::writeFile;

namespace {
// A PNG header is all the engine needs for a picture's size.
QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
} // namespace

class LivePreviewTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    void start(const QByteArray& settings = "") {
        uitest::writeSettings(path(QStringLiteral("config")), settings);
        restart();
    }
    void restart() {
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->resize(1000, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    TPreviewPane* pane() const { return frame->PreviewPanel; }
    // Shift+F12, and the page of the active document loaded.
    void showPane() {
        QVERIFY(!frame->paneShown("PreviewPane"));
        QTest::keyClick(frame.get(), Qt::Key_F12, Qt::ShiftModifier);
        QVERIFY(frame->paneShown("PreviewPane"));
        QTRY_VERIFY_WITH_TIMEOUT(pane()->page() && pane()->current(), 20000);
    }
    // A script's value, in the page's world or in the pane's own.
    QVariant js(const QString& script, bool paneWorld = false) {
        QVariant result;
        bool done = false;
        pane()->page()->runJavaScript(script, paneWorld ? QWebEngineScript::ApplicationWorld : QWebEngineScript::MainWorld,
                                      [&](const QVariant& v) {
                                          result = v;
                                          done = true;
                                      });
        if (!QTest::qWaitFor([&] { return done; }, 10000)) qWarning("no answer from the page");
        return result;
    }
    QString bodyText() { return js(QStringLiteral("document.body ? document.body.innerText : ''")).toString(); }
    // The centre of an element of the page, in the view's pixels.
    QPoint centreOf(const QString& id) {
        const QJsonObject r = QJsonDocument::fromJson(
                                  js(QStringLiteral("JSON.stringify(document.getElementById('%1').getBoundingClientRect())").arg(id))
                                      .toString()
                                      .toUtf8())
                                  .object();
        return QPoint(int(r[QStringLiteral("x")].toDouble() + r[QStringLiteral("width")].toDouble() / 2),
                      int(r[QStringLiteral("y")].toDouble() + r[QStringLiteral("height")].toDouble() / 2));
    }
    void clickPage(const QPoint& at) {
        auto* view = pane()->findChild<QWebEngineView*>(QStringLiteral("PreviewView"));
        QWidget* target = view->focusProxy() ? view->focusProxy() : view;
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }
    void activate(TMDIChild* c) { frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(c->parentWidget())); }
    TMDIChild* open(const QString& name, const QByteArray& bytes) {
        writeFile(path(name), bytes);
        return frame->OpenDocument(path(name));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", path(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
        QDir().mkpath(path(QStringLiteral("site/img")));
        writeFile(path(QStringLiteral("site/img/pic.png")), png(37, 5));
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void typedTextShowsAfterThePauseAndThePaneComesBack() {
        start("PreviewPause=100\n");
        TMDIChild* doc = open(QStringLiteral("site/page.html"), "<p>one <img src=\"img/pic.png\"></p>");
        showPane();
        QCOMPARE(bodyText().trimmed(), QStringLiteral("one"));
        QTRY_COMPARE(js(QStringLiteral("document.images[0].naturalWidth")).toInt(), 37);  // relative to the page
        QTest::keyClick(doc->view(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(doc->view(), "<p>typed</p>");
        QTRY_VERIFY_WITH_TIMEOUT(bodyText().contains(QStringLiteral("typed")), 10000);
        QVERIFY(doc->document().modified());  // not saved: the editor's text
        QCOMPARE(uitest::readFile(path(QStringLiteral("site/page.html"))), QByteArray("<p>one <img src=\"img/pic.png\"></p>"));
        // The page scripts do not see the pane's own script.
        QCOMPARE(js(QStringLiteral("typeof window.tavironOutline")).toString(), QStringLiteral("undefined"));
        // An untitled page resolves against the home folder; switching
        // documents switches the page.
        TMDIChild* untitled = frame->docs()->NewFile();
        QTest::keyClicks(untitled->view(), "<i>new page</i>");
        QTRY_COMPARE(bodyText().trimmed(), QStringLiteral("new page"));
        activate(doc);
        QTRY_VERIFY(bodyText().contains(QStringLiteral("typed")));
        // Shown at the next start.
        uitest::discardFrame(frame);
        restart();
        QVERIFY(frame->paneShown("PreviewPane"));
        QVERIFY(frame->paneDock("PreviewPane")->isVisible());
        QTest::keyClick(frame.get(), Qt::Key_F12, Qt::ShiftModifier);
        QVERIFY(!frame->paneShown("PreviewPane"));
    }

    void theOutlineFollowsTheCaretAndAClickMovesIt() {
        start();
        const QByteArray text = "<h1>Title</h1>\r\n<p>Para <b>bold</b></p>\r\n<div id=last>last</div>\r\n";
        TMDIChild* doc = open(QStringLiteral("site/caret.html"), text);
        showPane();
        struct Row {
            const char* at;
            int element;
        } rows[] = {{"bold", 2}, {"Title", 0}, {"Para", 1}, {"last</div", 3}};
        for (const Row& r : rows) {
            doc->view()->SetSelStart(int(text.indexOf(r.at)));
            QTRY_COMPARE(js(QStringLiteral("tavironOutlined()"), true).toInt(), r.element);
        }
        doc->view()->SetSelStart(0);
        clickPage(centreOf(QStringLiteral("last")));
        QTRY_COMPARE(doc->view()->SelStart(), int(text.indexOf("<div")));
    }

    void theScrollPlaceIsKeptAcrossARefresh() {
        start("PreviewPause=50\n");
        QByteArray text;
        for (int i = 0; i < 300; ++i) text += "<p id=p" + QByteArray::number(i) + ">paragraph " + QByteArray::number(i) + "</p>\r\n";
        TMDIChild* doc = open(QStringLiteral("site/long.html"), text);
        showPane();
        // The caret's element is scrolled into view.
        doc->view()->SetSelStart(int(text.indexOf("<p id=p250>") + 11));
        QTRY_VERIFY(js(QStringLiteral("(function(){var r = document.getElementById('p250').getBoundingClientRect();"
                                      "return r.top >= 0 && r.bottom <= innerHeight;})()"))
                        .toBool());
        // The reader scrolls elsewhere and the caret's element is off screen:
        // typing there refreshes the page where the reader left it.
        js(QStringLiteral("scrollTo(0, 2000)"));
        QTRY_COMPARE(js(QStringLiteral("scrollY")).toInt(), 2000);
        QSignalSpy shown(pane(), &TPreviewPane::pageShown);
        QTest::keyClicks(doc->view(), "NEW ");
        QVERIFY(shown.wait(10000));
        QTRY_VERIFY(js(QStringLiteral("document.getElementById('p250').textContent")).toString().startsWith(QStringLiteral("NEW")));
        QTest::qWait(200);
        QCOMPARE(js(QStringLiteral("scrollY")).toInt(), 2000);
    }

    void aLargePageShowsWholeAndWindows1252AsTheEditorShowsIt() {
        start();
        QByteArray big;
        while (big.size() < 3 * 1024 * 1024) big += "<p>a line of the large page, long enough to count</p>\r\n";
        big += "<p id=end>the end</p>";
        open(QStringLiteral("site/big.html"), big);
        showPane();
        QTRY_COMPARE_WITH_TIMEOUT(js(QStringLiteral("document.getElementById('end') ? document.getElementById('end').textContent : ''")).toString(),
                                  QStringLiteral("the end"), 30000);
        TMDIChild* latin = open(QStringLiteral("site/latin.html"),
                                "<meta charset=windows-1252><p id=w>caf\xE9 \x80</p>");
        QCOMPARE(latin->view()->encoding(), tv::FileEncoding::Windows1252);
        QTRY_COMPARE(js(QStringLiteral("document.getElementById('w') ? document.getElementById('w').textContent : ''")).toString(),
                     QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
    }

    void refreshOnSaveOrWhenAsked() {
        start("PreviewRefresh=1\nPreviewPause=50\n");
        TMDIChild* doc = open(QStringLiteral("site/save.html"), "<p>saved</p>");
        showPane();
        QTest::keyClick(doc->view(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(doc->view(), "<p>more</p>");
        QTest::qWait(400);
        QCOMPARE(bodyText().trimmed(), QStringLiteral("saved"));
        QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(bodyText().contains(QStringLiteral("more")));
        // Only when asked: F5 in the pane.
        prompts->dialogScripts.push_back([](QDialog& d) {
            auto* box = qobject_cast<TSettingsBox*>(&d);
            box->PreviewRefresh->setCurrentIndex(2);
            return int(QDialog::Accepted);
        });
        frame->Options1->trigger();
        QCOMPARE(int(pane()->refreshMode()), 2);
        QTest::keyClicks(doc->view(), "<p>asked</p>");
        QTest::qWait(400);
        QVERIFY(!bodyText().contains(QStringLiteral("asked")));
        clickPage(QPoint(5, 5));
        QTRY_VERIFY(pane()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QTRY_VERIFY(bodyText().contains(QStringLiteral("asked")));
    }

    void linksLeaveThePaneAndScriptsReadNoFiles() {
        start();
        writeFile(path(QStringLiteral("site/other.html")), "<p>other</p>");
        writeFile(path(QStringLiteral("config/Taviron/secret.html")), "<p>secret</p>");
        TMDIChild* doc = open(QStringLiteral("site/links.html"),
                              "<p><a id=local href=\"other.html\">o</a> <a id=remote href=\"https://example.invalid/x\">r</a> "
                              "<a id=inner href=\"#far\">f</a></p><div style=\"height:3000px\"></div><p id=far>far</p>");
        QList<QUrl> outside;
        pane()->openOutside = [&](const QUrl& u) { outside << u; };
        showPane();
        clickPage(centreOf(QStringLiteral("remote")));
        QTRY_COMPARE(outside, QList<QUrl>{QUrl(QStringLiteral("https://example.invalid/x"))});
        clickPage(centreOf(QStringLiteral("inner")));
        QTRY_VERIFY(js(QStringLiteral("scrollY")).toInt() > 1000);  // within the page
        QCOMPARE(frame->activeDocument(), doc);
        js(QStringLiteral("scrollTo(0, 0)"));
        clickPage(centreOf(QStringLiteral("local")));
        QTRY_COMPARE(frame->activeDocument()->FileName(), path(QStringLiteral("site/other.html")));
        activate(doc);
        QTRY_VERIFY(pane()->current() && bodyText().contains(QStringLiteral("far")));
        // A page's script reads neither a local file nor the program's folders.
        js(QStringLiteral("window.r = 'pending'; fetch('%1').then(x => x.text()).then(t => window.r = t, e => window.r = 'refused');"
                          "var f = document.createElement('iframe'); f.id = 'fr'; f.src = '%2'; document.body.appendChild(f);")
               .arg(QUrl::fromLocalFile(path(QStringLiteral("site/other.html"))).toString(),
                    QUrl::fromLocalFile(path(QStringLiteral("config/Taviron/secret.html"))).toString()));
        QTRY_COMPARE(js(QStringLiteral("window.r")).toString(), QStringLiteral("refused"));
        QTest::qWait(300);
        QVERIFY(!js(QStringLiteral("(function(){try{return document.getElementById('fr').contentDocument.body.innerText}"
                                   "catch(e){return ''}})()"))
                     .toString()
                     .contains(QStringLiteral("secret")));
    }
};

QTEST_MAIN(LivePreviewTest)
#include "livepreview_test.moc"
