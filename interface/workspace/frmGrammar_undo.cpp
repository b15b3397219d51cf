// The grammar window's side of the undo store: what the editor shows goes in, a step coming
// back is shown, re-coloured in its own notation, without marking the text as changed.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "frmGrammar.h"
#include "workspace_state.h"
#include "pipeline.h"

using namespace ModuleMain;

UndoStore::Step frmGrammar::shownStep() const { return {rtfText.Text(), rtfText.SelStart(), iGrmNotation}; }

void frmGrammar::rtfStoreAdd()
{
    Store.Add(shownStep());
    SetButtonValue();
}

void frmGrammar::rtfUndo()
{
    if (auto step = Store.Undo(shownStep())) showStep(*step);
    SetButtonValue();
}

void frmGrammar::rtfRedo()
{
    if (auto step = Store.Redo(shownStep())) showStep(*step);
    SetButtonValue();
}

void frmGrammar::showStep(const UndoStore::Step& step)
{
    bHoldUnChanged = true;
    rtfText.SetText(step.text);
    rtfText.SetSelStart(step.caret);
    iGrmNotation = step.notation;
    NotationLanguageSwitch();
    const auto caret = rtfText.SelStart();
    if (ActiveGrammar) ActiveGrammar->SetFont();
    if (Processing) Processing->ParseGrammarForFonts();
    rtfText.SetSelStart(caret);
    rtfText.SetSelLength(1);
    rtfText.SetSelLength(0);
    if (Frame) {
        Frame->SetPanel1Text(QStringLiteral("Line %1").arg(rtfText.GetLineFromChar(rtfText.SelStart()) + 1));
        if (QMdiSubWindow* sub = subWindow()) {
            sub->showNormal();
            Frame->MdiArea()->setActiveSubWindow(sub);
        }
    }
    bHoldUnChanged = false;
}

void frmGrammar::SetButtonValue()
{
    if (!Frame) return;
    const UndoStore::Buttons b = Store.ButtonState();
    Frame->ShowUndoState(QLatin1String(b.undoImage), b.undoEnabled, QLatin1String(b.redoImage), b.redoEnabled);
}
