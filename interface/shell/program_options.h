// The options the program runs with: read from the settings store, set into the program-wide
// variables in one place, and stored back. The options dialog edits a copy and hands it here.
#pragma once

#include <QString>

#include "options_string.h"

namespace options {

struct StoredOptions {
    QString text; // as stored; empty when nothing is
    OptionValues values;
    bool defaultBoxRead = false;
};

// A stored text read over the default set where a field is damaged; the demonstration set
// when there is no text.
StoredOptions FromText(const QString& text);
// What the settings store holds.
StoredOptions ReadStored();

// The seven font records the program uses now.
std::array<FontRec, FontCount> ProgramFonts();
// Sets the program-wide option variables from the value. A group with no button selected
// leaves its variable alone; the null and terminal extensions have no variable.
void ApplyToProgram(const OptionValues& values);

// Stores the value, after numbering result extensions equal to the source one; gives the
// text stored.
QString Store(OptionValues& values);

} // namespace options
