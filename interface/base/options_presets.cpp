// The two built-in option sets. They differ only in the generator's tree and name options,
// four result windows, the font sizes and the colour of errors.
#include "program_state.h"
#include "options_string.h"

namespace options {

namespace {

using ModuleMain::RGB;
using ModuleMain::SystemColour;

OptionValues commonSet(int treeNamesAndMatrices, int size, std::int32_t errorColour)
{
    OptionValues v;
    v.defaultBox = 0;
    const int t = treeNamesAndMatrices;
    v.checks = {1, 1, 1, 1, t, t, 0, 0, 0, t, 1, 1, 1, t, t, t, 1};
    v.buttons.fill(false);
    v.buttons[Typical] = v.buttons[VB] = v.buttons[MarkerTxt] = true;
    v.extensions.fill(QStringLiteral(".tmp"));
    v.extensions[Source] = QStringLiteral(".grm");
    const auto font = [](const char* name, int points, std::int32_t colour) {
        FontRec f;
        f.FontName = name;
        f.FontSize = points;
        f.FontColor = colour;
        return f;
    };
    v.fonts = {font("Courier New", size, SystemColour(8)),    font("Arial", 7, SystemColour(13)),
               font("Courier New", size, RGB(0, 0, 128)),     font("Courier New", size, RGB(0, 0, 192)),
               font("Courier New", size, RGB(128, 128, 128)), font("Courier New", size, RGB(0, 128, 0)),
               font("Courier New", size, errorColour)};
    return v;
}

} // namespace

OptionValues DefaultSet() { return commonSet(0, 10, RGB(192, 0, 0)); }
OptionValues DemoSet() { return commonSet(1, 8, RGB(128, 0, 0)); }

} // namespace options
