// TMRUFileList: the recent-file list with its menus: a submenu of the File
// menu and the drop-down of the Open tool button. Its items carry the
// position of their file in the list.
#pragma once

#include "app/mrulist.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace tv {
class SettingsStore;
}

class TMRUFileList : public QObject {
    Q_OBJECT
public:
    explicit TMRUFileList(QObject* parent = nullptr);

    // Published properties, with the frame's values.
    int Maximum = 10;
    bool RemoveOnClick = true;
    bool UseSubmenu = true;
    QString SubmenuName = QStringLiteral("Open &Recent");
    bool NameOnly = false;
    bool FileAsHint = true;
    QMenu* FileMenu = nullptr;
    QMenu* PopupMenu = nullptr;
    bool AutoSave = true;
    QString AutoSaveName = QStringLiteral("\\Software\\Taviron");
    QString AutoSaveKey = QStringLiteral("MRU List");
    std::function<void(const QString&)> OnMRUItemClick;

    QStringList items() const;
    void AddItem(const QString& fileName);
    void RebuildMenu();
    void ItemClick(QAction* item);
    void LoadFromRegistry(const tv::SettingsStore& store);
    void SaveToRegistry(tv::SettingsStore& store) const;

    // The submenu in the File menu, when the list is not empty.
    QMenu* submenu() const { return submenu_; }

private:
    QAction* makeItem(QMenu* menu, const QString& caption, const std::string& name, int number);

    tv::MruList list_;
    QList<QAction*> fileMenuItems_;
    QMenu* submenu_ = nullptr;
};
