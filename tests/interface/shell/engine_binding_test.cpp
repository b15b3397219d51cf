// The engine library bound by name: every export through the one table, and a clear message
// when the library or an export is missing.
#include "bound_builder.h"
#include "engine_binding.h"
#include "readers.h"
#include "shell_fixture.h"

namespace {

class BindingTest : public ShellTest {
protected:
    void TearDown() override
    {
        EngineBinding::instance().setCandidates({});
        EngineBinding::instance().reset();
        ShellTest::TearDown();
    }
};

} // namespace

TEST_F(BindingTest, TheLibraryIsBoundAtFirstUseAndItsExportsWork)
{
    EngineBinding& b = EngineBinding::instance();
    b.reset();
    b.setCandidates({SHELL_ENGINE_LIBRARY});
    const EngineExports* e = b.exports();
    ASSERT_NE(e, nullptr) << b.error().toStdString();
    EXPECT_TRUE(ui_->messages.empty());
    // A text result comes back padded with blanks.
    char buffer[8];
    const char a[] = "ab", c[] = "cd";
    e->ReturnString(buffer, 8, a, 2, c, 2);
    EXPECT_EQ(std::string(buffer, 8), "abcd    ");
}

TEST_F(BindingTest, AMissingLibraryIsReportedOnceAndTheProgramGoesOn)
{
    EngineBinding& b = EngineBinding::instance();
    b.reset();
    b.setCandidates({Path("libMorvantelisk.so")});
    EXPECT_EQ(b.exports(), nullptr);
    EXPECT_EQ(b.exports(), nullptr);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.contains("libMorvantelisk.so could not be loaded"));
}

TEST_F(BindingTest, ALibraryWithoutAnExportIsRefusedByName)
{
    // Any shared library that lacks the engine's exports.
    EngineBinding& b = EngineBinding::instance();
    b.reset();
    b.setCandidates({"libz.so.1"});
    EXPECT_EQ(b.exports(), nullptr);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.contains("lacks the export(s) BnfParserInit")) << ui_->messages[0].text.toStdString();
}

TEST_F(BindingTest, TheReadersBuildAGrammarThroughTheBoundLibrary)
{
    EngineBinding& b = EngineBinding::instance();
    b.reset();
    b.setCandidates({SHELL_ENGINE_LIBRARY});
    const EngineExports* e = b.exports();
    ASSERT_NE(e, nullptr);
    const std::int32_t language = 0;
    const std::int16_t yes = -1, no = 0;
    e->BnfParserInit(&language, "", 0, &yes, &no, &no);
    BoundBuilder builder(*e);
    std::string error;
    ASSERT_EQ(readers::ParseGrammarByNotation(readers::Typical, "<Expr> ::= 'x' | '(' <Expr> ')'\r\n", error, {&builder}),
              readers::ReadStatus::Read)
        << error;
    char name[80];
    e->GetGrammarName(name, 80);
    EXPECT_EQ(std::string(name, 80).substr(0, 4), "Expr");
}
