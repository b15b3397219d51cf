#include "reading_pipeline.h"

#include "frmGrammar.h"
#include "frmTree.h"
#include "module_main.h"
#include "readers.h"

using namespace ModuleMain;

void ReadingPipeline::Parse(std::int32_t)
{
    ++parses;
    frmGrammar* g = ActiveGrammar;
    if (!g) return;
    readers::NullBuilder builder;
    readers::ReaderHooks hooks{&builder, nullptr, &DerivationTreeHooks()};
    lastError.clear();
    readers::ParseGrammarByNotation(g->iGrmNotation, g->rtfText.Text(), lastError, hooks);
    if (g->GrammarName.isEmpty()) g->GrammarName = QStringLiteral("Sample");
}

void ReadingPipeline::ParseAndReport() { Parse(0); }
