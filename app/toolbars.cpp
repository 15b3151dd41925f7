// The frame's tool bars: the nine bars and their buttons (made from the
// command table's places), their layouts kept in the settings, the user's
// tag sets on the Custom bar, and the lists of bars in View > Toolbars and
// the docks' pop-up.
#include "app/mainform.h"

#include "app/documents.h"
#include "app/mrufilelist.h"
#include "base/doctext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "tools/macros.h"
#include "usertags/customtags.h"
#include "usertags/customtagsui.h"
#include "window/commandactions.h"
#include "window/mdichild.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QtMath>
#include <algorithm>

namespace {

// The tool bars: object name and caption, in the order of View > Toolbars.
struct ToolBarInfo {
    const char* name;
    const char* caption;
    const char* menuCaption;
    bool separatorBefore;
};
constexpr ToolBarInfo kToolBars[] = {
    {"MainTbar", "Main", "Main &Tool Bar", false},
    {"CustomTbar", "Custom", "&Custom Bar", false},
    {"HTMLTbar", "Common HTML", "Common &HTML", false},
    {"TableTbar", "Tables", "T&ables", true},
    {"ElementTbar", "Elements", "&Elements", false},
    {"TextTbar", "Style", "&Style", false},
    {"FormatTbar", "Format", "&Format", false},
    {"ListTbar", "Lists", "&Lists", false},
    {"FormTbar", "Forms", "F&orms", false},
};


Qt::ToolBarArea areaOf(const std::string& dock) {
    if (dock == "DockBottom") return Qt::BottomToolBarArea;
    if (dock == "DockLeft") return Qt::LeftToolBarArea;
    if (dock == "DockRight") return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;  // "Docktop", and floating ones, which dock at the top
}
const char* dockName(Qt::ToolBarArea a) {
    switch (a) {
    case Qt::BottomToolBarArea: return "DockBottom";
    case Qt::LeftToolBarArea: return "DockLeft";
    case Qt::RightToolBarArea: return "DockRight";
    default: return "Docktop";
    }
}
// A tool button's picture: its short label drawn as the button shows text.
// It is drawn once for each pixel ratio a screen may ask for (1, 2 and every
// connected screen's own), so that it stays sharp on high-density screens.
QIcon labelIcon(const QString& label, int style, const QPalette& palette) {
    std::vector<qreal> ratios{1.0, 2.0};
    for (const QScreen* screen : QGuiApplication::screens())
        if (std::find(ratios.begin(), ratios.end(), screen->devicePixelRatio()) == ratios.end())
            ratios.push_back(screen->devicePixelRatio());
    QIcon icon;
    for (qreal ratio : ratios) {
        const int side = qCeil(24 * ratio);
        QPixmap pm(side, side);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f = p.font();
        f.setPixelSize(label.size() > 2 ? 9 : 14);
        f.setBold(style & 1);
        f.setItalic(style & 2);
        f.setUnderline(style & 4);
        p.setFont(f);
        p.setPen(palette.color(QPalette::ButtonText));
        p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, label);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

void TMainForm::applyToolBarLayouts() {
    // Each dock takes its tool bars row by row, and within a row by position.
    std::vector<int> order(toolBars.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        const auto &la = settings_.toolBars[a], &lb = settings_.toolBars[b];
        if (areaOf(la.dockedTo) != areaOf(lb.dockedTo)) return areaOf(la.dockedTo) < areaOf(lb.dockedTo);
        if (la.dockRow != lb.dockRow) return la.dockRow < lb.dockRow;
        return la.dockPos < lb.dockPos;
    });
    const tv::ToolBarLayout* previous = nullptr;
    for (int i : order) {
        const tv::ToolBarLayout& l = settings_.toolBars[i];
        QToolBar* bar = toolBars[i];
        const Qt::ToolBarArea area = areaOf(l.dockedTo);
        if (previous && areaOf(previous->dockedTo) == area && previous->dockRow != l.dockRow) addToolBarBreak(area);
        addToolBar(area, bar);
        bar->setVisible(l.visible);
        previous = &l;
    }
    // Floating tool bars can only be put back by the window system's own
    // record of them, written with the layouts above.
    const bool floating = std::any_of(settings_.toolBars.begin(), settings_.toolBars.end(),
                                      [](const tv::ToolBarLayout& l) { return l.dockedTo == "nil"; });
    if (floating && !settings_.toolBarState.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(settings_.toolBarState)));
}


