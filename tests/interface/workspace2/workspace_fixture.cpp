#include "workspace_fixture.h"

#include "frmGrammar.h"

void WorkspaceTest::StartWith(const std::string& text)
{
    Start();
    auto p = std::make_unique<ReadingPipeline>(*main());
    reading_ = p.get();
    main()->setPipeline(std::move(p));
    active()->rtfText.SetText(text);
    active()->MarkSaved();
}
