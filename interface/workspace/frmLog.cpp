#include "frmLog.h"

#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "workspace_state.h"

using namespace ModuleMain;

frmLog::frmLog(QWidget* parent) : ChildForm(parent), editor(new QTextEdit(this)), rtfText(editor)
{
    setWindowTitle(QStringLiteral("Process"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor);
    editor->setReadOnly(true);
    editor->setLineWrapMode(QTextEdit::NoWrap);
    SetLogFont();
}

frmLog::~frmLog()
{
    if (LogWindow == this) LogWindow = nullptr;
    if (QLabel* panel = Frame ? Frame->Panel1() : nullptr)
        panel->setToolTip(QStringLiteral("Click to see the Process window"));
}

void frmLog::SetLogFont()
{
    const QFont f = FontOf(TextsFont);
    editor->setFont(f);
    editor->document()->setDefaultFont(f);
    // The whole log takes the font, lines coloured or styled by a reading included; their
    // colours stay.
    QTextCharFormat format;
    format.setFontFamilies({f.family()});
    format.setFontPointSize(f.pointSizeF());
    format.setFontWeight(f.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic());
    format.setFontUnderline(f.underline());
    format.setFontStrikeOut(f.strikeOut());
    QTextCursor all(editor->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    editor->moveCursor(QTextCursor::End);
}
