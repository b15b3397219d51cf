// Writing and reading the stored options text, field by field.
#include "options_string.h"

#include <optional>

namespace options {

namespace {

// The codes of the notation and language buttons, in field order.
constexpr std::array<std::int32_t, 4> NotationCodes = {1, 2, 3, 4};
constexpr std::array<std::int32_t, 9> LanguageCodes = {1, 2, 3, 4, 5, 6, 7, 9, 8};

template <std::size_t Count>
std::int32_t chosen(const std::array<bool, ButtonCount>& buttons, int first,
                    const std::array<std::int32_t, Count>& codes)
{
    for (std::size_t k = 0; k < Count; ++k)
        if (buttons[static_cast<std::size_t>(first) + k]) return codes[k];
    return 0;
}

// A system colour is 0x80000000 plus an index below 256; anything else must be an RGB value.
constexpr std::int64_t SystemColourFirst = -2147483647LL - 1;
constexpr std::int64_t SystemColourLast = SystemColourFirst + 255;
constexpr int LargestFontSize = 1638;

std::optional<std::int64_t> wholeNumber(const QString& field)
{
    bool ok = false;
    const qlonglong v = field.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<bool> logical(const QString& field)
{
    const QString t = field.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    // Only the words: a number here is a sign of fields shifted by a stray comma.
    return std::nullopt;
}

std::optional<int> boxValue(const QString& field)
{
    const auto n = wholeNumber(field);
    if (!n || *n < 0 || *n > 2) return std::nullopt;
    return static_cast<int>(*n);
}

std::optional<std::int32_t> fontSize(const QString& field)
{
    const auto n = wholeNumber(field);
    if (!n || *n < 1 || *n > LargestFontSize) return std::nullopt;
    return static_cast<std::int32_t>(*n);
}

std::optional<std::int32_t> colour(const QString& field)
{
    const auto n = wholeNumber(field);
    if (!n) return std::nullopt;
    if ((*n >= 0 && *n <= 0xFFFFFF) || (*n >= SystemColourFirst && *n <= SystemColourLast))
        return static_cast<std::int32_t>(*n);
    return std::nullopt;
}

// Walks the fields of a stored text, noting the first one that could not be used.
class FieldReader {
public:
    explicit FieldReader(const QString& text) : text_(text) {}

    // The next field, or nullopt when no comma ends it.
    std::optional<QString> next()
    {
        ++field_;
        if (pos_ > text_.size()) return std::nullopt;
        const qsizetype comma = text_.indexOf(QLatin1Char(','), pos_);
        if (comma < 0) {
            pos_ = text_.size() + 1;
            return std::nullopt;
        }
        QString f = text_.mid(pos_, comma - pos_);
        pos_ = comma + 1;
        return f;
    }

    template <typename T, typename Convert>
    void take(T& target, const T& fallback, Convert convert)
    {
        std::optional<T> v;
        if (const auto f = next()) v = convert(*f);
        if (v) {
            target = *v;
        } else {
            target = fallback;
            damage(field_);
        }
    }

    void damage(int field)
    {
        if (!firstDamaged_ || field < firstDamaged_) firstDamaged_ = field;
    }
    int field() const { return field_; }
    int firstDamaged() const { return firstDamaged_; }

private:
    const QString& text_;
    qsizetype pos_ = 0;
    int field_ = 0;
    int firstDamaged_ = 0;
};

// Exactly one selected button in [first, last), or the fallback's group.
void checkGroup(OptionValues& v, const OptionValues& fallback, int first, int last, FieldReader& reader)
{
    int selected = 0;
    for (int k = first; k < last; ++k) selected += v.buttons[static_cast<size_t>(k)] ? 1 : 0;
    if (selected == 1) return;
    for (int k = first; k < last; ++k) v.buttons[static_cast<size_t>(k)] = fallback.buttons[static_cast<size_t>(k)];
    reader.damage(2 + CheckCount + first);
}

} // namespace

QString LogicalText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QStringList FontFields(const std::array<FontRec, FontCount>& fonts)
{
    QStringList out;
    for (const FontRec& f : fonts) {
        out << QString::fromStdString(f.FontName) << QString::number(f.FontSize) << LogicalText(f.FontBold)
            << LogicalText(f.FontItalic) << LogicalText(f.FontUnderline) << LogicalText(f.FontStrikethru)
            << QString::number(f.FontColor);
    }
    return out;
}

QString FormatOptions(const OptionValues& v)
{
    QString s;
    const auto add = [&s](const QString& field) { s += field + QLatin1Char(','); };
    add(QString::number(v.defaultBox));
    for (int c : v.checks) add(QString::number(c));
    for (bool b : v.buttons) add(LogicalText(b));
    for (const QString& e : v.extensions) add(e);
    for (const QString& f : FontFields(v.fonts)) add(f);
    return s;
}

ReadResult ReadOptions(const QString& text, const OptionValues& fallback)
{
    ReadResult r;
    OptionValues& v = r.values;
    FieldReader reader(text);

    if (const auto f = reader.next()) {
        if (const auto box = boxValue(*f)) {
            v.defaultBox = *box;
            r.defaultBoxRead = true;
        }
    }
    if (!r.defaultBoxRead) {
        v.defaultBox = fallback.defaultBox;
        reader.damage(1);
    }
    for (size_t k = 0; k < v.checks.size(); ++k) reader.take(v.checks[k], fallback.checks[k], boxValue);
    for (size_t k = 0; k < v.buttons.size(); ++k) reader.take(v.buttons[k], fallback.buttons[k], logical);
    checkGroup(v, fallback, Typical, VB, reader);
    checkGroup(v, fallback, VB, MarkerTxt, reader);
    checkGroup(v, fallback, MarkerTxt, ButtonCount, reader);
    for (size_t k = 0; k < v.extensions.size(); ++k) {
        reader.take(v.extensions[k], fallback.extensions[k], [](const QString& f) -> std::optional<QString> {
            if (!ExtensionProblem(f).isEmpty()) return std::nullopt;
            return f;
        });
    }
    for (size_t k = 0; k < v.fonts.size(); ++k) {
        FontRec& f = v.fonts[k];
        const FontRec& d = fallback.fonts[k];
        std::optional<QString> name = reader.next();
        // A number where a name belongs is a field shifted by a stray comma.
        if (name && FontNameProblem(*name).isEmpty() && !name->trimmed().isEmpty() && !wholeNumber(*name)) {
            f.FontName = name->toStdString();
        } else {
            f.FontName = d.FontName;
            reader.damage(reader.field());
        }
        reader.take(f.FontSize, d.FontSize, fontSize);
        reader.take(f.FontBold, d.FontBold, logical);
        reader.take(f.FontItalic, d.FontItalic, logical);
        reader.take(f.FontUnderline, d.FontUnderline, logical);
        reader.take(f.FontStrikethru, d.FontStrikethru, logical);
        reader.take(f.FontColor, d.FontColor, colour);
    }
    r.firstDamagedField = reader.firstDamaged();
    r.damaged = r.firstDamagedField != 0;
    return r;
}

void DistinctResultExtensions(std::array<QString, ExtCount>& extensions)
{
    const QString source = extensions[Source];
    for (int k = Dead; k < ExtCount; ++k) {
        QString& e = extensions[static_cast<size_t>(k)];
        if (e == source) e += QString::number(k + 1);
    }
}

QString ExtensionProblem(const QString& extension)
{
    if (extension.contains(QLatin1Char(','))) return QStringLiteral("An extension cannot hold a comma.");
    if (extension.contains(QLatin1Char('/')) || extension.contains(QLatin1Char('\\')))
        return QStringLiteral("An extension cannot hold a folder separator (/ or \\).");
    if (extension.contains(QLatin1String(".."))) return QStringLiteral("An extension cannot hold \"..\".");
    for (const QChar c : extension)
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("An extension cannot hold a control character.");
    return QString();
}

QString FontNameProblem(const QString& name)
{
    if (name.contains(QLatin1Char(',')))
        return QStringLiteral("The font name \"%1\" holds a comma, which the stored options cannot keep.").arg(name);
    for (const QChar c : name)
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("A font name cannot hold a control character.");
    return QString();
}

std::int32_t OptionValues::notation() const { return chosen(buttons, Typical, NotationCodes); }
std::int32_t OptionValues::language() const { return chosen(buttons, VB, LanguageCodes); }

} // namespace options
