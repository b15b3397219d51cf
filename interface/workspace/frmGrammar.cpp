#include "frmGrammar.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frmSwitch.h"
#include "language_table.h"
#include "workspace_state.h"
#include "ui_services.h"

using namespace ModuleMain;

frmGrammar::frmGrammar(QWidget* parent) : ChildForm(parent), editor(new QPlainTextEdit(this)), rtfText(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetFont();
    iGrmNotation = CurNotation;
    iGrmLanguage = CurLanguage;
    connect(editor, &QPlainTextEdit::textChanged, this, [this] { rtfText_Change(); });
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { rtfText_SelChange(); });
}

QString frmGrammar::KeyOf(int number)
{
    return QStringLiteral("Root") + QString::number(number).rightJustified(3, ' ');
}
QString frmGrammar::Key() const { return KeyOf(Number()); }

void frmGrammar::SetCaption(const QString& caption) { setWindowTitle(caption); }

QMdiSubWindow* frmGrammar::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

std::string frmGrammar::FileBytes() const
{
    const std::string crlf = const_cast<RichText&>(rtfText).Text();
    if (lineEnds == LineEnds::CRLF) return crlf;
    std::string out;
    out.reserve(crlf.size());
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') {
            out += lineEnds == LineEnds::CR ? '\r' : '\n';
            ++i;
        } else {
            out += crlf[i];
        }
    }
    return out;
}

void frmGrammar::LoadFileBytes(const std::string& bytes)
{
    if (bytes.find("\r\n") != std::string::npos) lineEnds = LineEnds::CRLF;
    else if (bytes.find('\n') == std::string::npos && bytes.find('\r') != std::string::npos) lineEnds = LineEnds::CR;
    else lineEnds = LineEnds::LF;
    bHoldUnChanged = true;
    rtfText.SetText(bytes);
    bHoldUnChanged = false;
}

bool frmGrammar::TextEmpty() const { return editor->document()->isEmpty(); }

void frmGrammar::NotationLanguageSwitch() { SetNotationBuildImages(iGrmNotation, iGrmLanguage); }

void frmGrammar::sbSwitch(bool bRemove)
{
    if (!Frame) return;
    const QString k = Key();
    if (bRemove) {
        Frame->RemovePanel(k);
        ActiveGrammarName.clear();
        return;
    }
    if (!ActiveGrammarName.isEmpty()) Frame->SetPanelInset(ActiveGrammarName, false);
    Frame->SetPanelInset(k, true);
    ActiveGrammarName = k;
}

void frmGrammar::WSwitch(bool bRemove)
{
    const QString k = Key();
    sbSwitch(bRemove);
    if (!ShowNavigation || !NavWindow) return;
    if (bRemove) {
        NavWindow->RemoveNode(k);
        ActiveGrammarName.clear();
    } else {
        NavWindow->SelectNode(k);
        ActiveGrammarName = k;
    }
}

void frmGrammar::SetFont()
{
    bHoldUnChanged = true;
    const QFont f = FontOf(TextsFont);
    setFont(f);
    editor->document()->setDefaultFont(f);
    bHoldUnChanged = false;
}

void frmGrammar::rtfText_GotFocus()
{
    if (!Idle) return;
    ActiveGrammar = this;
    ActiveChild = this;
    TitlesCached = false;
    if (!Frame) return;
    Frame->SetPanel1Text(QStringLiteral("Line %1").arg(rtfText.GetLineFromChar(rtfText.SelStart()) + 1));
    WSwitch(false);
    SetButtonValue();
    NotationLanguageSwitch();
}

// Unload query, then unload. A changed grammar whose save is cancelled or fails stays open.
void frmGrammar::closeEvent(QCloseEvent* event)
{
    // A run in progress works on this window between its steps: it stays until the run ends,
    // and a closing of all windows stops as if cancelled.
    if (!Idle) {
        CloseCancelled = true;
        event->ignore();
        return;
    }
    if (Changed()) {
        const ui::Answer a = ui::Ui().messageBox(QStringLiteral("Save changes to the ") + Caption() + "?",
                                                 Frame ? Frame->Window()->windowTitle() : ui::AppTitle(),
                                                 ui::Buttons::YesNoCancel, ui::Icon::Exclamation);
        if (a == ui::Cancel) {
            CloseCancelled = true;
            event->ignore();
            return;
        }
        if (a == ui::Yes && Frame) {
            frmGrammar* previous = ActiveGrammar;
            ActiveGrammar = this;
            const bool saved =
                Caption().left(8) == QLatin1String("Untitled") ? Frame->SaveGrammarAs() : Frame->SaveGrammar();
            if (!saved) {
                ActiveGrammar = previous;
                CloseCancelled = true;
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    // Unload.
    CloseTree();
    CloseAllDocuments();
    CloseAllGrids();
    WSwitch(true);
    const int n = Number();
    if (Frame) Frame->DelGrammar(n);
    ActiveGrammar = nullptr;
    ActiveChild = nullptr;
    if (Frame) {
        Frame->SetNextGrammar(n);
        if (ActiveGrammar) Frame->LineNum();
        else Frame->SetPanel1Text(QStringLiteral("Ready"));
    }
    if (!ActiveGrammar) {
        Store.Clear();
        SetButtonValue();
    }
}
