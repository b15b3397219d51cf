// Grammar and result texts always end with an empty line while they are typed on.
#pragma once

#include "rich_text.h"

class QObject;

// When the caret is on the last line and the text does not end with a line break, an empty
// line is added once the edit under way is done, with the caret left where it was. hold is
// the window's flag that keeps its own change handler out meanwhile; context owns it.
void KeepEmptyLastLine(QObject* context, RichText& text, bool& hold);
