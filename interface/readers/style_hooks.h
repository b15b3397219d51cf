// Colouring while reading: each hook gives the characters read since the last styled point
// one font record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace readers {

using Pos = std::int64_t;

struct FontRec {
    std::string FontName;
    std::int32_t FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    std::int32_t FontColor = 0;
    bool operator==(const FontRec&) const = default;
};

// The seven records of the program (texts, matrix titles, nonterminals, terminals, actions,
// comments, errors).
struct FontSet {
    FontRec TextsFont, MatrixFont, NtmFont, TrmFont, ActFont, CnsFont, ErrorFont;
};

// What the readers call; Pos is the reader's indSrc (1-based).
class StyleHooks {
public:
    virtual ~StyleHooks() = default;
    virtual void ApplyTextsFont(Pos pos) = 0;
    virtual void ApplyCnsFont(Pos pos) = 0;
    virtual void ApplyNtmFont(Pos pos) = 0;
    virtual void ApplyTrmFont(Pos pos) = 0;
    virtual void ApplyActFont(Pos pos) = 0;
    virtual void ApplyErrorFont(Pos pos) = 0;
};

class NullStyleHooks final : public StyleHooks {
public:
    void ApplyTextsFont(Pos) override {}
    void ApplyCnsFont(Pos) override {}
    void ApplyNtmFont(Pos) override {}
    void ApplyTrmFont(Pos) override {}
    void ApplyActFont(Pos) override {}
    void ApplyErrorFont(Pos) override {}
};

// The rich text of the child window being styled. A getter answers nullopt when the selection
// mixes values. SetHoldUnchanged mirrors the window's bHoldUnChanged flag.
class RichTextTarget {
public:
    virtual ~RichTextTarget() = default;
    virtual Pos SelStart() const = 0;
    virtual void SetSelStart(Pos start) = 0; // also empties the selection
    virtual void SetSelLength(Pos length) = 0;
    virtual std::optional<std::string> SelFontName() const = 0;
    virtual std::optional<std::int32_t> SelFontSize() const = 0;
    virtual std::optional<std::int32_t> SelColor() const = 0;
    virtual std::optional<bool> SelBold() const = 0;
    virtual std::optional<bool> SelItalic() const = 0;
    virtual std::optional<bool> SelUnderline() const = 0;
    virtual std::optional<bool> SelStrikeThru() const = 0;
    virtual void SetSelFontName(const std::string& v) = 0;
    virtual void SetSelFontSize(std::int32_t v) = 0;
    virtual void SetSelColor(std::int32_t v) = 0;
    virtual void SetSelBold(bool v) = 0;
    virtual void SetSelItalic(bool v) = 0;
    virtual void SetSelUnderline(bool v) = 0;
    virtual void SetSelStrikeThru(bool v) = 0;
    virtual void SetHoldUnchanged(bool hold) = 0;
};

// The hooks over a rich text. StyleBase is the offset of the text being read within the rich
// text (0 when the whole text is read).
class TextStyler final : public StyleHooks {
public:
    TextStyler(const FontSet& fonts, RichTextTarget* child) : fonts_(fonts), child_(child) {}

    bool FastWork = false;
    Pos StyleBase = 0;
    Pos StyleLength = 0;
    Pos StyleEnd = 0;

    void setChild(RichTextTarget* child) { child_ = child; }

    void ApplyTextsFont(Pos pos) override;
    void ApplyCnsFont(Pos pos) override { applyRange(pos, fonts_.CnsFont); }
    void ApplyNtmFont(Pos pos) override { applyRange(pos, fonts_.NtmFont); }
    void ApplyTrmFont(Pos pos) override { applyRange(pos, fonts_.TrmFont); }
    void ApplyActFont(Pos pos) override { applyRange(pos, fonts_.ActFont); }
    void ApplyErrorFont(Pos pos) override { applyRange(pos, fonts_.ErrorFont); }

private:
    void applyRange(Pos pos, const FontRec& rec);
    void applyRecord(const FontRec& rec);

    const FontSet& fonts_;
    RichTextTarget* child_;
};

} // namespace readers
