// The options between the settings store and the program-wide variables.
#include "program_options.h"

#include "module_main.h"
#include "settings.h"

namespace options {

namespace {

namespace mm = ModuleMain;

// The variables of the check boxes of fields 2 to 18, in field order.
std::array<bool*, CheckCount> checkVariables()
{
    return {&mm::PreFact,           &mm::PreLoops,    &mm::PreLeftRecursion, &mm::BuildActions,
            &mm::BuildTree,         &mm::BuildNames,  &mm::ShowFact,         &mm::ShowLoops,
            &mm::ShowLeftRecursion, &mm::ShowNull,    &mm::ShowNonterminals, &mm::ShowTerminals,
            &mm::ShowSelect,        &mm::ShowIsEndOf, &mm::ShowBeginsWith,   &mm::ShowIsFollowedBy,
            &mm::ShowParser};
}

// The variables of the extension boxes of fields 34 to 43; the null and terminal boxes have none.
std::array<QString*, ExtCount> extensionVariables()
{
    return {&mm::ExtSource,        &mm::ExtDead, &mm::ExtUnreach,      &mm::ExtFact, &mm::ExtLoops,
            &mm::ExtLeftRecursion, nullptr,      &mm::ExtNonterminals, nullptr,      &mm::ExtSelect};
}

std::array<FontRec*, FontCount> fontRecords()
{
    return {&mm::TextsFont, &mm::MatrixFont, &mm::NtmFont, &mm::TrmFont, &mm::ActFont, &mm::CnsFont, &mm::ErrorFont};
}

} // namespace

StoredOptions FromText(const QString& text)
{
    StoredOptions out;
    out.text = text;
    if (text.isEmpty()) {
        out.values = DemoSet();
        return out;
    }
    // A damaged field takes the default set's value; the rest of the text still counts.
    const ReadResult r = ReadOptions(text, DefaultSet());
    out.values = r.values;
    out.defaultBoxRead = r.defaultBoxRead;
    return out;
}

StoredOptions ReadStored() { return FromText(AppSettings().options().value_or(QString())); }

std::array<FontRec, FontCount> ProgramFonts()
{
    std::array<FontRec, FontCount> out;
    const auto fonts = fontRecords();
    for (std::size_t k = 0; k < fonts.size(); ++k) out[k] = *fonts[k];
    return out;
}

void ApplyToProgram(const OptionValues& v)
{
    if (const std::int32_t n = v.notation()) mm::CurNotation = n;
    if (const std::int32_t l = v.language()) mm::CurLanguage = l;
    const auto checks = checkVariables();
    for (std::size_t k = 0; k < checks.size(); ++k) *checks[k] = v.checks[k] != 0;
    mm::MarkerGraphic = v.graphicMarker();
    const auto exts = extensionVariables();
    for (std::size_t k = 0; k < exts.size(); ++k)
        if (exts[k]) *exts[k] = v.extensions[k];
    const auto fonts = fontRecords();
    for (std::size_t k = 0; k < fonts.size(); ++k) *fonts[k] = v.fonts[k];
}

QString Store(OptionValues& v)
{
    DistinctResultExtensions(v.extensions);
    const QString text = FormatOptions(v);
    AppSettings().setOptions(text);
    AppSettings().sync();
    return text;
}

} // namespace options
