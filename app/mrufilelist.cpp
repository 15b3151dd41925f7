#include "app/mrufilelist.h"

#include "base/paths.h"
#include "base/settings.h"

#include <QAction>
#include <QMenu>

TMRUFileList::TMRUFileList(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("MRUFileList1")); }

QStringList TMRUFileList::items() const {
    QStringList out;
    for (const std::string& n : list_.items()) out << QString::fromStdString(n);
    return out;
}

void TMRUFileList::AddItem(const QString& fileName) {
    list_.maximum = Maximum;
    list_.AddItem(fileName.toStdString());
    RebuildMenu();
}

QAction* TMRUFileList::makeItem(QMenu* menu, const QString& caption, const std::string& name, int number) {
    QAction* a = menu->addAction(caption);
    a->setData(number);  // the item's number: its file's position, from 1
    if (FileAsHint) a->setStatusTip(QString::fromStdString(name));
    a->setEnabled(tv::fileExists(name));
    connect(a, &QAction::triggered, this, [this, a] { ItemClick(a); });
    return a;
}

void TMRUFileList::RebuildMenu() {
    if (FileMenu) {
        for (QAction* a : fileMenuItems_) {
            FileMenu->removeAction(a);
            a->deleteLater();
        }
    }
    fileMenuItems_.clear();
    if (submenu_) {
        submenu_->deleteLater();
        submenu_ = nullptr;
    }
    if (PopupMenu) PopupMenu->clear();
    const auto& names = list_.items();
    if (names.empty()) return;
    if (FileMenu) {
        fileMenuItems_ << FileMenu->addSeparator();
        QMenu* target = FileMenu;
        if (UseSubmenu) {
            submenu_ = new QMenu(SubmenuName, FileMenu);
            submenu_->setObjectName(QStringLiteral("RecentMenu"));
            fileMenuItems_ << FileMenu->addMenu(submenu_);
            target = submenu_;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            QAction* a = makeItem(target, QString::fromStdString(tv::MruList::menuCaption(static_cast<int>(i), names[i], NameOnly)),
                                  names[i], static_cast<int>(i) + 1);
            if (!UseSubmenu) fileMenuItems_ << a;
        }
    }
    if (PopupMenu) {
        for (std::size_t i = 0; i < names.size(); ++i)
            makeItem(PopupMenu, QString::fromStdString(tv::MruList::dropDownCaption(names[i])), names[i],
                     static_cast<int>(i) + 1);
    }
}

void TMRUFileList::ItemClick(QAction* item) {
    const int number = item->data().toInt();
    const auto& names = list_.items();
    if (number < 1 || number > static_cast<int>(names.size())) return;
    const std::string name = names[static_cast<std::size_t>(number - 1)];
    if (OnMRUItemClick) OnMRUItemClick(QString::fromStdString(name));
    if (RemoveOnClick) {
        list_.Remove(name);
        RebuildMenu();  // the chosen item itself goes later, it is still running
    }
}

void TMRUFileList::LoadFromRegistry(const tv::SettingsStore& store) {
    if (!AutoSave || AutoSaveName.isEmpty() || AutoSaveKey.isEmpty()) return;
    list_.Load(store, AutoSaveKey.toStdString());
    RebuildMenu();
}

void TMRUFileList::SaveToRegistry(tv::SettingsStore& store) const {
    if (!AutoSave || AutoSaveName.isEmpty() || AutoSaveKey.isEmpty()) return;
    list_.Save(store, AutoSaveKey.toStdString());
}
