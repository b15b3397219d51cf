#include "frmError.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include "frmGrammar.h"
#include "workspace_state.h"
#include "pipeline.h"
#include "readers.h"

frmError::Body::Body(QWidget* parent) : ChildForm(parent), editor(new QTextEdit(this)), rtfText(editor)
{
    editor->setObjectName(QStringLiteral("rtfText"));
    editor->setLineWrapMode(QTextEdit::NoWrap);
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    editor->setFont(f);
    editor->document()->setDefaultFont(f);
}

frmError::frmError(QWidget* parent) : QDialog(parent), body(new Body(this)), rtfText(body->rtfText)
{
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("Syntax error"));
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    // The text is read, not edited: Enter reaches the OK button, which has the focus.
    body->editor->setReadOnly(true);
    body->editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    body->editor->setFocusPolicy(Qt::ClickFocus);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &frmError::Command1_Click);
    // As designed: the text box on top, the button below it.
    body->setGeometry(0, 0, 560, 140);
    Command1->setGeometry(0, 150, 90, 28);
    resize(570, 190);
    Form_Load();
}

void frmError::Form_Load() { Form_Resize(); }

void frmError::Form_Resize()
{
    const double t = ModuleMain::TwipsPerPixel();
    const int w = width();
    // A window narrower than the margin leaves the text box empty rather than negative.
    body->resize(std::max(0, w - qRound(100 / t)), body->height());
    body->editor->setGeometry(0, 0, body->width(), body->height());
    Command1->move((w - Command1->width()) / 2, Command1->y());
}

void frmError::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmError::Command1_Click() { accept(); }

void frmError::SetErrorText(const std::string& errorText)
{
    rtfText.SetText(errorText);
    ShowFromStart();
}

void frmError::ShowFromStart()
{
    rtfText.SetSelStart(0);
    body->editor->horizontalScrollBar()->setValue(0);
    body->editor->verticalScrollBar()->setValue(0);
}

void frmError::ColourQuotedText(RichText& text, const std::string& source, std::int32_t base)
{
    using namespace ModuleMain;
    const int notation = ActiveGrammar ? ActiveGrammar->iGrmNotation : CurNotation;
    readers::TextStyler styler(Fonts, &text);
    styler.FastWork = FastWork;
    styler.StyleBase = base;
    text.SetSelStart(base);
    std::string readingError;
    readers::ColourGrammarText(notation, source, readingError, styler);
    if (Processing) Processing->MarkSyntaxErrors(text, source, readingError);
}
