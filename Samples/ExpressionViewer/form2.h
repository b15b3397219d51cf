#pragma once
// The viewer's file chooser: a drive, a folder and a file of C++ source, loaded into or saved
// from the main window's source box.

#include <QDialog>
#include <QDir>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kelvantroc {

class Form1;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(Form1& main);

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change(const QString& folder);
    void File1_Click(QListWidgetItem* item);
    void File1_DblClick(QListWidgetItem* item);
    void cmdLoad_Click(int index);

    void LoadSourceFile(const QString& name);
    void SaveSourceFile(const QString& name);

    QComboBox* Drive1;
    QListWidget* Dir1;
    QLabel* lblFolder; // the folder that Dir1 and File1 list
    QListWidget* File1;
    QLineEdit* Text1;
    std::array<QPushButton*, 3> cmdLoad;

    // Kept while the program runs, also after the chooser is closed.
    static QString SourcePath; // the folder of the file last clicked, with a trailing "/"
    static QString fileSourceName; // the name last used for loading or saving

private:
    void ListFolder();
    // A name typed without a folder is taken in the listed folder.
    QString InFolder(const QString& name) const;

    Form1& Main;
    QDir Folder;
};

} // namespace kelvantroc
