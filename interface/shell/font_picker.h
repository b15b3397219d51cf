// The font choice of the options dialog: a font dialog with a colour choice. The program shows
// the Qt dialog; tests install scripted answers.
#pragma once

#include <memory>
#include <optional>

#include "style_hooks.h"

class QWidget;

namespace dialogs {

class FontPicker {
public:
    virtual ~FontPicker() = default;
    // The record chosen from `preset` (name, size, four effects, colour); nullopt when cancelled.
    virtual std::optional<readers::FontRec> ChooseFont(QWidget* owner, const readers::FontRec& preset) = 0;
};

FontPicker& Fonts();
// nullptr restores the Qt dialog.
void SetFontPicker(std::unique_ptr<FontPicker> picker);

} // namespace dialogs
