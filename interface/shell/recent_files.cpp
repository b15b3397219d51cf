// The list lives in the settings store and is read by its keys 1 to 11 in that order.
#include "recent_files.h"

#include <QAction>

#include "frmMain.h"
#include "module_main.h"
#include "settings.h"

using namespace ModuleMain;

void LoadRecentFileMenu()
{
    if (!MainForm || MainForm->mnuRecentFile.empty()) return;
    Settings& s = AppSettings();
    if (s.recentFile(1).isEmpty()) return;
    const QStringList files = s.recentFiles();
    for (int i = 0; i < files.size() && i < Settings::RecentFileCount; ++i) {
        MainForm->mnuRecentFile[0]->setVisible(true);
        QAction* entry = MainForm->mnuRecentFile[static_cast<size_t>(i + 1)];
        entry->setText(files[i]);
        entry->setVisible(true);
    }
}

void SaveRecentFile(const QString& fileName, int count)
{
    Settings& s = AppSettings();
    for (int k = count; k >= 1; --k) {
        const QString v = s.recentFile(k);
        if (!v.isEmpty()) s.setRecentFile(k + 1, v);
    }
    s.setRecentFile(1, fileName);
    s.sync();
}

int FindInRecentMenu(const QString& fileName)
{
    if (!MainForm) return 0;
    for (int k = 1; k <= Settings::RecentFileCount && k < static_cast<int>(MainForm->mnuRecentFile.size()); ++k) {
        QAction* entry = MainForm->mnuRecentFile[static_cast<size_t>(k)];
        if (entry->isVisible() && entry->text() == fileName) return k;
    }
    return 0;
}

void RefreshRecentFiles(const QString& fileName)
{
    const int k = FindInRecentMenu(fileName);
    if (k < 1) SaveRecentFile(fileName, Settings::RecentFileCount - 1);
    else SaveRecentFile(fileName, k - 1);
    LoadRecentFileMenu();
}
