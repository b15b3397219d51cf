#include "colouring.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "frmTree.h"
#include "module_main.h"

using namespace ModuleMain;

QTextCharFormat& DeferredRichText::current()
{
    if (runs_.empty()) runs_.push_back({sel_, 0, {}});
    return runs_.back().format;
}

void DeferredRichText::SetSelFontName(const std::string& v) { current().setFontFamilies(QStringList{QString::fromStdString(v)}); }
void DeferredRichText::SetSelFontSize(std::int32_t v) { current().setFontPointSize(v > 0 ? v : 1); }
void DeferredRichText::SetSelColor(std::int32_t v) { current().merge(RichText::ColourFormat(v)); }
void DeferredRichText::SetSelBold(bool v) { current().setFontWeight(v ? QFont::Bold : QFont::Normal); }
void DeferredRichText::SetSelItalic(bool v) { current().setFontItalic(v); }
void DeferredRichText::SetSelUnderline(bool v) { current().setFontUnderline(v); }
void DeferredRichText::SetSelStrikeThru(bool v) { current().setFontStrikeOut(v); }

Colouring::Colouring(RichText& text) : text_(text), target_(text.SelStart()), styler_(Fonts, &target_) {}

Colouring::~Colouring()
{
    if (!finished_) Finish();
}

void Colouring::syncIn()
{
    styler_.FastWork = FastWork;
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
    const bool idle = Idle;
    Idle = false;
    const readers::ReadStatus status =
        builder ? readers::ParseGrammarByNotation(notation, text, error, {builder, &styler_, &DerivationTreeHooks()}, &program)
                : readers::ColourGrammarText(notation, text, error, styler_, &program);
    // The run that asked for the reading decides when the program is idle again.
    Idle = idle;
    syncOut();
    return status;
}

void Colouring::Finish(const Progress& progress)
{
    finished_ = true;
    QTextEdit* edit = text_.edit();
    QTextDocument* doc = edit->document();
    const auto& runs = target_.Runs();
    if (!runs.empty()) {
        const bool undo = doc->isUndoRedoEnabled();
        doc->setUndoRedoEnabled(false);
        const bool hold = text_.HoldUnchanged();
        text_.SetHoldUnchanged(true);
        QTextCursor c(doc);
        const int last = doc->characterCount() - 1;
        const std::size_t slice = 4096;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const auto& r = runs[i];
            if (r.length <= 0) continue;
            const int a = static_cast<int>(text_.toDocument(r.start));
            const int b = static_cast<int>(text_.toDocument(r.start + r.length));
            if (a >= last && a >= b) continue;
            c.setPosition(a);
            c.setPosition(b > last ? last : b, QTextCursor::KeepAnchor);
            c.mergeCharFormat(r.format);
            if (progress && (i + 1) % slice == 0) progress(i + 1, runs.size());
        }
        if (progress) progress(runs.size(), runs.size());
        text_.SetHoldUnchanged(hold);
        doc->setUndoRedoEnabled(undo);
        target_.Clear();
    }
    text_.SetSelStart(target_.SelStart());
}
