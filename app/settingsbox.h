// TSettingsBox: every option of Taviron on four pages, and TAddBrowser, the
// small dialog that names a browser and its program.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QButtonGroup;

namespace tv {
struct Settings;
}

class TAddBrowser : public QDialog {
    Q_OBJECT
public:
    explicit TAddBrowser(QWidget* parent = nullptr);
    QLineEdit* bname = nullptr;
    QLineEdit* path = nullptr;
    QPushButton* OkBtn = nullptr;
    void check();
};

class TSettingsBox : public QDialog {
    Q_OBJECT
public:
    TSettingsBox(const tv::Settings& s, QWidget* parent = nullptr);

    QComboBox* LoadFrom = nullptr;
    QPushButton* NewBtn = nullptr;
    QComboBox* DateFormat = nullptr;
    QLineEdit* custdate = nullptr;
    QCheckBox* Addext1 = nullptr;
    QCheckBox* AutoSave = nullptr;
    QComboBox* bgcolor = nullptr;
    QComboBox* face = nullptr;
    QComboBox* fcolor = nullptr;
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;
    QSpinBox* UpDown1 = nullptr;
    QComboBox* DefaultEncoding = nullptr;
    QCheckBox* Colorenable = nullptr;
    QComboBox* cAnch = nullptr;
    QComboBox* cImg = nullptr;
    QComboBox* cComm = nullptr;
    QComboBox* cTags = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* Ext = nullptr;
    QButtonGroup* Delimit = nullptr;
    QCheckBox* Labels = nullptr;
    QComboBox* PreviewRefresh = nullptr;
    QSpinBox* PreviewPause = nullptr;
    QCheckBox* CheckAsYouType = nullptr;
    QCheckBox* CompleteMarkup = nullptr;
    QCheckBox* CloseTags = nullptr;
    QCheckBox* MatchTags = nullptr;
    QCheckBox* Folding = nullptr;
    QCheckBox* CheckWarnings = nullptr;
    QComboBox* CheckAccess = nullptr;

    // The working copy of the browser list.
    std::vector<std::string> browsers;

    void AddBrowserClick();
    void EditBrowserClick();
    void DeleteBrowserClick();
    void MoveBrowser(int by);
    void AddExtensionClick();
    void DeleteExtensionClick();

    // Copies the dialog into the options, in the order the dialog applies
    // them. False (with the message in `error`) when the font size is not a
    // whole number; nothing is applied then.
    bool apply(tv::Settings& s, std::string& error) const;

private:
    void showBrowsers(int select);
};
