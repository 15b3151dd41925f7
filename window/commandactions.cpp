#include "window/commandactions.h"

#include "base/frametext.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <limits>

namespace {
QString fromUtf8(const std::string& s) { return QString::fromStdString(s); }
} // namespace

TCommandActions::TCommandActions(QObject* parent) : QObject(parent) {}

QAction* TCommandActions::make(const Command& c, const std::string& name, const std::string& caption,
                               const std::string& hint, bool withShortcut,
                               const std::function<void(const Command&)>& trigger) {
    auto* a = new QAction(fromUtf8(caption), parent());
    a->setObjectName(fromUtf8(name));
    if (withShortcut && !c.shortcut.empty()) a->setShortcut(QKeySequence(fromUtf8(c.shortcut)));
    if (!hint.empty()) {
        // A frame's menu item keeps the tool tip its caption gives it.
        if (c.target != CommandTarget::Frame || hint.find('|') != std::string::npos)
            a->setToolTip(fromUtf8(tv::shortHint(hint)));
        a->setStatusTip(fromUtf8(tv::longHint(hint)));
    }
    a->setIconVisibleInMenu(false);
    if (c.checked) a->setCheckable(true);
    const Command* command = &c;
    connect(a, &QAction::triggered, this, [trigger, command] { trigger(*command); });
    byName_.emplace(name, a);
    return a;
}

void TCommandActions::add(const std::vector<Command>& commands, const std::function<void(const Command&)>& trigger,
                          const std::vector<CommandMenu>& menus) {
    for (const Command& c : commands) {
        for (const CommandPlace& p : c.places) {
            if (!menus.empty() && std::find(menus.begin(), menus.end(), p.menu) == menus.end()) continue;
            const bool own = !p.name.empty() && p.name != c.id;
            QAction* a = action(own ? p.name : c.id);
            if (!a) {
                a = own ? make(c, p.name, p.caption.empty() ? c.caption : p.caption, p.hint.empty() ? c.hint : p.hint,
                               false, trigger)
                        : make(c, c.id, c.caption, c.hint, true, trigger);
            }
            if (p.hidden) a->setVisible(false);
            const unsigned needs = p.needs == TheCommandsNeeds ? c.needs : p.needs;
            entries_.push_back({&c, p.menu, p.position, p.separatorBefore, own ? needs : c.needs, a, own});
        }
    }
}

QAction* TCommandActions::action(std::string_view name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

std::vector<TCommandActions::Placed> TCommandActions::placed(CommandMenu menu) const {
    std::vector<Placed> out;
    for (const Entry& e : entries_)
        if (e.menu == menu) out.push_back({e.action, e.separatorBefore});
    return out;
}

void TCommandActions::fill(QMenu* menu, CommandMenu which, const std::function<QMenu*(CommandMenu)>& subMenu) const {
    // Places that say where they stand come in that order, the others in
    // table order.
    std::vector<const Entry*> order;
    for (const Entry& e : entries_) order.push_back(&e);
    const auto key = [which](const Entry* e) {
        return e->menu == which && e->position >= 0 ? e->position : std::numeric_limits<int>::max();
    };
    std::stable_sort(order.begin(), order.end(), [&key](const Entry* a, const Entry* b) { return key(a) < key(b); });
    std::vector<CommandMenu> placedMenus;
    for (const Entry* entry : order) {
        const Entry& e = *entry;
        if (e.menu == which) {
            if (e.separatorBefore) menu->addSeparator();
            menu->addAction(e.action);
            continue;
        }
        const CommandMenuInfo& info = commandMenu(e.menu);
        if (e.menu == CommandMenu::None || info.parent != which) continue;
        if (std::find(placedMenus.begin(), placedMenus.end(), e.menu) != placedMenus.end()) continue;
        placedMenus.push_back(e.menu);
        if (info.separatorBefore) menu->addSeparator();
        QMenu* sub = subMenu(e.menu);
        menu->addMenu(sub);
        const_cast<TCommandActions*>(this)->filled_.emplace_back(sub, e.menu);
    }
}

void TCommandActions::enable(const CommandState& state) {
    for (const Entry& e : entries_) {
        e.action->setEnabled(commandEnabled(e.needs, state) && (!e.command->available || e.command->available()));
        if (e.command->checked) e.action->setChecked(e.command->checked());
    }
    // A sub-menu none of whose items can act is greyed as a whole.
    for (const auto& [menu, which] : filled_) {
        bool any = false;
        for (const Entry& e : entries_)
            if (e.menu == which && e.action->isEnabled()) any = true;
        menu->menuAction()->setEnabled(any);
    }
}
