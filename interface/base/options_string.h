// The stored options: one text of 92 comma-ended fields that mirrors the options dialog's
// controls and the seven font records, and the two built-in option sets.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "style_hooks.h"

namespace options {

using FontRec = readers::FontRec;

constexpr int FieldCount = 92;
constexpr int CheckCount = 17; // fields 2 to 18
constexpr int ButtonCount = 15; // fields 19 to 33
constexpr int ExtCount = 10; // fields 34 to 43
constexpr int FontCount = 7; // fields 44 to 92, seven per record
constexpr int FieldsPerFont = 7;

// Positions in the check-box list (fields 2 to 18, in this order).
enum Check {
    PreFact,
    PreLoops,
    PreLeftRecursion,
    BuildActions,
    BuildTree,
    BuildNames,
    ShowFact,
    ShowLoops,
    ShowLeftRecursion,
    ShowNull,
    ShowNonterminals,
    ShowTerminals,
    ShowSelect,
    ShowIsEndOf,
    ShowBeginsWith,
    ShowIsFollowedBy,
    ShowParser
};
// Positions in the option-button list (fields 19 to 33, in this order).
enum Button {
    Typical,
    W3C,
    MSDN,
    MSDNComma,
    VB,
    VBScript,
    Fortran90,
    Fortran77,
    Java,
    JScript,
    Delphi,
    Cpp,
    Cc,
    MarkerTxt,
    MarkerGra
};
// Positions in the extension list (fields 34 to 43, in this order).
enum Ext { Source, Dead, Unreach, Fact, Loops, LeftRecursion, Null, Nonterminals, Terminals, Select };

// What the string holds, field group by field group. Check boxes hold 0 (clear), 1 (ticked)
// or 2 (grayed).
struct OptionValues {
    int defaultBox = 0;
    std::array<int, CheckCount> checks{};
    std::array<bool, ButtonCount> buttons{};
    std::array<QString, ExtCount> extensions;
    std::array<FontRec, FontCount> fonts;

    // The chosen input notation (1 to 4) and target language (1 to 9); 0 when the group has
    // no button selected.
    std::int32_t notation() const;
    std::int32_t language() const;
    bool graphicMarker() const { return buttons[MarkerGra]; }

    bool operator==(const OptionValues&) const = default;
};

// The default set (chosen by the ticked Default box, and the fallback of a damaged string) and
// the demonstration set (the gray Default box, and a first run).
OptionValues DefaultSet();
OptionValues DemoSet();

// The 49 font fields, seven per record in record order.
QStringList FontFields(const std::array<FontRec, FontCount>& fonts);
// The whole string: 92 fields, each followed by ",".
QString FormatOptions(const OptionValues& values);

// Reads a stored string field by field. A field that is missing, of the wrong kind, or unsafe
// (an extension that would name a file outside the work folder, an empty font name) takes the
// value of `fallback`; so does a group of option buttons that does not select exactly one.
// Text after the 92nd comma is ignored.
struct ReadResult {
    OptionValues values;
    bool damaged = false;
    int firstDamagedField = 0; // 1-based; 0 when nothing was damaged
    bool defaultBoxRead = false;
};
ReadResult ReadOptions(const QString& text, const OptionValues& fallback);

// Result boxes 2 to 10 that hold exactly the source extension get their position appended
// (".grm" at position 3 becomes ".grm3"), so that no result file overwrites a grammar file.
void DistinctResultExtensions(std::array<QString, ExtCount>& extensions);

// Why a typed extension or a font name cannot be kept, or "" when it can.
QString ExtensionProblem(const QString& extension);
QString FontNameProblem(const QString& name);

// Text forms of the fields.
QString LogicalText(bool value);

} // namespace options
