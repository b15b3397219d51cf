// The File menu's list of the grammar files opened or saved last, newest first, at most 11.
#pragma once

#include <QString>

void LoadRecentFileMenu();
void SaveRecentFile(const QString& fileName, int count);
void RefreshRecentFiles(const QString& fileName);
int FindInRecentMenu(const QString& fileName);
