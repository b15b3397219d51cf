#include "last_line.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "run_guard.h"
#include "workspace_state.h"

void KeepEmptyLastLine(QObject* context, RichText& text, bool& hold)
{
    const std::string now = text.Text();
    if (now.empty() || now.back() == '\n') return;
    if (text.GetLineFromChar(text.SelStart()) != text.GetLineFromChar(text.TextLength())) return;
    // Added after the edit: the editor would otherwise move its caret past the new line.
    QTimer::singleShot(0, context, [&text, &hold] {
        const std::string after = text.Text();
        if (after.empty() || after.back() == '\n') return;
        const RichText::Pos caret = text.SelStart();
        const BusyScope busy;
        hold = true;
        QTextCursor end(text.document());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("\n"));
        text.SetSelStart(caret);
        hold = false;
    });
}
