// Browser preview and the options dialog.
#include "app/mainform.h"
#include "app/documents.h"
#include "base/settings.h"
#include "app/settingsbox.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include "widgets/fontfamilies.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using uitest::readFile;
using uitest::writeFile;

class PreviewTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    QString path(const QString& n) const { return dir->filePath(n); }
    // A stand-in browser: a script that writes each argument on a line.
    QString browser(const QString& name) {
        const QString script = path(name);
        writeFile(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    void start(const QByteArray& config, const QStringList& args = {}) {
        QDir().mkpath(path(QStringLiteral("config/Taviron")));
        writeFile(path(QStringLiteral("config/Taviron/Taviron.conf")), config);
        frame = std::make_unique<TMainForm>(args, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    QToolButton* prevButton() { return qobject_cast<QToolButton*>(frame->MainTbar->widgetForAction(frame->PrevBtn)); }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        qputenv("PATH", path(QStringLiteral("nothing")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void oneBrowserPreviewsAtOnceWithTheNameAsOneArgument() {
        const QString rec = browser(QStringLiteral("rec browser;1"));
        const QString doc = QStringLiteral("my \"page\"; x.html");
        writeFile(path(doc), "<P>hi");
        start("[Browsers]\nF0=Recorder|" + rec.toUtf8() + "\n", {doc});
        QVERIFY(prevButton()->menu() == nullptr);
        frame->PrevBtn->trigger();
        QTRY_VERIFY(QFile::exists(rec + ".args"));
        QTRY_COMPARE(readFile(rec + ".args"), path(doc).toUtf8() + "\n");
        QCOMPARE(QString::fromStdString(frame->settings().browser1), rec);
    }

    void twoBrowsersDropDownAMenu() {
        const QString a = browser(QStringLiteral("a.sh"));
        const QString b = browser(QStringLiteral("b.sh"));
        writeFile(path(QStringLiteral("p.html")), "x");
        start("[Browsers]\nF0=A|" + a.toUtf8() + "\nF1=B|" + b.toUtf8() + "\n", {QStringLiteral("p.html")});
        QCOMPARE(prevButton()->menu(), frame->BrowserMenu);
        QCOMPARE(frame->BrowserMenu->actions().size(), 2);
        QCOMPARE(frame->BrowserMenu->actions().at(1)->text(), QStringLiteral("B"));
        frame->BrowserMenu->actions().at(1)->trigger();
        QTRY_COMPARE(readFile(b + ".args"), path(QStringLiteral("p.html")).toUtf8() + "\n");
        // Removing every browser in the options leaves "None", disabled.
        prompts->dialogScripts.push_back([](QDialog& d) {
            auto* box = qobject_cast<TSettingsBox*>(&d);
            box->DeleteBrowserClick();
            box->DeleteBrowserClick();
            return int(QDialog::Accepted);
        });
        frame->Options1->trigger();
        QCOMPARE(frame->BrowserMenu->actions().size(), 1);
        QCOMPARE(frame->BrowserMenu->actions().first()->text(), QStringLiteral("None"));
        QVERIFY(!frame->BrowserMenu->actions().first()->isEnabled());
    }

    void aBrowserThatCannotStartIsNamed_data() {
        QTest::addColumn<QString>("browserEntry");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "Gone|/nowhere/gone-browser" << "The browser /nowhere/gone-browser could not be started.";
        QTest::newRow("not executable") << "Plain|%1" << "The browser %1 could not be started.";
        QTest::newRow("none and no xdg-open") << ""
                                              << "There is no browser to preview with. Install one (or xdg-open) "
                                                 "and add it in View > Options.";
    }
    void aBrowserThatCannotStartIsNamed() {
        QFETCH(QString, browserEntry);
        QFETCH(QString, message);
        const QString plain = path(QStringLiteral("plain-file"));
        writeFile(plain, "not a program");
        writeFile(path(QStringLiteral("p.html")), "x");
        const QByteArray conf =
            browserEntry.isEmpty() ? QByteArray() : "[Browsers]\nF0=" + browserEntry.arg(plain).toUtf8() + "\n";
        start(conf, {QStringLiteral("p.html")});
        QTest::keySequence(frame.get(), QKeySequence(Qt::Key_F12));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions.back().text, message.arg(plain));
    }

    void untitledAndModifiedDocuments() {
        const QString rec = browser(QStringLiteral("r.sh"));
        writeFile(path(QStringLiteral("p.html")), "old");
        start("[Browsers]\nF0=R|" + rec.toUtf8() + "\n", {QStringLiteral("p.html")});
        TMDIChild* doc = frame->activeDocument();
        doc->view()->SetSel(0, 0);
        doc->view()->ReplaceSelection("new ");
        prompts->answers.push_back(Prompter::No);  // preview the file as last saved
        frame->PrevBtn->trigger();
        QCOMPARE(prompts->questions.back().text, QStringLiteral("Save changes to p.html?"));
        QTRY_VERIFY(QFile::exists(rec + ".args"));
        QCOMPARE(readFile(path(QStringLiteral("p.html"))), QByteArray("old"));
        frame->docs()->NewFile();
        frame->PrevBtn->trigger();
        QCOMPARE(prompts->questions.back().text, QStringLiteral("You must save your document before previewing."));
    }

    void optionsTakeEffectAndAreKept() {
        writeFile(path(QStringLiteral("p.html")), "<B>x</B>");
        start("[Settings]\nColorCode=1\n", {QStringLiteral("p.html")});
        TMDIChild* doc = frame->activeDocument();
        QCOMPARE(doc->view()->ColorAt(0), 6);
        prompts->dialogScripts.push_back([](QDialog& d) {
            auto* box = qobject_cast<TSettingsBox*>(&d);
            box->cTags->setCurrentIndex(12);  // Blue
            box->UpDown1->setValue(14);
            return int(QDialog::Accepted);
        });
        frame->Options1->trigger();
        QCOMPARE(doc->view()->ColorAt(0), 12);
        QCOMPARE(int(doc->view()->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0UL)), 14);
        doc->view()->SetModified(false);
        frame->close();
        frame.reset();
        const tv::IniStore st(path(QStringLiteral("config/Taviron/Taviron.conf")).toStdString());
        QCOMPARE(st.read("Settings", "TagColor").value_or(""), std::string("12"));
        QCOMPARE(st.read("Settings", "FontSize").value_or(""), std::string("14"));
    }

    void aDarkDesktopDarkensOnlyTheDefaultColours() {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, Qt::white);
        writeFile(path(QStringLiteral("p.html")), "<B>x</B>\n\n\n");
        start("[Settings]\nColorCode=1\n", {QStringLiteral("p.html")});
        TvokRich* e = frame->activeDocument()->view();
        auto fore = [e](int style) {
            return tv::ColorValue(e->SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, static_cast<unsigned long>(style)));
        };
        auto shownBackground = [e] { return e->viewport()->grab().toImage().pixelColor(e->viewport()->width() - 3, e->viewport()->height() - 3); };
        QCOMPARE(e->paper(), QColor(Qt::white));
        QCOMPARE(fore(6), tv::PaletteColor(6));
        // The desktop turns dark while the page is open: the editor follows.
        QApplication::setPalette(dark);
        QTRY_VERIFY(e->paper().lightness() < 64);
        QCOMPARE(fore(6), tv::EditorColor(6, true));
        QCOMPARE(fore(0), tv::EditorColor(0, true));
        QVERIFY(shownBackground().lightness() < 64);
        QCOMPARE(e->ColorAt(0), 6);  // the palette index itself is unchanged
        // A colour the user chose is kept as chosen, and the rest with it.
        prompts->dialogScripts.push_back([](QDialog& d) {
            qobject_cast<TSettingsBox*>(&d)->cTags->setCurrentIndex(12);  // Blue
            return int(QDialog::Accepted);
        });
        frame->Options1->trigger();
        QCOMPARE(fore(12), tv::PaletteColor(12));
        QCOMPARE(e->paper(), QColor(Qt::white));
        QVERIFY(shownBackground().lightness() > 200);
        QApplication::setPalette(light);
        e->SetModified(false);
    }

    void cancelLeavesEverything() {
        const QString rec = browser(QStringLiteral("r.sh"));
        start("");
        prompts->inputs = {QStringLiteral(".PHP")};
        std::size_t working = 0;
        QString added;
        prompts->dialogScripts.push_back([&, rec](QDialog& d) -> int {
            auto* box = qobject_cast<TSettingsBox*>(&d);
            prompts->dialogScripts.push_back([rec](QDialog& add) -> int {
                auto* a = qobject_cast<TAddBrowser*>(&add);
                a->bname->setText(QStringLiteral("R"));
                a->path->setText(rec);
                return int(QDialog::Accepted);
            });
            box->AddBrowserClick();
            box->AddExtensionClick();
            working = box->browsers.size();
            added = box->Ext->currentItem()->text();
            return int(QDialog::Rejected);
        });
        frame->Options1->trigger();
        QCOMPARE(working, std::size_t(1));
        QCOMPARE(added, QStringLiteral("php"));
        QVERIFY(frame->settings().browsers.empty());
        QCOMPARE(frame->settings().textExt.size(), std::size_t(4));
        QVERIFY(!frame->settings().settingsChanged);
    }

    void aFontTheSystemLacksIsShownAsTheFixedFont() {
        writeFile(path(QStringLiteral("p.html")), "x");
        start("[Settings]\nFontName=No Such Font Anywhere\n", {QStringLiteral("p.html")});
        const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
        QVERIFY(plainFontFamilies().contains(fixed));
        TvokRich* ed = frame->activeDocument()->view();
        char face[256] = {};
        ed->SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, 0UL, face);
        QCOMPARE(QString::fromUtf8(face), fixed);
        QString selected;
        prompts->dialogScripts.push_back([&selected](QDialog& d) {
            selected = qobject_cast<TSettingsBox*>(&d)->face->currentText();
            return int(QDialog::Accepted);
        });
        frame->Options1->trigger();
        QCOMPARE(selected, fixed);
        QCOMPARE(QString::fromStdString(frame->settings().fontName), fixed);  // never empty
        // Families are listed once each, without their foundries.
        for (const QString& f : plainFontFamilies()) QVERIFY2(!f.contains(QLatin1Char('[')), qPrintable(f));
    }

    void extensionsAndBrowserDialog() {
        tv::Settings s;
        s.textExt = {"html", "htm"};
        TSettingsBox box(s);
        auto* p = std::make_unique<TestPrompter>().release();
        setPrompter(p);
        p->inputs = {QStringLiteral(".HTM"), QStringLiteral("Shtml")};
        box.AddExtensionClick();
        QCOMPARE(box.Ext->count(), 2);
        QCOMPARE(box.Ext->currentRow(), 1);
        box.AddExtensionClick();
        QCOMPARE(box.Ext->item(2)->text(), QStringLiteral("shtml"));
        QCOMPARE(p->questions.back().text, QStringLiteral("Enter file extenstion"));
        delete p;
        setPrompter(prompts.get());
        TAddBrowser add;
        QVERIFY(!add.OkBtn->isEnabled());
        add.bname->setText(QStringLiteral("X"));
        add.path->setText(path(QStringLiteral("missing")));
        QVERIFY(!add.OkBtn->isEnabled());
        add.path->setText(browser(QStringLiteral("x.sh")));
        QVERIFY(add.OkBtn->isEnabled());
        // The size is one spin box from 6 to 72: 300 cannot be typed, and a
        // size left half typed applies nothing.
        QCOMPARE(box.UpDown1->minimum(), 6);
        QCOMPARE(box.UpDown1->maximum(), 72);
        box.UpDown1->selectAll();
        QTest::keyClicks(box.UpDown1, "300");
        QVERIFY(box.UpDown1->value() <= 72);
        box.UpDown1->selectAll();
        QTest::keyClicks(box.UpDown1, "3");
        tv::Settings target;
        std::string error;
        QVERIFY(!box.apply(target, error));
        QVERIFY(!target.settingsChanged);
        QCOMPARE(error, std::string("'3' is not a font size between 6 and 72."));
        box.UpDown1->selectAll();
        QTest::keyClicks(box.UpDown1, "36");
        QVERIFY(box.apply(target, error));
        QCOMPARE(int(target.fontSize), 36);
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
