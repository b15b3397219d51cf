// Colouring a rich text through the readers' text-style hooks. The hooks' ranges are recorded
// with a caret of their own and written into the editor in one pass at the end, so that a long
// text is not re-laid out once per range.
#pragma once

#include <QElapsedTimer>
#include <QTextCharFormat>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "readers.h"
#include "rich_text.h"

class QLabel;
class QProgressBar;

// The style target that records instead of styling at once.
class DeferredRichText final : public readers::RichTextTarget {
public:
    using Pos = readers::Pos;
    explicit DeferredRichText(Pos caret) : sel_(caret) {}

    Pos SelStart() const override { return sel_; }
    void SetSelStart(Pos start) override { sel_ = start < 0 ? 0 : start; }
    void SetSelLength(Pos length) override;
    // Every attribute reads as mixed, so the hooks write all of them.
    std::optional<std::string> SelFontName() const override { return std::nullopt; }
    std::optional<std::int32_t> SelFontSize() const override { return std::nullopt; }
    std::optional<std::int32_t> SelColor() const override { return std::nullopt; }
    std::optional<bool> SelBold() const override { return std::nullopt; }
    std::optional<bool> SelItalic() const override { return std::nullopt; }
    std::optional<bool> SelUnderline() const override { return std::nullopt; }
    std::optional<bool> SelStrikeThru() const override { return std::nullopt; }
    void SetSelFontName(const std::string& v) override;
    void SetSelFontSize(std::int32_t v) override;
    void SetSelColor(std::int32_t v) override;
    void SetSelBold(bool v) override;
    void SetSelItalic(bool v) override;
    void SetSelUnderline(bool v) override;
    void SetSelStrikeThru(bool v) override;
    void SetHoldUnchanged(bool) override {}

    // A styled range and its format, one of the few distinct ones kept in Formats(). A long
    // text records millions: the length and format share what one position takes.
    struct Run {
        Pos start;
        std::int32_t length;
        std::int32_t format;
    };
    const std::vector<Run>& Runs();
    const std::vector<QTextCharFormat>& Formats() const { return formats_; }
    // The index of a record's format in Formats(), -1 when no range has it.
    int IndexOf(const readers::FontRec& rec) const;
    static QTextCharFormat FormatOf(const readers::FontRec& rec);
    void Clear();

private:
    void settle();
    Pos sel_;
    std::vector<Run> runs_;
    // The font record being given to the last range; settled when the next range begins.
    readers::FontRec pending_;
    bool open_ = false;
    std::vector<readers::FontRec> records_;
    std::vector<QTextCharFormat> formats_;
    // The record the last range took, which the next one mostly takes too.
    std::size_t lastRecord_ = 0;
};

// One colouring of one rich text: the program's fonts, StyleBase and FastWork as they stand.
class Colouring {
public:
    using Pos = readers::Pos;
    // progress(done, total) is called while the ranges are written; it may let events run.
    using Progress = std::function<void(std::size_t, std::size_t)>;

    explicit Colouring(RichText& text);
    // With fonts and FastWork as a run left them, for a colouring that waited: fonts must
    // outlive the colouring.
    Colouring(RichText& text, const readers::FontSet& fonts, bool fastWork);
    ~Colouring();

    Pos Caret() const { return target_.SelStart(); }
    void SetCaret(Pos p) { target_.SetSelStart(p); }
    void ApplyTextsFont(Pos pos);
    void ApplyErrorFont(Pos pos);
    // A reading of text in the notation; builder nullptr reads for colouring only.
    readers::ReadStatus Read(int notation, std::string_view text, std::string& error, readers::Builder* builder);
    // Any other colouring of the readers (a listing, the terminal list, code) over this text.
    void Apply(const std::function<void(readers::StyleHooks&)>& colour);

    // Writes the recorded ranges into the editor and puts its caret where the hooks left it.
    // With a base record the whole text takes it first and its ranges need no writing: for a
    // text that is not styled yet, half the work.
    void Finish(const Progress& progress = {}, const readers::FontRec* base = nullptr);

private:
    void syncIn();
    void syncOut();

    RichText& text_;
    DeferredRichText target_;
    readers::TextStyler styler_;
    bool fastWork_;
    bool finished_ = false;
};

// Hooks for a text in which the rich text holds each lone CR or LF as a CR LF line break: a
// position moves on by one for every such break before it.
class LoneBreakShift final : public readers::StyleHooks {
public:
    using Pos = readers::Pos;
    LoneBreakShift(std::string_view text, readers::StyleHooks& inner);

    void ApplyTextsFont(Pos pos) override { inner_.ApplyTextsFont(shifted(pos)); }
    void ApplyCnsFont(Pos pos) override { inner_.ApplyCnsFont(shifted(pos)); }
    void ApplyNtmFont(Pos pos) override { inner_.ApplyNtmFont(shifted(pos)); }
    void ApplyTrmFont(Pos pos) override { inner_.ApplyTrmFont(shifted(pos)); }
    void ApplyActFont(Pos pos) override { inner_.ApplyActFont(shifted(pos)); }
    void ApplyErrorFont(Pos pos) override { inner_.ApplyErrorFont(shifted(pos)); }

private:
    Pos shifted(Pos pos) const;
    // 1-based positions of the lone breaks, ascending.
    std::vector<Pos> breaks_;
    readers::StyleHooks& inner_;
};

// The main window's progress bar and first status panel as the code colouring reports on
// them; lines are counted in the rich text, the caret is the colouring's own.
class CodeProgress final : public readers::CodeColouringHost {
public:
    CodeProgress(QProgressBar* bar, QLabel* status, const RichText& text, const Colouring& colouring)
            : bar_(bar), status_(status), text_(text), colouring_(colouring)
    {
        shown_.start();
    }

    void ShowProgressBar(bool visible) override;
    double ProgressBarMax() const override;
    void SetProgressValue(double value) override;
    void SetStatusText(const std::string& text) override;
    readers::Pos GetLineFromChar(readers::Pos offset) const override { return text_.GetLineFromChar(offset); }
    readers::Pos SelStart() const override { return colouring_.Caret(); }

private:
    // Whether the bar and panel may be painted again: a repaint paints every changed widget
    // of the window, so they move a few times a second, not for every step.
    bool dueForPaint();

    QProgressBar* bar_;
    QLabel* status_;
    const RichText& text_;
    const Colouring& colouring_;
    QElapsedTimer shown_;
};
