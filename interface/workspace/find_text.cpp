// Positions count from 1 as the search state keeps them; the caret counts from 0. Every
// character of the code page is one position, and a line break is two (CR LF).
#include "find_text.h"

#include "child_form.h"
#include "cp1251.h"
#include "workspace_state.h"
#include "ui_services.h"

using namespace ModuleMain;

void FindNextInText()
{
    if (!ActiveChild) return;
    RichText* rtf = ActiveChild->rtf();
    if (!rtf) return;
    const QString text = cp1251::toUnicode(rtf->Text());
    const qsizetype len = FindText.size();
    const Qt::CaseSensitivity cs = FindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto selStart = rtf->SelStart();
    qsizetype s = selStart + ((selStart == FindStart && !FindRestart) ? 1 : 0);

    qsizetype q = 0; // 1-based, 0 = not found
    if (len > 0) {
        if (FindDirection != 1) {
            if (FindWrapAnswer != 0 || s - 1 < 0) {
                q = text.lastIndexOf(FindText, -1, cs) + 1;
            } else {
                // The last occurrence that ends at or before position s - 1.
                const qsizetype lastStart = s - 1 - len; // 0-based
                q = lastStart < 0 ? 0 : text.lastIndexOf(FindText, lastStart, cs) + 1;
            }
        } else {
            if (FindWrapAnswer != 0) {
                q = text.indexOf(FindText, 0, cs) + 1;
            } else {
                if (FindRestart && rtf->SelLength() == len) s += 1;
                q = text.indexOf(FindText, s, cs) + 1;
            }
        }
    }
    FindWrapAnswer = 0;
    if (q > 0) {
        Idle = false;
        rtf->SetSelStart(q - 1);
        rtf->SetSelLength(len);
    } else {
        FindWrapAnswer = ui::Ui().messageBox(QStringLiteral("The specified region has been searched."), ui::AppTitle(),
                                             ui::Buttons::Ok, ui::Icon::None);
    }
    FindStart = static_cast<std::int32_t>(rtf->SelStart());
    FindRestart = false;
    if (Frame) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(rtf->GetLineFromChar(rtf->SelStart()) + 1));
    Idle = true;
}
