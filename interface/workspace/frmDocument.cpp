#include "frmDocument.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <fstream>

#include "frmGrammar.h"
#include "frmSwitch.h"
#include "last_line.h"
#include "run_guard.h"
#include "workspace_state.h"
#include "safe_save.h"
#include "ui_services.h"

using namespace ModuleMain;

frmDocument::frmDocument(frmGrammar* owner, QWidget* parent)
        : ChildForm(parent), editor(new QPlainTextEdit(this)), rtfText(editor), owner_(owner)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont f = FontOf(TextsFont);
    setFont(f);
    editor->document()->setDefaultFont(f);
    editor->setReadOnly(true);
    connect(editor, &QPlainTextEdit::textChanged, this, [this] { rtfText_Change(); });
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { rtfText_SelChange(); });
    editor->installEventFilter(this);
    // A waiting text is filled in before the box first paints.
    editor->viewport()->installEventFilter(this);
    bTextChanged = false;
}

frmDocument::~frmDocument()
{
    if (ActiveChild == this) ActiveChild = owner_ ? static_cast<ChildForm*>(owner_.data()) : nullptr;
}

int frmDocument::Number() const { return Tag.mid(10).trimmed().toInt(); }
bool frmDocument::Locked() const { return editor->isReadOnly(); }
void frmDocument::SetLocked(bool locked) { editor->setReadOnly(locked); }

bool frmDocument::LoadFile(const std::string& path, Colour colour)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FilePath = QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).absoluteFilePath();
    SetTextLater(std::move(bytes), std::move(colour));
    return true;
}

void frmDocument::SetTextLater(std::string bytes, Colour colour)
{
    rtfText.FillLater([this, bytes = std::move(bytes), colour = std::move(colour)] {
        // Neither the text nor the caret the colouring moves counts as the user's: a document
        // first painted while the program is idle changes no status panel or find position.
        const BusyScope busy;
        rtfText.SetText(bytes);
        if (colour) colour(*this, fillShowsProgress_);
    });
}

void frmDocument::Fill()
{
    fillShowsProgress_ = true;
    rtfText.Settle();
    fillShowsProgress_ = false;
}

// A user's edit; loading, replacing and restyling run with Idle cleared and do not count.
void frmDocument::rtfText_Change()
{
    if (!Idle || bHoldUnChanged || rtfText.HoldUnchanged() || editor->document()->isEmpty()) return;
    KeepEmptyLastLine(this, rtfText, bHoldUnChanged);
    bTextChanged = true;
}

void frmDocument::rtfText_SelChange()
{
    if (!Idle || bHoldUnChanged || rtfText.HoldUnchanged()) return;
    const int line = rtfText.GetLineFromChar(rtfText.SelStart()) + 1;
    if (line != lLastLine) {
        lLastLine = line;
        if (Frame) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(line));
    }
    FindStart = static_cast<std::int32_t>(rtfText.SelStart());
    FindRestart = true;
    FindWrapAnswer = 0;
}

void frmDocument::rtfText_GotFocus()
{
    if (Idle) {
        ActiveChild = this;
        if (Frame) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(rtfText.GetLineFromChar(rtfText.SelStart()) + 1));
        if (ActiveGrammar) ActiveGrammar->sbSwitch(false);
    }
    ActiveNodeKey = Tag;
    if (ShowNavigation && NavWindow) NavWindow->SelectNode(Tag);
}

void frmDocument::focusInEvent(QFocusEvent* event)
{
    ChildForm::focusInEvent(event);
    rtfText_GotFocus();
}

bool frmDocument::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor && event->type() == QEvent::FocusIn) rtfText_GotFocus();
    if (watched == editor->viewport() && event->type() == QEvent::Paint) rtfText.Settle();
    return ChildForm::eventFilter(watched, event);
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    if (bTextChanged) {
        const QString caption = windowTitle();
        const int blank = caption.lastIndexOf(' ');
        const QString s = blank < 0 ? caption : caption.mid(blank + 1);
        const ui::Answer a = ui::Ui().messageBox(QStringLiteral("Save changes to the ") + s + "?",
                                                 Frame ? Frame->Window()->windowTitle() : ui::AppTitle(),
                                                 ui::Buttons::YesNoCancel, ui::Icon::Exclamation);
        if (a == ui::Cancel) {
            CloseCancelled = true;
            event->ignore();
            return;
        }
        if (a == ui::Yes) {
            // A failed write keeps the window, its text and the old file, and says why.
            const QString path = FilePath.isEmpty() ? QFileInfo(s).absoluteFilePath() : FilePath;
            QString reason;
            if (!safe_save::WriteWhole(path, rtfText.Text(), reason)) {
                ui::Ui().messageBox(QStringLiteral("The file \"") + path + QStringLiteral("\" could not be written: ") +
                                        reason,
                                    ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
                CloseCancelled = true;
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    // The grammar that owns the document forgets it, whichever grammar is active now.
    if (owner_) owner_->DelDocument(Number());
}
