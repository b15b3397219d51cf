#include "colouring.h"

#include <QLabel>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <limits>

#include "cp1251.h"
#include "frmTree.h"
#include "run_guard.h"
#include "workspace_state.h"

using namespace ModuleMain;

QTextCharFormat DeferredRichText::FormatOf(const readers::FontRec& rec)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QString::fromStdString(rec.FontName)});
    f.setFontPointSize(rec.FontSize > 0 ? rec.FontSize : 1);
    f.merge(RichText::ColourFormat(rec.FontColor));
    f.setFontWeight(rec.FontBold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(rec.FontItalic);
    f.setFontUnderline(rec.FontUnderline);
    f.setFontStrikeOut(rec.FontStrikethru);
    return f;
}

int DeferredRichText::IndexOf(const readers::FontRec& rec) const
{
    const auto it = std::find(records_.begin(), records_.end(), rec);
    return it == records_.end() ? -1 : static_cast<int>(it - records_.begin());
}

// The hooks give a handful of font records to many ranges: each distinct format is kept once.
void DeferredRichText::settle()
{
    if (!open_) return;
    open_ = false;
    if (lastRecord_ >= records_.size() || !(records_[lastRecord_] == pending_)) {
        auto it = std::find(records_.begin(), records_.end(), pending_);
        if (it == records_.end()) {
            it = records_.insert(records_.end(), pending_);
            formats_.push_back(FormatOf(pending_));
        }
        lastRecord_ = static_cast<std::size_t>(it - records_.begin());
    }
    const int index = static_cast<int>(lastRecord_);
    Run& last = runs_.back();
    last.format = index;
    // A range that goes on where the one before it ended, in the same format, joins it.
    if (runs_.size() >= 2) {
        Run& before = runs_[runs_.size() - 2];
        if (before.format == index && before.start + before.length == last.start &&
            Pos{before.length} + last.length <= std::numeric_limits<std::int32_t>::max()) {
            before.length += last.length;
            runs_.pop_back();
        }
    }
}

void DeferredRichText::SetSelLength(Pos length)
{
    settle();
    constexpr Pos longest = std::numeric_limits<std::int32_t>::max();
    runs_.push_back({sel_, static_cast<std::int32_t>(std::clamp<Pos>(length, -longest, longest)), -1});
    pending_ = readers::FontRec{};
    open_ = true;
}

const std::vector<DeferredRichText::Run>& DeferredRichText::Runs()
{
    settle();
    return runs_;
}

void DeferredRichText::Clear()
{
    runs_.clear();
    open_ = false;
}

// The hooks write every attribute of a range (they read all of them as mixed).
void DeferredRichText::SetSelFontName(const std::string& v) { pending_.FontName = v; }
void DeferredRichText::SetSelFontSize(std::int32_t v) { pending_.FontSize = v; }
void DeferredRichText::SetSelColor(std::int32_t v) { pending_.FontColor = v; }
void DeferredRichText::SetSelBold(bool v) { pending_.FontBold = v; }
void DeferredRichText::SetSelItalic(bool v) { pending_.FontItalic = v; }
void DeferredRichText::SetSelUnderline(bool v) { pending_.FontUnderline = v; }
void DeferredRichText::SetSelStrikeThru(bool v) { pending_.FontStrikethru = v; }

Colouring::Colouring(RichText& text) : Colouring(text, Fonts, FastWork) {}

Colouring::Colouring(RichText& text, const readers::FontSet& fonts, bool fastWork)
        : text_(text), target_(text.SelStart()), styler_(fonts, &target_), fastWork_(fastWork)
{}

Colouring::~Colouring()
{
    if (!finished_) Finish();
}

void Colouring::syncIn()
{
    styler_.FastWork = fastWork_;
    styler_.StyleBase = StyleBase;
}

void Colouring::syncOut()
{
    StyleLength = static_cast<std::int32_t>(styler_.StyleLength);
    StyleEnd = static_cast<std::int32_t>(styler_.StyleEnd);
}

void Colouring::ApplyTextsFont(Pos pos)
{
    syncIn();
    styler_.ApplyTextsFont(pos);
    syncOut();
}

void Colouring::ApplyErrorFont(Pos pos)
{
    syncIn();
    styler_.ApplyErrorFont(pos);
    syncOut();
}

