// Grammar texts read into the engine library through its exported builder entries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "engine_builder.h"
#include "fakes.h"
#include "morvantelisk.h"
#include "support/work_folder.h"

using namespace readers_test;

namespace {

class EngineReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        Restart();
    }
    // A new run, as before every reading in the program.
    void Restart()
    {
        const std::int32_t language = 0;
        const std::int16_t off = 0;
        const std::string f = folder_.string();
        BnfParserInit(&language, f.data(), static_cast<std::int32_t>(f.size()), &off, &off, &off);
    }

    readers::ReadStatus Read(const std::string& text, std::string& error, int notation = readers::Typical)
    {
        return readers::ParseGrammarByNotation(notation, text, error, {&builder_});
    }

    static std::string GrammarName()
    {
        char buffer[80];
        GetGrammarName(buffer, sizeof buffer);
        std::string name(buffer, sizeof buffer);
        return name.substr(0, name.find_last_not_of(' ') + 1);
    }

    // The rules of the grammar as the engine lists them (identical rules removed first).
    std::string Listing()
    {
        const std::string name = GrammarName();  // also makes it the result files' base name
        std::int32_t head = 0, tail = 0;
        IdenticalRules(&head, &tail);
        const std::string ext = ".rul";
        FileRules(&head, &tail, "", 0, ext.data(), static_cast<std::int32_t>(ext.size()));
        std::ifstream in(folder_ / (name + ext), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static std::string Fixture(const std::string& file)
    {
        std::ifstream in(std::string(READERS_FIXTURES) + "/" + file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return readers::ToCrLf(s.str());
    }

    readers::EngineBuilder builder_;
    test_support::WorkFolder work_{"readers-test"};
    const std::filesystem::path& folder_ = work_.Path();
};

TEST_F(EngineReading, StartSymbolBecomesTheGrammarName)
{
    std::string error;
    ASSERT_EQ(Read("! expressions\r\n<Expr> ::= <Term> { + <Term> }*\r\n<Term> ::= x | ( <Expr> )\r\n",
                   error),
              readers::ReadStatus::Read)
        << error;
    EXPECT_EQ(GrammarName(), "Expr");
}

TEST_F(EngineReading, RulesReachTheStore)
{
    std::string error;
    ASSERT_EQ(Read("$title ::= Sums\r\n"
                   "! a comment line\r\n"
                   "<Expr> ::= <Term> <Rest>\r\n"
                   "<Rest> ::= + <Term> <Rest> |\r\n"
                   "<Term> ::= x | ( <Expr> )\r\n"
                   "| 'ab' <Term>\r\n",
                   error),
              readers::ReadStatus::Read)
        << error;
    EXPECT_EQ(Listing(),
              "      1          <Expr>::=<Term><Rest>\n"
              "      2          <Term>::=x\n"
              "      3          <Term>::=(<Expr>)\n"
              "      4          <Term>::=ab<Term>\n"
              "      5          <Rest>::=+<Term><Rest>\n"
              "      6          <Rest>::=\n");
}

TEST_F(EngineReading, ColourOnlyReadingLeavesTheStoreAlone)
{
    std::string error;
    ASSERT_EQ(Read("<First> ::= a\r\n", error), readers::ReadStatus::Read) << error;
    const readers::FontSet fonts = DistinctFonts();
    const std::string other = "<Second> ::= b\r\n";
    FakeRichText rich(other.size());
    readers::TextStyler styler(fonts, &rich);
    EXPECT_EQ(readers::ColourGrammarText(readers::Typical, other, error, styler),
              readers::ReadStatus::Read);
    EXPECT_EQ(rich.Map(fonts), "NNNNNNNNxxxxxTxx");
    EXPECT_EQ(GrammarName(), "First");
}

TEST_F(EngineReading, LanguageGrammarOfSomeHundredRules)
{
    const std::string text = Fixture("minilang.grm");
    ASSERT_GT(text.size(), 5000u);
    std::string error;
    ASSERT_EQ(Read(text, error), readers::ReadStatus::Read) << error;
    EXPECT_EQ(GrammarName(), "Program");
}

TEST_F(EngineReading, LanguageGrammarListing)
{
    std::string error;
    ASSERT_EQ(Read(Fixture("minilang.grm"), error), readers::ReadStatus::Read) << error;
    const std::string listing = Listing();
    std::istringstream lines(listing);
    std::string line;
    std::vector<std::string> rules;
    while (std::getline(lines, line)) rules.push_back(line.substr(line.find('<')));
    ASSERT_GT(rules.size(), 300u);
    EXPECT_EQ(rules.front(), "<Program>::=<Blank*><Program heading><Block>.<Blank*>");
    int digits = 0;
    for (const std::string& r : rules) digits += r.rfind("<Digit>::=", 0) == 0;
    EXPECT_EQ(digits, 10);
    EXPECT_NE(listing.find("<Letter>::=Z\n"), std::string::npos);
}

TEST_F(EngineReading, SyntaxErrorIsReportedWithItsLine)
{
    std::string error;
    EXPECT_EQ(Read("<A> ::= a\r\n<B> ::= [ b\r\n", error), readers::ReadStatus::SyntaxError);
    EXPECT_EQ(error.substr(0, 7), "Line 2,");
    EXPECT_EQ(GrammarName(), "A");
}

// One grammar in each notation. Groups are named by their notation ("[1]", "(1)"), so the
// listings are compared with the group numbers' brackets made alike.
struct Written {
    int notation;
    const char* text;
};

const Written kSums[] = {
    {readers::Typical,
     "$title ::= Sums\r\n"
     "`add` ::= n = n + 1\r\n"
     "<Expr> ::= <Term> <Rest>\r\n"
     "! the rest of a sum\r\n"
     "<Rest> ::= + <Term> `add` <Rest> |\r\n"
     "<Term> ::= x | ( <Expr> ) | 'ab' <Term>\r\n"
     "| [ - ] <Digit>\r\n"
     "<Digit> ::= 0 | ''49''\r\n"},
    {readers::MSDN,
     "$title ::= Sums\r\n"
     "`add` ::= n = n + 1\r\n"
     "1. <Expr> -> <Term> <Rest>\r\n"
     "! the rest of a sum\r\n"
     "2. <Rest> ::= + <Term> `add` <Rest> |\r\n"
     "3. <Term> ::= x | ( <Expr> ) | 'ab' <Term>\r\n"
     "| [ - ] <Digit>\r\n"
     "4. <Digit> ::= 0 | \"1\"\r\n"},
    {readers::MSDNWithSemicolon,
     "$title ::= Sums\r\n"
     "`add` ::= n = n + 1\r\n"
     "<Expr> ::= <Term> <Rest> ;\r\n"
     "! the rest of a sum\r\n"
     "<Rest> ::=\r\n    + <Term> `add` <Rest>\r\n  | ;\r\n"
     "<Term> ::= x\r\n  | ( <Expr> )\r\n  | 'ab' <Term>\r\n  | [ - ] <Digit> ;\r\n"
     "<Digit> ::= 0 | 1;"},
    {readers::W3C,
     "$title ::= Sums\r\n"
     "`add` ::= n = n + 1\r\n"
     "[1] Expr ::= Term Rest\r\n"
     "! the rest of a sum\r\n"
     "[2] Rest ::= '+' Term `add` Rest | /* empty */\r\n"
     "[3] Term ::= 'x' | '(' Expr ')' | \"ab\" Term\r\n"
     "| ('-')? Digit\r\n"
     "[4] Digit ::= '0' | #x31\r\n"},
};

TEST_F(EngineReading, OneGrammarInEveryNotationGivesOneListing)
{
    const std::regex group(R"([\[\{\(]([0-9]+)[\]\}\)])");
    std::string first;
    for (const Written& w : kSums) {
        Restart();
        std::string error;
        ASSERT_EQ(Read(w.text, error, w.notation), readers::ReadStatus::Read) << w.notation << ": " << error;
        EXPECT_EQ(GrammarName(), "Expr") << w.notation;
        const std::string listing = std::regex_replace(Listing(), group, "#$1");
        if (first.empty()) {
            first = listing;
            EXPECT_EQ(first,
                      "      1          <Expr>::=<Term><Rest>\n"
                      "      2          <Term>::=x\n"
                      "      3          <Term>::=(<Expr>)\n"
                      "      4          <Term>::=ab<Term>\n"
                      "      5          <Term>::=<#1><Digit>\n"
                      "      6          <Rest>::=+<Term><Rest>\n"
                      "      7          <Rest>::=\n"
                      "      8          <#1>::=\"-\"\n"
                      "      9          <#1>::=\n"
                      "     10          <Digit>::=0\n"
                      "     11          <Digit>::=1\n");
        } else {
            EXPECT_EQ(listing, first) << "notation " << w.notation;
        }
    }
}

TEST_F(EngineReading, XmlGrammarInTheW3CNotation)
{
    std::string error;
    ASSERT_EQ(Read(Fixture("xml10.w3c"), error, readers::W3C), readers::ReadStatus::Read) << error;
    EXPECT_EQ(GrammarName(), "document");
    const std::string listing = Listing();
    std::istringstream lines(listing);
    std::string line;
    std::vector<std::string> rules;
    while (std::getline(lines, line)) rules.push_back(line.substr(line.find('<')));
    ASSERT_GT(rules.size(), 1000u);
    EXPECT_EQ(rules.front().rfind("<document>::=<prolog><element>", 0), 0u) << rules.front();
    for (const char* rule : {"<Attribute>::=<Name><Eq><AttValue>", "<StringType>::=CDATA",
                             "<ETag>::=\"<\"/<Name>", "<Reference>::=<EntityRef>", "<Reference>::=<CharRef>",
                             "<EntityRef>::=&<Name>;", "<CDEnd>::=\"]\"\"]\">"})
        EXPECT_NE(std::find_if(rules.begin(), rules.end(),
                               [&](const std::string& r) { return r.rfind(rule, 0) == 0; }),
                  rules.end())
            << rule;
    int tokenizedTypes = 0;
    for (const std::string& r : rules) tokenizedTypes += r.rfind("<TokenizedType>::=", 0) == 0;
    EXPECT_EQ(tokenizedTypes, 7);
}

} // namespace