void TMainForm::collectToolBarLayouts() {
    // Once the frame is closed its floating tool bars are hidden with it:
    // the record taken as it closed holds.
    if (!isVisible()) return;
    settings_.toolBarState = saveState().toBase64().toStdString();
    for (std::size_t i = 0; i < toolBars.size(); ++i) {
        QToolBar* bar = toolBars[i];
        tv::ToolBarLayout& l = settings_.toolBars[i];
        l.visible = !bar->isHidden();
        const Qt::ToolBarArea area = toolBarArea(bar);
        const bool vertical = area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea;
        if (bar->isFloating()) {
            const QRect g = bar->geometry();
            l.dockedTo = "nil";
            l.floatLeft = g.left();
            l.floatTop = g.top();
            l.floatRight = g.right() + 1;
            l.floatBottom = g.bottom() + 1;
            l.floatRightX = g.right() + 1;
            continue;
        }
        l.dockedTo = dockName(area);
        if (!l.visible) continue;  // a hidden bar has no place of its own; it keeps the stored one
        // Rows are the distinct offsets across the dock of its shown tool bars.
        std::vector<int> rows;
        for (QToolBar* other : toolBars)
            if (!other->isHidden() && !other->isFloating() && toolBarArea(other) == area)
                rows.push_back(vertical ? other->x() : other->y());
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        const int across = vertical ? bar->x() : bar->y();
        l.dockRow = static_cast<int>(std::lower_bound(rows.begin(), rows.end(), across) - rows.begin());
        l.dockPos = vertical ? bar->y() : bar->x();
    }
}


void TMainForm::createToolBars() {
    for (const ToolBarInfo& info : kToolBars) {
        auto* bar = new QToolBar(QString::fromLatin1(info.caption), this);
        bar->setObjectName(QString::fromLatin1(info.name));
        addToolBar(Qt::TopToolBarArea, bar);
        toolBars.push_back(bar);
    }
    MainTbar = toolBars.front();
    auto barOf = [this](ToolBar b) -> QToolBar* {
        switch (b) {
        case ToolBar::Main: return toolBars[0];
        case ToolBar::HTML: return toolBars[2];
        case ToolBar::Tables: return toolBars[3];
        case ToolBar::Elements: return toolBars[4];
        case ToolBar::Style: return toolBars[5];
        case ToolBar::Format: return toolBars[6];
        case ToolBar::Lists: return toolBars[7];
        case ToolBar::Forms: return toolBars[8];
        }
        return toolBars[0];
    };
    // The Header drop-down: a heading of each level, before the Format
    // bar's other buttons.
    auto* header = new QToolButton(barOf(ToolBar::Format));
    header->setObjectName(QStringLiteral("HeaderBtn"));
    header->setIcon(labelIcon(QStringLiteral("H"), 1, palette()));
    header->setToolTip(QStringLiteral("Header"));
    header->setStatusTip(QStringLiteral("Insert a heading"));
    header->setPopupMode(QToolButton::InstantPopup);
    header->setMenu(HeaderMenu);
    barOf(ToolBar::Format)->addWidget(header);
    for (const ToolButton& b : toolButtons()) {
        QToolBar* bar = barOf(b.bar);
        if (!b.name) {
            bar->addSeparator();
            continue;
        }
        QAction* a = command(b.name);
        if (!a) continue;  // a command this build leaves out
        if (b.label) {
            a->setIcon(labelIcon(QString::fromUtf8(b.label), b.labelStyle, palette()));
        } else {
            QIcon icon = QIcon::fromTheme(QString::fromLatin1(b.themeIcon));
            if (icon.isNull() && b.standardIcon >= 0)
                icon = style()->standardIcon(static_cast<QStyle::StandardPixmap>(b.standardIcon));
            // Pictures drawn for Taviron where the desktop's theme has none.
            if (icon.isNull() && b.picture) icon = QIcon(QString::fromLatin1(b.picture));
            a->setIcon(icon);
        }
        bar->addAction(a);
        QWidget* button = bar->widgetForAction(a);
        if (b.bar != ToolBar::Main)
            button->setObjectName(QString::fromLatin1(b.name).replace(QLatin1Char('1'), QString()) + QStringLiteral("Btn"));
        else
            button->setObjectName(QString::fromLatin1(b.name));
        // The right mouse button on a list button opens the list options.
        if (std::string_view(b.name) == "UnorderedList1" || std::string_view(b.name) == "OrderedList1") {
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(button, &QWidget::customContextMenuRequested, command("Options2"), &QAction::trigger);
        }
    }
    // The Open button's drop-down lists the recent files; the Insert Date
    // button opens the dates; the Preview button's menu follows the browsers.
    OpenDropDown = new QMenu(this);
    OpenDropDown->setObjectName(QStringLiteral("OpenDropDown"));
    if (auto* b = qobject_cast<QToolButton*>(MainTbar->widgetForAction(OpenBtn))) {
        b->setMenu(OpenDropDown);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    if (auto* b = qobject_cast<QToolButton*>(MainTbar->widgetForAction(DateBtn))) {
        b->setMenu(DateMenu);
        b->setPopupMode(QToolButton::InstantPopup);
    }
    BrowserMenu = new QMenu(this);
    BrowserMenu->setObjectName(QStringLiteral("BrowserMenu"));
    BrowserMenu->addAction(QStringLiteral("None"));
    fillToolbarsMenu(Toolbars1);
}

void TMainForm::createCustomTags() {
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("CustomTbar"));
    const std::string folder = tv::programFolder();
    for (int i = 0; i < 4; ++i) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("TagPopup%1").arg(i + 1));
        auto* set = new TCustomTags(i + 1, menu, this);
        Tags[static_cast<std::size_t>(i)] = set;
        auto* button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("CustB%1").arg(i + 1));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolTip(QStringLiteral("Custom Tags - right click to customize"));
        button->setStatusTip(QStringLiteral("Custom Tags - right click to customize"));
        // A right click opens the manager instead of the menu.
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this, [this, i] { Customize1Click(i + 1); });
        bar->addWidget(button);
        CustB[static_cast<std::size_t>(i)] = button;
        connect(set, &TCustomTags::tagItemClicked, this,
                [this](TCustomTags*, const std::string& start, const std::string& close) { Tags2TagItemClick(start, close); });
        connect(set, &TCustomTags::titleChanged, this, &TMainForm::TitleChange1);
        set->setFilePath(folder);
        TitleChange1(set);
    }
}