readers::ReadStatus Colouring::Read(int notation, std::string_view text, std::string& error, readers::Builder* builder)
{
    syncIn();
    readers::ProgramState program;
    readers::ReadStatus status;
    {
        // The run that asked for the reading decides when the program is idle again.
        const BusyScope busy;
        status = builder ? readers::ParseGrammarByNotation(notation, text, error,
                                                           {builder, &styler_, &DerivationTreeHooks()}, &program)
                         : readers::ColourGrammarText(notation, text, error, styler_, &program);
    }
    syncOut();
    return status;
}

void Colouring::Apply(const std::function<void(readers::StyleHooks&)>& colour)
{
    syncIn();
    colour(styler_);
    syncOut();
}

void Colouring::Finish(const Progress& progress, const readers::FontRec* base)
{
    finished_ = true;
    QTextDocument* doc = text_.document();
    const auto& runs = target_.Runs();
    const int skipped = base ? target_.IndexOf(*base) : -1;
    if (!runs.empty()) {
        if (base) {
            // The whole text takes the base as its own format, in one step that no undo keeps.
            const bool undo = doc->isUndoRedoEnabled();
            doc->setUndoRedoEnabled(false);
            const bool hold = text_.HoldUnchanged();
            text_.SetHoldUnchanged(true);
            QTextCursor c(doc);
            c.select(QTextCursor::Document);
            c.setCharFormat(DeferredRichText::FormatOf(*base));
            text_.ClearOverlays();
            text_.SetHoldUnchanged(hold);
            doc->setUndoRedoEnabled(undo);
        }
        // The ranges come in text order: walk the blocks forwards, adding up their lengths,
        // instead of searching. A block starts at its editor position plus one for each break
        // before it.
        QTextBlock block = doc->begin();
        int start = 0;
        Pos number = 0;
        const auto toDocument = [&](Pos pos) -> int {
            if (!block.isValid() || pos < start + number) return static_cast<int>(text_.toDocument(pos));
            for (QTextBlock next = block.next(); next.isValid() && start + block.length() + number + 1 <= pos;
                 next = next.next()) {
                start += block.length();
                block = next;
                ++number;
            }
            const Pos within = std::min<Pos>(pos - (start + number), block.length() - 1);
            return static_cast<int>(start + within);
        };
        std::vector<RichText::Overlay> overlays;
        overlays.reserve(runs.size());
        for (const auto& r : runs) {
            if (r.length <= 0 || r.format < 0 || r.format == skipped) continue;
            const int a = toDocument(r.start);
            const int b = toDocument(r.start + r.length);
            if (b > a) overlays.push_back({a, b - a, r.format});
        }
        text_.LayOver(overlays, target_.Formats(), progress);
        target_.Clear();
    }
    text_.SetSelStart(target_.SelStart());
}

LoneBreakShift::LoneBreakShift(std::string_view text, readers::StyleHooks& inner) : inner_(inner)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') breaks_.push_back(static_cast<Pos>(i) + 1);
    }
}

// A position styles up to the character before it, so a break just before it counts in full.
LoneBreakShift::Pos LoneBreakShift::shifted(Pos pos) const
{
    return pos + static_cast<Pos>(std::lower_bound(breaks_.begin(), breaks_.end(), pos) - breaks_.begin());
}

void CodeProgress::ShowProgressBar(bool visible)
{
    if (bar_) bar_->setVisible(visible);
}

double CodeProgress::ProgressBarMax() const { return bar_ ? bar_->maximum() : 100; }

bool CodeProgress::dueForPaint()
{
    constexpr qint64 interval = 80;
    if (shown_.elapsed() < interval) return false;
    shown_.restart();
    return true;
}

// The bar repaints itself on a visible change; the panel is repainted here, so that both move
// while the run keeps the window's messages waiting.
void CodeProgress::SetProgressValue(double value)
{
    if (bar_ && (value >= bar_->maximum() || dueForPaint())) bar_->setValue(static_cast<int>(value));
}

void CodeProgress::SetStatusText(const std::string& text)
{
    if (!status_) return;
    status_->setText(cp1251::toUnicode(text));
    if (dueForPaint()) status_->repaint();
}
