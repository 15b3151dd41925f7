// The frame's side of the pane seam: docks, their View menu items and their
// places kept in the settings.
#include "app/mainform.h"

#include "base/settings.h"

#include <QDockWidget>
#include <QScreen>

namespace {

const char* sideName(Qt::DockWidgetArea a) {
    switch (a) {
    case Qt::RightDockWidgetArea: return "Right";
    case Qt::TopDockWidgetArea: return "Top";
    case Qt::BottomDockWidgetArea: return "Bottom";
    default: return "Left";
    }
}

Qt::DockWidgetArea sideNamed(const std::string& s) {
    if (s == "Right") return Qt::RightDockWidgetArea;
    if (s == "Top") return Qt::TopDockWidgetArea;
    if (s == "Bottom") return Qt::BottomDockWidgetArea;
    return Qt::LeftDockWidgetArea;
}

Qt::Orientation across(Qt::DockWidgetArea a) {
    return a == Qt::LeftDockWidgetArea || a == Qt::RightDockWidgetArea ? Qt::Horizontal : Qt::Vertical;
}

} // namespace

QDockWidget* TMainForm::hostPane(QWidget* pane, const PaneSpec& spec) {
    auto* dock = new QDockWidget(QString::fromUtf8(spec.title), this);
    dock->setObjectName(QString::fromLatin1(spec.key));
    dock->setWidget(pane);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(spec.side, dock);
    dock->hide();
    // Shown or hidden by its close box too: the View menu follows.
    connect(dock, &QDockWidget::visibilityChanged, this, [this] { UpdateMenuItems(); });
    panes_.push_back({spec, dock});
    return dock;
}

QDockWidget* TMainForm::paneDock(const char* key) const {
    for (const HostedPane& p : panes_)
        if (std::string_view(p.spec.key) == key) return p.dock;
    return nullptr;
}

bool TMainForm::paneShown(const char* key) const {
    const QDockWidget* dock = paneDock(key);
    return dock && !dock->isHidden();
}

void TMainForm::showPane(const char* key, bool shown) {
    if (QDockWidget* dock = paneDock(key)) dock->setVisible(shown);
    UpdateMenuItems();
}

std::vector<Command> TMainForm::paneCommands() {
    std::vector<Command> out;
    for (const HostedPane& p : panes_) {
        Command c;
        c.id = p.spec.commandId;
        c.caption = p.spec.caption;
        c.hint = p.spec.hint;
        if (p.spec.shortcut) c.shortcut = p.spec.shortcut;
        c.target = CommandTarget::Frame;
        const char* key = p.spec.key;
        c.runFrame = [this, key] { showPane(key, !paneShown(key)); };
        c.checked = [this, key] { return paneShown(key); };
        CommandPlace place;
        place.menu = CommandMenu::View;
        c.places.push_back(place);
        out.push_back(std::move(c));
    }
    return out;
}

void TMainForm::applyPaneLayouts() {
    for (const HostedPane& p : panes_) {
        const auto it = settings_.panes.find(p.spec.key);
        const tv::PaneLayout layout = it != settings_.panes.end() ? it->second : tv::PaneLayout{};
        const Qt::DockWidgetArea side = it != settings_.panes.end() ? sideNamed(layout.side) : p.spec.side;
        if (dockWidgetArea(p.dock) != side) addDockWidget(side, p.dock);
        const int size = layout.size > 0 ? layout.size : p.spec.size;
        if (layout.floating && layout.width > 0 && layout.height > 0) {
            p.dock->setFloating(true);
            // A place on no screen any more comes back on the frame's.
            QRect place(layout.left, layout.top, layout.width, layout.height);
            const QRect screen = this->screen()->availableGeometry();
            if (!screen.intersects(place)) place.moveTopLeft(screen.topLeft());
            p.dock->setGeometry(place);
        }
        p.dock->setVisible(layout.shown);
        if (!layout.floating && size > 0) resizeDocks({p.dock}, {size}, across(side));
    }
}

void TMainForm::collectPaneLayouts() {
    for (const HostedPane& p : panes_) {
        tv::PaneLayout& l = settings_.panes[p.spec.key];
        l.shown = !p.dock->isHidden();
        l.floating = p.dock->isFloating();
        const Qt::DockWidgetArea side = dockWidgetArea(p.dock);
        if (side != Qt::NoDockWidgetArea) l.side = sideName(side);
        if (l.floating) {
            const QRect g = p.dock->geometry();
            l.left = g.left();
            l.top = g.top();
            l.width = g.width();
            l.height = g.height();
        } else if (l.shown) {
            l.size = across(side) == Qt::Horizontal ? p.dock->width() : p.dock->height();
        }
    }
}
