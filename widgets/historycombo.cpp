#include "widgets/historycombo.h"

#include "base/docfile.h"
#include "base/settings.h"

#include <QLineEdit>

THistoryCombo::THistoryCombo(const QString& key, QWidget* parent, int limit)
    : TValueCombo(parent), key_(key), limit_(limit) {
    // Addresses and folders: room for a real path.
    setMinimumContentsLength(40);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const auto store = tv::openSettingsStore();
    for (const std::string& entry : tv::readListSection(*store, key_.toStdString()))
        addItem(QString::fromStdString(entry));
    setCurrentIndex(-1);
    lineEdit()->clear();
}

void THistoryCombo::remember() {
    const std::string text = currentText().toStdString();
    if (text.empty()) return;
    std::vector<std::string> list{text};
    for (int i = 0; i < count() && static_cast<int>(list.size()) < limit_; ++i) {
        const std::string e = itemText(i).toStdString();
        if (e != text) list.push_back(e);
    }
    try {
        const auto store = tv::openSettingsStore();
        tv::writeListSection(*store, key_.toStdString(), list, "H");
        store->flush();
        // The list shows the new order at once.
        const QString text = currentText();
        clear();
        for (const std::string& e : list) addItem(QString::fromStdString(e));
        setCurrentText(text);
    } catch (const tv::FileError&) {
        // A history that cannot be stored is only a convenience lost.
    }
}
