#include "style_hooks.h"

namespace readers {

void TextStyler::ApplyTextsFont(Pos pos)
{
    if (FastWork || !child_) return;
    const Pos e = pos + StyleBase - 1;
    if (pos + StyleBase > 1) {
        StyleLength = e - child_->SelStart();
        if (StyleLength > 0) {
            child_->SetHoldUnchanged(true);
            child_->SetSelLength(StyleLength);
            applyRecord(fonts_.TextsFont);
            child_->SetHoldUnchanged(false);
        }
    }
    StyleEnd = e;
    if (e >= 0) child_->SetSelStart(e);
}

void TextStyler::applyRange(Pos pos, const FontRec& rec)
{
    if (FastWork || !child_) return;
    const Pos e = pos + StyleBase - 1;
    StyleLength = e - child_->SelStart();
    if (StyleLength <= 0) return;
    child_->SetHoldUnchanged(true);
    child_->SetSelLength(StyleLength);
    applyRecord(rec);
    StyleEnd = e;
    if (e >= 0) child_->SetSelStart(e);
    child_->SetHoldUnchanged(false);
}

// Writes only what differs, so re-colouring an already coloured text writes nothing.
void TextStyler::applyRecord(const FontRec& rec)
{
    RichTextTarget& t = *child_;
    if (t.SelFontName() != rec.FontName) t.SetSelFontName(rec.FontName);
    if (t.SelFontSize() != rec.FontSize) t.SetSelFontSize(rec.FontSize);
    if (t.SelColor() != rec.FontColor) t.SetSelColor(rec.FontColor);
    if (t.SelBold() != rec.FontBold) t.SetSelBold(rec.FontBold);
    if (t.SelItalic() != rec.FontItalic) t.SetSelItalic(rec.FontItalic);
    if (t.SelUnderline() != rec.FontUnderline) t.SetSelUnderline(rec.FontUnderline);
    if (t.SelStrikeThru() != rec.FontStrikethru) t.SetSelStrikeThru(rec.FontStrikethru);
}

} // namespace readers
