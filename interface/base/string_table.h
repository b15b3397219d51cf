// The program's string table (ids 1000 to 1102): menu captions, tool tips and dialog labels,
// put on a form by LoadFormStrings. A widget or action names its string by the dynamic
// property "tag" (its caption) and "tip" (its tool tip).
#pragma once

#include <QString>

class QFont;
class QWidget;

// The text of a string id; "" for an id the table does not hold.
QString LoadResString(int id);

// Captions and tool tips of the form and everything on it from the table; a control without an
// id, or with an id the table lacks, keeps its own.
void LoadFormStrings(QWidget* form);

// The font for a locale (a Windows locale identifier; 0 means the user's): East Asian locales
// get their script's font at 9 points, the listed European ones keep the font, any other gets
// the default family at 8 points. Returns the character set of the table.
int PickLocaleFont(QFont& font, int locale);
// The user's locale as such an identifier (1033 when it is not one the table knows).
int UserLocaleId();
