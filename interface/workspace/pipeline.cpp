// Placeholders until the processing is built: each command says on the status bar that its
// step is not there yet, and changes nothing.
#include "pipeline.h"

#include "frmMain.h"

void Pipeline::notYet(const char* what)
{
    main_.SetPanel1Text(QStringLiteral("%1 is not available yet").arg(QLatin1String(what)));
}

void Pipeline::ResetForNewGrammar() {}
void Pipeline::Parse(std::int32_t) {}
void Pipeline::ParseAndReport() { notYet("Parse Grammar"); }
void Pipeline::GetNewParser(std::int32_t) { notYet("Processing"); }
void Pipeline::RemoveExtraneousSymbols() { notYet("Remove Extraneous Symbols"); }
void Pipeline::LeftFactoringStep() { notYet("Left Factoring"); }
void Pipeline::RecursionLoopsStep() { notYet("Reduce Indirect Left Recursion"); }
void Pipeline::LeftRecursionStep() { notYet("Eliminate Immediate Left Recursion"); }
void Pipeline::BuildDerivationTree() { notYet("Build Derivation Tree"); }
void Pipeline::TryToTransformToLL1(bool& failed) { failed = true; }
void Pipeline::ParseGrammarForFonts() {}
void Pipeline::MarkSyntaxErrors(RichText&, const std::string&, const std::string&) {}
