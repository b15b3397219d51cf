// Colouring while the user types: an edited line goes back to the texts font at once and is
// read again, alone, when the caret leaves it; a syntax error in it is marked.
#include <QPlainTextEdit>

#include "colouring.h"
#include "frmGrammar.h"
#include "last_line.h"
#include "workspace_state.h"

using namespace ModuleMain;

namespace {

using Pos = readers::Pos;

std::string delimiter(const QString& d) { return d.toStdString(); }

// 1-based position of the last `what` at or before the 1-based position `at`; 0 when none.
Pos lastAtOrBefore(const std::string& text, const std::string& what, Pos at)
{
    if (at < 1 || what.empty()) return 0;
    const auto i = text.rfind(what, static_cast<size_t>(at - 1));
    return i == std::string::npos ? 0 : static_cast<Pos>(i) + 1;
}

// 1-based position of the first `what` at or after the 1-based position `at`; 0 when none.
Pos firstAtOrAfter(const std::string& text, const std::string& what, Pos at)
{
    if (at < 1) at = 1;
    if (what.empty() || at > static_cast<Pos>(text.size())) return 0;
    const auto i = text.find(what, static_cast<size_t>(at - 1));
    return i == std::string::npos ? 0 : static_cast<Pos>(i) + 1;
}

int lineOf(const std::string& text, Pos caret)
{
    const auto end = static_cast<size_t>(std::min<Pos>(caret, static_cast<Pos>(text.size())));
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

} // namespace

void frmGrammar::ClearErrorList()
{
    errorList_.assign(1, ErrorEntry{});
    errorCurrent_ = 0;
    errorFree_ = 1;
}

void frmGrammar::ParseAfterSyntaxError(const std::string& sText, const std::string& ErrorMessage, Colouring& colouring)
{
    const std::string end1 = delimiter(RuleEnd1), end2 = delimiter(RuleEnd2);
    std::string error = ErrorMessage;
    Pos lastEnd = 0;
    // One pass per error; each must end further into the text than the pass before.
    while (!error.empty()) {
        StyleBase = 0;
        const Pos c = colouring.Caret();
        const Pos p = lastAtOrBefore(sText, end2, c + 2);
        const Pos q = lastAtOrBefore(error, end2, static_cast<Pos>(error.size()));
        const Pos d = static_cast<Pos>(error.size()) - q;
        if (d == 0) break;
        Pos x = p + d;
        if (x == firstAtOrAfter(sText, end1, p + 1)) {
            if (c - StyleLength >= 0 && lineOf(sText, c) == 0) colouring.SetCaret(c - StyleLength);
            x = colouring.Caret() + 1;
        }
        colouring.ApplyTextsFont(x);
        Pos e = firstAtOrAfter(sText, end1, x);
        if (e == 0) {
            // An error on a last line without a line end: the error font to the end of the text.
            colouring.ApplyErrorFont(static_cast<Pos>(sText.size()) + 1);
            break;
        }
        colouring.ApplyErrorFont(e);
        StyleBase = static_cast<std::int32_t>(e + 1);
        if (e <= lastEnd) break;
        lastEnd = e;
        colouring.SetCaret(StyleBase);
        if (static_cast<size_t>(e + 1) >= sText.size()) break;
        const std::string rest = sText.substr(static_cast<size_t>(e + 1));
        std::string next;
        colouring.Read(iGrmNotation, rest, next, nullptr);
        error = next;
    }
    StyleBase = 0;
}

void frmGrammar::MarkRuleError(const std::string& m, const std::string& err, Colouring& colouring)
{
    if (err.empty()) return;
    const std::string end1 = delimiter(RuleEnd1), end2 = delimiter(RuleEnd2);
    StyleBase = 0;
    const Pos c = colouring.Caret();
    const Pos q = lastAtOrBefore(err, end2, static_cast<Pos>(err.size()));
    const Pos d = static_cast<Pos>(err.size()) - q;
    if (d == 0) return;
    const Pos p = lastAtOrBefore(m, end2, c + 1);
    Pos x = p + d;
    if (x == static_cast<Pos>(m.size())) {
        if (c - StyleLength >= 0 && lineOf(m, c) == 0) colouring.SetCaret(c - StyleLength);
        x = colouring.Caret() + 1;
    }
    colouring.ApplyTextsFont(x);
    const Pos e = firstAtOrAfter(m, end1, x);
    colouring.ApplyErrorFont(e == 0 ? static_cast<Pos>(m.size()) + 1 : e);
    unsetCursor();
}

void frmGrammar::rtfText_Change()
{
    if (bHoldUnChanged || rtfText.HoldUnchanged()) return;
    // Only an edit made as typing is (one the editor can undo); a text put in whole is a load.
    const bool typed = editor->document()->isUndoAvailable();
    if (typed && Idle && !FastWork && errorCurrent_ == 0 && !TextEmpty()) {
        const Pos c = rtfText.SelStart();
        const std::string before = rtfText.Text();
        KeepEmptyLastLine(this, rtfText, bHoldUnChanged);
        const std::string t = before + "\r\n";
        const std::string end1 = delimiter(RuleEnd1), end2 = delimiter(RuleEnd2);
        Pos s = lastAtOrBefore(t, end2, c + 1);
        const Pos b = s == 0 ? 1 : s;
        if (errorFree_ != 0 && errorFree_ <= static_cast<int>(errorList_.size())) {
            errorCurrent_ = errorFree_;
            errorFree_ = 0;
        } else {
            errorList_.push_back({});
            errorCurrent_ = static_cast<int>(errorList_.size());
        }
        errorList_[static_cast<size_t>(errorCurrent_ - 1)] = {rtfText.GetLineFromChar(c) + 1, b};
        StyleBase = 0;
        const Pos e = firstAtOrAfter(t, end1, c + 1);
        const Pos span = e - s + 1;
        const bool emptyLine = span == 1 || (span == 2 && t.compare(static_cast<size_t>(b - 1), 2, "\r\n") == 0);
        if (!emptyLine && e != 0) {
            Idle = false;
            editor->setUpdatesEnabled(false);
            {
                Colouring colouring(rtfText);
                if (s > 1) {
                    colouring.SetCaret(s - 1);
                } else {
                    colouring.SetCaret(0);
                    s = 2;
                }
                colouring.ApplyTextsFont(s);
                colouring.ApplyTextsFont(e);
                colouring.Finish();
            }
            unsetCursor();
            rtfText.SetSelStart(c);
            editor->setUpdatesEnabled(true);
            editor->document()->clearUndoRedoStacks();
            NavRefresh = true;
        }
    }
    Tag = -Number();
    TitlesCached = false;
    Idle = true;
}

void frmGrammar::rtfText_SelChange()
{
    if (bHoldUnChanged || rtfText.HoldUnchanged() || !Idle) return;
    unsetCursor();
    const Pos c = rtfText.SelStart();
    Store.SetCaret(c);
    const int line = rtfText.GetLineFromChar(c) + 1;
    if (line != lastLine_) {
        lastLine_ = line;
        if (Frame && ActiveGrammar == this) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(line));
    }
    FindStart = static_cast<std::int32_t>(c);
    FindRestart = true;
    FindWrapAnswer = 0;
    if (errorCurrent_ != 0 && errorList_[static_cast<size_t>(errorCurrent_ - 1)].line != lastLine_) {
        const std::string t = rtfText.Text() + "\r\n";
        const std::string end1 = delimiter(RuleEnd1), end2 = delimiter(RuleEnd2);
        const Pos b = errorList_[static_cast<size_t>(errorCurrent_ - 1)].start;
        const Pos rs = lastAtOrBefore(t, end2, b);
        const Pos re = firstAtOrAfter(t, end1, end1 == ";" ? b + 1 : b);
        errorList_[static_cast<size_t>(errorCurrent_ - 1)] = {};
        errorFree_ = errorCurrent_;
        errorCurrent_ = 0;
        const Pos n = re - rs + 1;
        const bool emptyLine = n == 2 && (rs == 0 || t.compare(static_cast<size_t>(rs - 1), 2, "\r\n") == 0);
        if (re != 0 && !emptyLine) {
            StyleBase = static_cast<std::int32_t>(rs);
            Idle = false;
            editor->setUpdatesEnabled(false);
            {
                Colouring colouring(rtfText);
                colouring.SetCaret(rs);
                std::string error;
                colouring.Read(iGrmNotation,
                               std::string_view(t).substr(static_cast<size_t>(rs), static_cast<size_t>(n)), error,
                               nullptr);
                if (!error.empty()) MarkRuleError(t.substr(0, static_cast<size_t>(re)), error, colouring);
                colouring.Finish();
            }
            StyleBase = 0;
            rtfText.SetSelStart(c);
            Idle = true;
            editor->setUpdatesEnabled(true);
            NavRefresh = true;
        }
    }
    for (size_t i = 0; i < errorList_.size(); ++i) {
        if (errorList_[i].line == lastLine_) {
            errorCurrent_ = static_cast<int>(i) + 1;
            break;
        }
        if (errorList_[i].line == 0) errorFree_ = static_cast<int>(i) + 1;
    }
    if (errorFree_ == static_cast<int>(errorList_.size()) && errorList_.size() >= 2) {
        errorList_.pop_back();
        errorFree_ = 0;
    }
}
