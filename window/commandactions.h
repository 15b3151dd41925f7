// TCommandActions: the actions of the command table's places, and the one
// loop that enables them. A place without a name of its own shows its
// command's action (one action, in a menu and on a tool button alike); a
// place with one (another caption, other needs, the context menu) has its
// own.
#pragma once

#include "window/commands.h"

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMenu;

class TCommandActions : public QObject {
    Q_OBJECT
public:
    explicit TCommandActions(QObject* parent);

    // Makes the actions of the places of `commands` that stand in `menus`
    // (all, when empty); `trigger` runs a command. The commands must last
    // as long as the actions.
    void add(const std::vector<Command>& commands, const std::function<void(const Command&)>& trigger,
             const std::vector<CommandMenu>& menus = {});
    // An action by its name (a command's id, or a place's own name).
    QAction* action(std::string_view name) const;
    // The actions standing in `menu`, in table order.
    struct Placed {
        QAction* action;
        bool separatorBefore;
    };
    std::vector<Placed> placed(CommandMenu menu) const;
    // Fills `menu` with the actions placed in it: its sub-menus (from
    // `subMenus`) stand where their first action would.
    void fill(QMenu* menu, CommandMenu which, const std::function<QMenu*(CommandMenu)>& subMenu) const;
    // The one loop: every action enabled as its needs say, and checked as
    // its command says; a sub-menu is enabled while any of its items is.
    void enable(const CommandState& state);

private:
    struct Entry {
        const Command* command;
        CommandMenu menu;
        int position;
        bool separatorBefore;
        unsigned needs;
        QAction* action;
        bool own;  // the place's own action (not the command's)
    };
    QAction* make(const Command& c, const std::string& name, const std::string& caption, const std::string& hint,
                  bool withShortcut, const std::function<void(const Command&)>& trigger);
    std::vector<Entry> entries_;
    std::map<std::string, QAction*, std::less<>> byName_;
    std::vector<std::pair<QMenu*, CommandMenu>> filled_;
};
