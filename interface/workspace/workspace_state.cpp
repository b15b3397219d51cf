// The open-window list and the toolbar images that follow a grammar's notation.
#include "workspace_state.h"

#include "language_table.h"

namespace ModuleMain {

void ResetWindows()
{
    Frame = nullptr;
    Processing = nullptr;
    ActiveGrammar = nullptr;
    NavWindow = nullptr;
    LogWindow = nullptr;
    ActiveChild = nullptr;
    Grammars.assign(1, nullptr);
    GrammarCount = 0;
}

frmGrammar* GrammarAt(std::int32_t n)
{
    if (n < 1 || n >= static_cast<std::int32_t>(Grammars.size())) return nullptr;
    return Grammars[static_cast<size_t>(n)];
}

void SetNotationBuildImages(std::int32_t notation, std::int32_t language)
{
    RuleEnd1 = QStringLiteral("\r");
    RuleEnd2 = QStringLiteral("\n");
    if (notation == 4) RuleEnd1 = RuleEnd2 = QStringLiteral(";");
    if (!Frame) return;
    const QString n = NotationImage(notation);
    if (!n.isEmpty()) Frame->SetButtonImage(QStringLiteral("Notation"), n);
    if (const LanguageRow* row = LanguageRowOf(language))
        Frame->SetButtonImage(QStringLiteral("Build"), QString::fromLatin1(row->Image));
}

} // namespace ModuleMain
