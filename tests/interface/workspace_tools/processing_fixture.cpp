#include "processing_fixture.h"

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

void ProgramTest::SetUp()
{
    ShellTest::SetUp();
    Start();
}

void ProgramTest::SetText(const std::string& text)
{
    active()->LoadFileBytes(text);
    active()->iGrmNotation = 1;
    active()->MarkSaved();
}

std::string ProgramTest::Text() const { return active()->rtfText.Text(); }
std::string ProgramTest::Log() const { return main()->LogText; }
