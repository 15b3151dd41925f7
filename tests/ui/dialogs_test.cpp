// The element dialogs through the document window: edit-or-insert, the
// swatches, inputs, options, list options and the script editor.
#include "app/mainform.h"
#include "base/settings.h"
#include "dialogs/elementbox.h"
#include "dialogs/objectboxes.h"
#include "dialogs/scriptbox.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include "widgets/colorbutton.h"
#include "widgets/historycombo.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QFileInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using uitest::writeFile;

class DialogsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }
    void start(const QByteArray& content) {
        writeFile(dir->filePath(QStringLiteral("page.html")), content);
        frame = std::make_unique<TMainForm>(QStringList{QStringLiteral("page.html")}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = frame->activeDocument();
        QVERIFY(doc);
    }
    // The next modal form: check and fill it, then OK (or Cancel).
    template <class Box>
    void fill(std::function<void(Box&)> script, bool ok = true) {
        prompts->dialogScripts.push_back([script, ok](QDialog& d) {
            auto* box = qobject_cast<Box*>(&d);
            if (!box) return int(QDialog::Rejected);
            script(*box);
            return int(ok ? QDialog::Accepted : QDialog::Rejected);
        });
    }
    // A form answered with the keyboard alone: shown, typed into, closed by
    // its own keys. The result is what the dialog itself decided.
    template <class Box>
    void byKeys(std::function<void(Box&)> keys) {
        prompts->dialogScripts.push_back([keys](QDialog& d) {
            auto* box = qobject_cast<Box*>(&d);
            if (!box) return int(QDialog::Rejected);
            box->show();
            if (!QTest::qWaitForWindowExposed(box)) return int(QDialog::Rejected);
            keys(*box);
            return box->isVisible() ? int(QDialog::Rejected) : box->result();
        });
    }

    static void set(QDialog& box, const char* name, const QString& text) {
        QWidget* w = box.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
        else if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentText(text);
        else if (auto* c = qobject_cast<QCheckBox*>(w)) c->setChecked(!text.isEmpty());
        else if (auto* sp = qobject_cast<QSpinBox*>(w)) sp->setValue(text.toInt());
    }
    static QString get(QDialog& box, const char* name) {
        QWidget* w = box.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
        if (auto* sp = qobject_cast<QSpinBox*>(w)) return sp->text();
        return {};
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

    void tableEditedInPlace() {
        start("x <TABLE border=1 Width=\"50%\" ID=x> y");
        ed()->SetSelStart(10);
        QString border, width;
        fill<TTableBox>([&](TTableBox& b) {
            border = get(b, "border");
            width = get(b, "width");
            set(b, "border", QStringLiteral("2"));
        });
        frame->command("Table1")->trigger();
        QCOMPARE(border, QStringLiteral("1"));
        QCOMPARE(width, QStringLiteral("50%"));
        QCOMPARE(text(), QByteArray("x <TABLE ID=x BORDER=2 WIDTH=\"50%\"> y"));
        ed()->Undo();
        QCOMPARE(text(), QByteArray("x <TABLE border=1 Width=\"50%\" ID=x> y"));
    }

    void anchorsInsertEditAndSchemes() {
        start("Home <A href=old.html name=top> <A HREF=\"x\">");
        ed()->SetSel(0, 4);
        fill<TLinkBox>([](TLinkBox& b) { set(b, "url", QStringLiteral("index.html")); });
        frame->command("Anchor1")->trigger();
        QCOMPARE(text(), QByteArray("<A HREF=\"index.html\">Home</A> <A href=old.html name=top> <A HREF=\"x\">"));
        ed()->SetSelStart(35);
        QString read;
        fill<TLinkBox>([&](TLinkBox& b) {
            read = get(b, "url");
            set(b, "url", QStringLiteral("new.html"));
        });
        frame->command("Anchor1")->trigger();
        QCOMPARE(read, QStringLiteral("old.html"));
        QCOMPARE(text(), QByteArray("<A HREF=\"index.html\">Home</A> <A HREF=\"new.html\" NAME=\"top\"> <A HREF=\"x\">"));
        // An anchor left without attributes changes nothing.
        const QByteArray before = text();
        ed()->SetSelStart(before.size() - 3);
        fill<TLinkBox>([](TLinkBox& b) { set(b, "url", QString()); });
        frame->command("Anchor1")->trigger();
        QCOMPARE(text(), before);
        // The Scheme menu puts its scheme in place of the address's own.
        QString schemed;
        fill<TLinkBox>([&](TLinkBox& b) {
            set(b, "url", QStringLiteral("http://host/x"));
            for (QAction* a : b.scheme->menu()->actions())
                if (a->text() == QStringLiteral("ftp://")) a->trigger();
            schemed = get(b, "url");
        }, false);
        frame->command("Anchor1")->trigger();
        QCOMPARE(schemed, QStringLiteral("ftp://host/x"));
    }

    void imageSizeFromTheFileAndBorderEditing() {
        writeFile(dir->filePath(QStringLiteral("pic.png")),
                  QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x64\0\0\0\x32", 24));
        start("<IMG SRC=\"a.gif\" BORDER=25>");
        QString width, border;
        fill<TImageBox>([&](TImageBox& b) {
            QTest::keyClicks(b.src->lineEdit(), QStringLiteral("pic.png"));
            width = get(b, "width");
        });
        ed()->SetSelStart(ed()->Length());
        frame->command("Image1")->trigger();
        QCOMPARE(width, QStringLiteral("100"));
        // The size goes in only with its box ticked.
        QCOMPARE(text(), QByteArray("<IMG SRC=\"a.gif\" BORDER=25><IMG SRC=\"pic.png\">"));
        fill<TImageBox>([&](TImageBox& b) {
            set(b, "src", QStringLiteral("pic.png"));
            b.wh->click();
        });
        frame->command("Image1")->trigger();
        QVERIFY(text().endsWith("<IMG SRC=\"pic.png\" HEIGHT=50 WIDTH=100>"));
        ed()->SetSelStart(3);
        fill<TImageBox>([&](TImageBox& b) { border = b.border->currentText(); });
        frame->command("Image1")->trigger();
        QCOMPARE(border, QString());
        QVERIFY(text().startsWith("<IMG SRC=\"a.gif\"><IMG"));
        // Without a source nothing is written.
        const QByteArray before = text();
        ed()->SetSelStart(ed()->Length());
        fill<TImageBox>([](TImageBox&) {});
        frame->command("Image1")->trigger();
        QCOMPARE(text(), before);
    }

    void objectsAreInserted() {
        start("S");
        ed()->SetSel(0, 1);
        fill<TMarqueeBox>([](TMarqueeBox& b) {
            set(b, "text", QStringLiteral("Hello"));
            b.Infinite->setChecked(true);
        });
        frame->command("Marquee1")->trigger();
        QCOMPARE(text(), QByteArray("<MARQUEE LOOP=infinite>HelloS</MARQUEE>"));
        ed()->SetSel(0, 0);
        fill<TParamBox>([](TParamBox& b) { set(b, "name", QStringLiteral("speed")); });
        frame->command("Parameter1")->trigger();
        QVERIFY(text().startsWith("<PARAM NAME=\"speed\">\r\n<MARQUEE"));
        ed()->SetSel(0, 0);
        fill<TSoundBox>([](TSoundBox& b) {
            set(b, "src", QStringLiteral("a.wav"));
            b.infinite->setChecked(true);
            QVERIFY(!b.spin->isEnabled());
        });
        frame->command("BackgroundSound1")->trigger();
        QVERIFY(text().startsWith("<BGSOUND SRC=\"a.wav\" LOOP=infinite><PARAM"));
        const QByteArray before = text();
        fill<TAppletBox>([](TAppletBox&) {});
        frame->command("Applet1")->trigger();
        QCOMPARE(text(), before);
    }

    void newTableAroundTheSelection() {
        start("S");
        ed()->SetSel(0, 1);
        fill<TTableBox>([&](TTableBox& b) {
            set(b, "border", QStringLiteral("1"));
            set(b, "width", QStringLiteral("100%"));
            set(b, "xCaption", QStringLiteral("Prices"));
        });
        frame->command("Table1")->trigger();
        QCOMPARE(text(), QByteArray("<TABLE BORDER=1 WIDTH=\"100%\">\r\n<CAPTION>Prices</CAPTION>\r\nS\r\n</TABLE>"));
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("S"));
    }

    void cancelInEditModeKeepsTheTagSelected() {
        start("<TR align=left>");
        ed()->SetSelStart(3);
        fill<TTableRow>([](TTableRow&) {}, false);
        doc->TableRow1Click();
        QCOMPARE(text(), QByteArray("<TR align=left>"));
        QCOMPARE(ed()->SelLength(), 15);
    }

    void swatchesFollowTheColourTexts() {
        start("<TD bgcolor=\"#FF0000\" bordercolor=red>");
        ed()->SetSelStart(2);
        tv::ColorValue bg = 0, border = 0;
        prompts->colors.push_back(0x00FF00);
        fill<TTableCell>([&](TTableCell& b) {
            bg = b.findChild<TColorButton*>(QStringLiteral("g"))->color();
            border = b.findChild<TColorButton*>(QStringLiteral("b"))->color();
            b.findChild<TColorButton*>(QStringLiteral("l"))->click();  // choose green for the light border
        });
        doc->TableData1Click();
        QCOMPARE(bg, tv::ColorValue(0x0000FF));
        QCOMPARE(border, tv::ColorValue(0xFFFFFF));  // a colour name leaves the swatch white
        QCOMPARE(text(), QByteArray("<TD BGCOLOR=\"#FF0000\" BORDERCOLOR=\"red\" BORDERCOLORLIGHT=\"#00FF00\">"));
    }

    void inputFromTheFormsToolBar() {
        start("sel");
        ed()->SetSel(0, 3);
        fill<TInputBox>([](TInputBox& b) {
            QCOMPARE(b.itype->currentText(), QStringLiteral("text"));
            QVERIFY(!b.findChild<QCheckBox*>(QStringLiteral("checked"))->isEnabled());
            set(b, "name", QStringLiteral("q"));
            set(b, "size", QStringLiteral("20"));
        });
        frame->command("InputText")->trigger();
        QCOMPARE(text(), QByteArray("<INPUT TYPE=text NAME=\"q\" SIZE=20>sel"));
        // Picking submit fills the value; a required name missing inserts nothing.
        fill<TInputBox>([](TInputBox& b) {
            b.itype->setCurrentIndex(6);
            b.applyType(6, true);
            QCOMPARE(get(b, "value"), QStringLiteral("Submit"));
            QVERIFY(!b.findChild<QLineEdit*>(QStringLiteral("name"))->isEnabled());
        });
        ed()->SetSelStart(0);
        doc->InsertInput(0);
        QCOMPARE(text().left(34), QByteArray("<INPUT TYPE=submit VALUE=\"Submit\">"));
        fill<TInputBox>([](TInputBox&) {});
        const QByteArray before = text();
        doc->InsertInput(4);
        QCOMPARE(text(), before);
    }

    void typingGoesIntoTheFirstFieldAndTabFollowsTheLayout() {
        start("");
        // The radio button's input: "r", Tab, "1", OK makes a named radio button.
        fill<TInputBox>([](TInputBox& b) {
            b.show();
            QVERIFY(QTest::qWaitForWindowExposed(&b));
            QCOMPARE(b.focusWidget()->objectName(), QStringLiteral("name"));
            QTest::keyClicks(b.focusWidget(), "r");
            QTest::keyClick(b.focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(b.focusWidget(), "1");
        });
        frame->command("InputRadio")->trigger();
        QCOMPARE(text(), QByteArray("<INPUT TYPE=radio NAME=\"r\" VALUE=\"1\">"));
        // Every element dialog tabs from top to bottom.
        for (const char* id : {"Table1", "Anchor1", "Image1", "Body1", "Font1", "Marquee1"}) {
            // Names and places are taken while the dialog lives; it is gone after the command.
            QList<QPair<QString, QPoint>> order;
            prompts->dialogScripts.push_back([&order](QDialog& d) {
                d.show();
                QWidget* w = d.focusWidget();
                QList<QWidget*> seen;
                for (int i = 0; w && i < 40 && !seen.contains(w) && w->window() == &d; ++i) {
                    seen << w;
                    order << qMakePair(w->objectName(), w->mapTo(&d, QPoint()));
                    w = w->nextInFocusChain();
                    while (w && (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible())) w = w->nextInFocusChain();
                }
                return int(QDialog::Rejected);
            });
            frame->command(id)->trigger();
            QVERIFY2(!order.isEmpty(), id);
            // The chain is a ring that may start at any field: read it from where it wraps
            // from the bottom back to the top.
            for (int i = 1; i < order.size(); ++i)
                if (order[i].second.y() < order[i - 1].second.y() - 8) {
                    std::rotate(order.begin(), order.begin() + i, order.end());
                    break;
                }
            for (int i = 1; i < order.size(); ++i)
                QVERIFY2(order[i].second.y() >= order[i - 1].second.y() - 8,
                         qPrintable(QStringLiteral("%1: %2 before %3").arg(QLatin1String(id), order[i - 1].first,
                                                                          order[i].first)));
        }
    }

    void browseStartsInTheDocumentsFolder() {
        start("");  // a saved page in the test's folder
        const QString folder = QFileInfo(doc->FileName()).absolutePath();
        QVERIFY(QDir::currentPath() != folder);
        for (const char* id : {"Anchor1", "Image1", "BackgroundSound1"}) {
            prompts->dialogScripts.push_back([](QDialog& d) {
                for (QPushButton* b : d.findChildren<QPushButton*>())
                    if (b->text().startsWith(QStringLiteral("Browse")) || b->text().startsWith(QStringLiteral("File")))
                        b->click();
                return int(QDialog::Rejected);
            });
            prompts->openRequests.clear();
            frame->command(id)->trigger();
            QVERIFY2(!prompts->openRequests.empty(), id);
            QCOMPARE(prompts->openRequests[0].folder, folder);
        }
    }

    void optionAndSelect() {
        start("");
        fill<TOptionBox>([](TOptionBox& b) {
            set(b, "value", QStringLiteral("3"));
            set(b, "selected", QStringLiteral("1"));
        });
        frame->command("Option1")->trigger();
        QCOMPARE(text(), QByteArray("<OPTION VALUE=\"3\" SELECTED>"));
        // A size that is no number shows the default; a number read is the
        // box's value, and typing in the box then Up counts from what was typed.
        ed()->SetText("<SELECT size=abc>");
        ed()->SetSelStart(3);
        int spin = 0;
        fill<TSelectBox>([&](TSelectBox& b) { spin = b.spin->value(); });
        frame->command("Select1")->trigger();
        QCOMPARE(spin, 1);
        QCOMPARE(text(), QByteArray("<SELECT SIZE=\"1\">"));
        ed()->SetText("<SELECT SIZE=\"7\">");
        ed()->SetSelStart(3);
        fill<TSelectBox>([&](TSelectBox& b) {
            spin = b.spin->value();
            b.spin->selectAll();
            QTest::keyClicks(b.spin, "5");
            QTest::keyClick(b.spin, Qt::Key_Up);
        });
        frame->command("Select1")->trigger();
        QCOMPARE(spin, 7);
        QCOMPARE(text(), QByteArray("<SELECT SIZE=\"6\">"));
    }

    void formKeepsItsActionHistory() {
        start("");
        fill<TFormBox>([](TFormBox& b) { set(b, "action", QStringLiteral("/cgi/x")); });
        doc->Form1Click();
        QCOMPARE(text(), QByteArray("<FORM METHOD=\"post\" ACTION=\"/cgi/x\"></FORM>"));
        const auto store = tv::openSettingsStore();
        QCOMPARE(store->read("UrlHistory", "H0").value_or(""), std::string("/cgi/x"));
        // The next form dialog offers it.
        int items = 0;
        fill<TFormBox>([&](TFormBox& b) { items = qobject_cast<QComboBox*>(b.control(QStringLiteral("action")))->count(); }, false);
        doc->Form1Click();
        QCOMPARE(items, 1);
    }

    void listOptionsStoreTheTagAndInsertTheList() {
        start("a\r\n");
        ed()->SetSel(0, 3);
        fill<TListOptions>([](TListOptions& b) {
            b.oltype->setCurrentIndex(3);
            emit b.oltype->activated(3);
            QCOMPARE(get(b, "start"), QStringLiteral("I"));
        });
        frame->command("Options2")->trigger();
        QCOMPARE(frame->settings().ol, std::string("<OL TYPE=I START=I>"));
        QCOMPARE(text(), QByteArray("<OL TYPE=I START=I>\r\n<LI>a\r\n</OL>\r\n"));
        // The list buttons open the options on a right click.
        QWidget* ul = frame->toolBars[7]->widgetForAction(frame->command("UnorderedList1"));
        QCOMPARE(ul->contextMenuPolicy(), Qt::CustomContextMenu);
        emit ul->customContextMenuRequested(QPoint(1, 1));
        QCOMPARE(prompts->dialogsRun.last(), QStringLiteral("TListOptions"));
    }

    void bodyFontAndRuleEditedUnchanged() {
        start("<BODY bgcolor=white onload=\"go()\">\r\n<FONT SIZE=+2 COLOR=red>x</FONT>\r\n<HR noshade width=50%>");
        ed()->SetSelStart(3);
        fill<TBodyBox>([](TBodyBox&) {});
        frame->command("Body1")->trigger();
        ed()->SetSelStart(ed()->Text().find("<FONT") + 3);
        bool ticked = false;
        int type = -1;
        fill<TFontBox>([&](TFontBox& b) {
            ticked = b.SizeCheck->isChecked();
            type = b.SizeType->currentIndex();
        });
        frame->command("Font1")->trigger();
        QVERIFY(ticked);
        QCOMPARE(type, 1);
        ed()->SetSelStart(ed()->Length() - 2);
        fill<THRuleBox>([](THRuleBox&) {});
        ed()->setFocus();
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_H));
        QCOMPARE(text(), QByteArray("<BODY onload=\"go()\" BGCOLOR=\"white\">\r\n<FONT SIZE=\"+2\" COLOR=\"red\">x</FONT>\r\n"
                                    "<HR WIDTH=50% NOSHADE>"));
        ed()->Undo();  // one OK, one step
        QCOMPARE(text().right(24), QByteArray("\r\n<HR noshade width=50%>"));
    }

    void enterPressesOkAndValuesStayAsTheyAre() {
        start("<TR align=center>\r\n<HR align=right>\r\n<FORM METHOD=get>\r\n<TD valign=top>\r\n");
        // Enter in a combo box holding a value of other case than its item.
        ed()->SetSelStart(3);
        byKeys<TTableRow>([](TTableRow& b) { QTest::keyClick(b.focusWidget(), Qt::Key_Return); });
        frame->command("TableRow1")->trigger();
        ed()->SetSelStart(ed()->Text().find("<HR") + 2);
        byKeys<THRuleBox>([](THRuleBox& b) { QTest::keyClick(b.focusWidget(), Qt::Key_Enter); });
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        ed()->setFocus();
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_H));
        // Tab to Method, then Enter.
        ed()->SetSelStart(ed()->Text().find("<FORM") + 2);
        QString method;
        byKeys<TFormBox>([&](TFormBox& b) {
            QTest::keyClick(b.focusWidget(), Qt::Key_Tab);
            method = b.focusWidget()->parentWidget()->objectName() + QLatin1Char('/') + b.focusWidget()->objectName();
            QTest::keyClick(b.focusWidget(), Qt::Key_Return);
        });
        frame->command("Form1")->trigger();
        QCOMPARE(method, QStringLiteral("FormBox/method"));  // Enter went to the method field
        // Typed in lower case over an item, and tabbed through a lower-case value.
        ed()->SetSelStart(ed()->Text().find("<TD") + 2);
        byKeys<TTableCell>([](TTableCell& b) {
            auto* align = b.findChild<QComboBox*>(QStringLiteral("align"));
            align->setFocus();
            QTest::keyClicks(align->lineEdit(), QStringLiteral("right"));
            for (int i = 0; i < 3; ++i) QTest::keyClick(b.focusWidget(), Qt::Key_Tab);
            QTest::keyClick(b.focusWidget(), Qt::Key_Return);
        });
        frame->command("TableData1")->trigger();
        QCOMPARE(text(), QByteArray("<TR ALIGN=center>\r\n<HR ALIGN=right>\r\n<FORM METHOD=\"get\">\r\n"
                                    "<TD ALIGN=right VALIGN=top>\r\n"));
        // The Meta name goes in as typed, and the list only offers.
        ed()->SetSelStart(0);
        byKeys<TMetaBox>([](TMetaBox& b) {
            auto* name = b.findChild<QComboBox*>(QStringLiteral("name"));
            name->setFocus();
            QTest::keyClicks(name->lineEdit(), QStringLiteral("GENERATOR"));
            QTest::keyClick(name->lineEdit(), Qt::Key_Return);
        });
        frame->command("Meta1")->trigger();
        QVERIFY2(text().startsWith("<META NAME=\"GENERATOR\" CONTENT=\"Taviron\">"), text().constData());
    }

    void sizesAreOneSpinBox() {
        start("<FONT size=large>x</FONT> <FONT SIZE=+2>y</FONT>");
        ed()->SetSelStart(3);
        QString shown;
        fill<TFontBox>([&](TFontBox& b) {
            QCOMPARE(b.findChildren<QLineEdit*>().size() - b.findChildren<QSpinBox*>().size(),
                     qsizetype(2));  // the colour and the face; the spin box's own edit aside
            shown = b.UpDown1->text();
        });
        frame->command("Font1")->trigger();
        QCOMPARE(shown, QStringLiteral("large"));
        ed()->SetSelStart(ed()->Text().rfind("<FONT SIZE") + 3);
        byKeys<TFontBox>([](TFontBox& b) {
            QCOMPARE(b.focusWidget(), static_cast<QWidget*>(b.UpDown1));
            QTest::keyClick(b.UpDown1, Qt::Key_Up);
            QTest::keyClick(b.UpDown1, Qt::Key_Return);
        });
        frame->command("Font1")->trigger();
        QCOMPARE(text(), QByteArray("<FONT SIZE=\"large\">x</FONT> <FONT SIZE=\"+3\">y</FONT>"));
        ed()->SetSelStart(0);
        byKeys<THeadingBox>([](THeadingBox& b) {
            auto* level = b.findChild<QSpinBox*>(QStringLiteral("Level"));
            QCOMPARE(b.focusWidget(), static_cast<QWidget*>(level));
            QCOMPARE(b.findChildren<QLineEdit*>().size(), b.findChildren<QComboBox*>().size() + 1);
            QTest::keyClick(level, Qt::Key_Up);
            QTest::keyClick(level, Qt::Key_Up);
            QTest::keyClick(level, Qt::Key_Return);
        });
        frame->command("HeadOptions")->trigger();
        QVERIFY2(text().startsWith("<H3></H3><FONT"), text().constData());
    }

    void clickingTheSizeGroupTogglesIt() {
        start("x");
        QList<bool> states;
        fill<TFontBox>(
            [&](TFontBox& b) {
                b.show();
                if (!QTest::qWaitForWindowExposed(&b)) return;
                auto* group = b.findChild<QWidget*>(QStringLiteral("SizeGroup"));
                auto* type = b.SizeType;
                // The greyed "Type:" label, the group's bare edge, then the box itself.
                QWidget* label = nullptr;
                for (auto* l : group->findChildren<QLabel*>())
                    if (l->text() == QStringLiteral("Type:")) label = l;
                if (!group || !label) return;
                states << b.SizeCheck->isChecked() << type->isEnabled();
                QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
                states << b.SizeCheck->isChecked() << type->isEnabled();
                QTest::mouseClick(group, Qt::LeftButton, {}, QPoint(group->width() - 2, group->height() / 2));
                states << b.SizeCheck->isChecked();
                QTest::mouseClick(b.SizeCheck, Qt::LeftButton, {}, QPoint(4, b.SizeCheck->height() / 2));
                states << b.SizeCheck->isChecked();
            },
            false);
        frame->command("Font1")->trigger();
        QCOMPARE(states, (QList<bool>{false, false, true, true, false, true}));
        QCOMPARE(text(), QByteArray("x"));
    }

    void styleSheetFramesetAndMeta() {
        start("");
        fill<TStyleBox>([](TStyleBox& b) {
            b.otype->setCurrentIndex(3);
            set(b, "tag", QStringLiteral("H1"));
            set(b, "size", QStringLiteral("12"));
            b.fcolor->setCurrentIndex(10);  // Red
        });
        frame->command("StyleSheet1")->trigger();
        QCOMPARE(text(), QByteArray("H1 {font-size: 12pt; color: Red;}\r\n"));
        ed()->SetText("");
        fill<TSetBox>([](TSetBox& b) {
            b.addPiece("cols");
            b.addPiece("cols");
        });
        fill<TFaddBox>([](TFaddBox& b) { set(b, "value", QStringLiteral("25")); });
        fill<TFaddBox>([](TFaddBox& b) { b.addtype->button(3)->setChecked(true); });
        frame->command("Frameset1")->trigger();
        QCOMPARE(text(), QByteArray("<FRAMESET COLS=\"25%,*\">\r\n\r\n</FRAMESET>"));
        ed()->SetText("");
        fill<TMetaBox>([](TMetaBox& b) {
            set(b, "name", QStringLiteral("generator"));
            QCOMPARE(get(b, "content"), QStringLiteral("Taviron"));
        });
        frame->command("Meta1")->trigger();
        QCOMPARE(text(), QByteArray("<META NAME=\"generator\" CONTENT=\"Taviron\">"));
    }

    void scriptComesOutByteForByte() {
        start("");
        fill<TScriptBox>([](TScriptBox& b) { b.Memo1->setPlainText(QStringLiteral("L")); });
        doc->JavaScript1Click();
        QCOMPARE(text(), QByteArray("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\nL\r\n//-->\r\n</SCRIPT>"));
        TScriptBox box;
        box.Memo1->setPlainText(QStringLiteral("a, b"));
        box.Memo1->selectAll();
        box.insertSnippet(QStringLiteral("Math.max("), QStringLiteral(")"));
        QCOMPARE(box.Memo1->toPlainText(), QStringLiteral("Math.max(a, b)"));
        QVERIFY(box.PopupMenu1->actions().size() >= 9);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
