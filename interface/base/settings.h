// The per-user settings store: the main window's rectangle, the recent files and the raw
// options text, read and written in this one place.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

class Settings {
public:
    // Twips; also the values that replace a missing or damaged stored rectangle.
    static constexpr int DefaultLeft = 300, DefaultTop = 240, DefaultWidth = 11500, DefaultHeight = 8200;
    static constexpr int RecentFileCount = 11;

    // The user's store under the program's title.
    Settings();
    // A store in one file (tests, benchmarks).
    explicit Settings(const QString& iniFile);
    ~Settings();

    // "MainLeft", "MainTop", "MainWidth", "MainHeight" of section "Settings", in twips. A key
    // that is missing, not a whole number or out of any sensible range gives its default.
    QRect mainRect() const;
    void setMainRect(const QRect& twips);

    // Key "Options" of section "Settings"; nullopt when it is missing.
    std::optional<QString> options() const;
    void setOptions(const QString& text);

    // "RecentFile" + k of section "Recent Files", k from 1 to 11; "" when missing.
    QString recentFile(int k) const;
    void setRecentFile(int k, const QString& path);
    // The entries read by their keys 1, 2, ... in that order, up to the first missing key.
    QStringList recentFiles() const;

    void sync();
    QSettings& store() { return *store_; }

private:
    std::unique_ptr<QSettings> store_;
};

// The program's one store. Tests install their own before the main window is made.
Settings& AppSettings();
void SetAppSettings(std::unique_ptr<Settings> settings);
