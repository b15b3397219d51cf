// One settings class over QSettings.
#include "settings.h"

#include <QSettings>

#include "ui_services.h"

namespace {

int readTwips(const QSettings& s, const char* key, int fallback, int low, int high)
{
    bool ok = false;
    const int value = s.value(QStringLiteral("Settings/") + key).toString().trimmed().toInt(&ok);
    if (!ok || value < low || value > high) return fallback;
    return value;
}

} // namespace

Settings::Settings()
        : store_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, ui::AppTitle(),
                                             ui::AppTitle()))
{}

Settings::Settings(const QString& iniFile) : store_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

Settings::~Settings() = default;

QRect Settings::mainRect() const
{
    // Twips of a large screen; a stored value beyond them is damage, not a placement.
    constexpr int limit = 1440 * 200;
    const int left = readTwips(*store_, "MainLeft", DefaultLeft, -limit, limit);
    const int top = readTwips(*store_, "MainTop", DefaultTop, -limit, limit);
    const int width = readTwips(*store_, "MainWidth", DefaultWidth, 1440, limit);
    const int height = readTwips(*store_, "MainHeight", DefaultHeight, 1440, limit);
    return QRect(left, top, width, height);
}

void Settings::setMainRect(const QRect& r)
{
    store_->setValue(QStringLiteral("Settings/MainLeft"), QString::number(r.left()));
    store_->setValue(QStringLiteral("Settings/MainTop"), QString::number(r.top()));
    store_->setValue(QStringLiteral("Settings/MainWidth"), QString::number(r.width()));
    store_->setValue(QStringLiteral("Settings/MainHeight"), QString::number(r.height()));
}

std::optional<QString> Settings::options() const
{
    const QVariant v = store_->value(QStringLiteral("Settings/Options"));
    if (!v.isValid()) return std::nullopt;
    // A text with commas written by hand, without quotes, reads back as a list of its pieces.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void Settings::setOptions(const QString& text) { store_->setValue(QStringLiteral("Settings/Options"), text); }

QString Settings::recentFile(int k) const
{
    return store_->value(QStringLiteral("Recent Files/RecentFile%1").arg(k)).toString();
}

void Settings::setRecentFile(int k, const QString& path)
{
    store_->setValue(QStringLiteral("Recent Files/RecentFile%1").arg(k), path);
}

QStringList Settings::recentFiles() const
{
    QStringList out;
    for (int k = 1; k <= RecentFileCount; ++k) {
        const QString key = QStringLiteral("Recent Files/RecentFile%1").arg(k);
        if (!store_->contains(key)) break;
        out << store_->value(key).toString();
    }
    return out;
}

void Settings::sync() { store_->sync(); }

namespace {
std::unique_ptr<Settings>& currentSettings()
{
    static std::unique_ptr<Settings> s;
    return s;
}
} // namespace

Settings& AppSettings()
{
    auto& s = currentSettings();
    if (!s) s = std::make_unique<Settings>();
    return *s;
}

void SetAppSettings(std::unique_ptr<Settings> settings) { currentSettings() = std::move(settings); }
