#include "workspace_fixture.h"

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

void WorkspaceTest::StartWith(const std::string& text)
{
    Start();
    auto p = std::make_unique<ReadingPipeline>(*main());
    reading_ = p.get();
    main()->setPipeline(std::move(p));
    active()->rtfText.SetText(text);
    active()->MarkSaved();
}