std::vector<std::string> TMainForm::ownElementNames() const {
    std::vector<std::string> names;
    for (const TCustomTags* set : Tags)
        if (set)
            for (std::string& n : tv::elementNamesOf(set->set.tags))
                if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(std::move(n));
    return names;
}

void TMainForm::TitleChange1(TCustomTags* set) {
    if (!set || set->Tag < 1 || set->Tag > 4) return;
    CustB[static_cast<std::size_t>(set->Tag - 1)]->setText(fromDocument(set->set.title));
}


void TMainForm::Customize1Click(int number) {
    if (number < 1 || number > 4) return;
    const QFont font(fromStd(settings_.fontName), settings_.fontSize);
    TCustomBox box(*Tags[static_cast<std::size_t>(number - 1)], font, this);
    prompter().run(box);
    box.applyTitle();
}


void TMainForm::Tags2TagItemClick(const std::string& start, const std::string& close) {
    TMDIChild* child = activeDocument();
    if (!child) return;
    const tv::MacroContext context = macroContext();
    auto ask = [this](const std::string& prompt) -> std::optional<std::string> {
        const auto answer = prompter().input(this, QStringLiteral("Input"), fromDocument(prompt), QString());
        if (!answer) return std::nullopt;
        return toDocument(*answer);
    };
    std::optional<std::string> first, second;
    try {
        first = tv::ExpandTagText(start, context, ask);
        if (first) second = tv::ExpandTagText(close, context, ask);
    } catch (const tv::MacroError& e) {
        prompter().message(this, QStringLiteral("Taviron"), fromStd(e.what()));
        return;
    }
    if (!first || !second) return;  // a prompt was cancelled: nothing goes in
    repeatTags() = {*first, *second};
    child->Markup();
}


void TMainForm::fillToolbarsMenu(QMenu* menu) {
    for (std::size_t i = 0; i < toolBars.size(); ++i) {
        if (kToolBars[i].separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(QString::fromLatin1(kToolBars[i].menuCaption));
        a->setCheckable(true);
        QToolBar* tb = toolBars[i];
        connect(a, &QAction::triggered, tb, [tb] { tb->setVisible(!tb->isVisible()); });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { Toolbars1Popup(menu); });
}


QMenu* TMainForm::createPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("TbarPopup"));
    fillToolbarsMenu(menu);
    return menu;
}


void TMainForm::Toolbars1Popup(QMenu* menu) {
    std::size_t i = 0;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        a->setChecked(toolBars[i++]->isVisible());
    }
}


