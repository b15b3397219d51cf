// The options value set into the program-wide variables: every button to its code (the two
// C++ buttons are stored in the other order than their codes), a group with no choice, and the
// fields with no variable.
#include <gtest/gtest.h>

#include "module_main.h"
#include "program_options.h"

using namespace ModuleMain;

namespace {

options::OptionValues choosing(std::initializer_list<options::Button> chosen)
{
    options::OptionValues v = options::DefaultSet();
    v.buttons.fill(false);
    for (options::Button b : chosen) v.buttons[b] = true;
    return v;
}

class ProgramOptions : public ::testing::Test {
protected:
    void TearDown() override { SetStartValues(); }
};

} // namespace

TEST_F(ProgramOptions, EachButtonSetsItsCode)
{
    struct Row {
        options::Button button;
        std::int32_t notation, language;
    };
    const Row rows[] = {
        {options::Typical, 1, 0},  {options::W3C, 2, 0},   {options::MSDN, 3, 0},     {options::MSDNComma, 4, 0},
        {options::VB, 0, 1},       {options::VBScript, 0, 2}, {options::Fortran90, 0, 3}, {options::Fortran77, 0, 4},
        {options::Java, 0, 5},     {options::JScript, 0, 6}, {options::Delphi, 0, 7},   {options::Cpp, 0, 9},
        {options::Cc, 0, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        const options::OptionValues v = choosing({r.button});
        EXPECT_EQ(v.notation(), r.notation);
        EXPECT_EQ(v.language(), r.language);
        CurNotation = CurLanguage = 77;
        options::ApplyToProgram(v);
        // A group with no button chosen leaves its variable alone.
        EXPECT_EQ(CurNotation, r.notation ? r.notation : 77);
        EXPECT_EQ(CurLanguage, r.language ? r.language : 77);
    }
}

TEST_F(ProgramOptions, EveryOtherFieldReachesItsVariable)
{
    options::OptionValues v = choosing({options::MSDN, options::Delphi, options::MarkerGra});
    v.checks.fill(0);
    v.checks[options::PreLoops] = 2;  // gray counts as ticked
    v.checks[options::ShowParser] = 1;
    for (std::size_t k = 0; k < v.extensions.size(); ++k) v.extensions[k] = QStringLiteral(".x%1").arg(k);
    v.fonts[6].FontName = "Errors Font";
    v.fonts[1].FontSize = 9;
    options::ApplyToProgram(v);
    EXPECT_TRUE(MarkerGraphic);
    EXPECT_TRUE(PreLoops);
    EXPECT_TRUE(ShowParser);
    for (bool off : {PreFact, PreLeftRecursion, BuildActions, BuildTree, BuildNames, ShowFact, ShowLoops,
                     ShowLeftRecursion, ShowNull, ShowNonterminals, ShowTerminals, ShowSelect, ShowIsEndOf,
                     ShowBeginsWith, ShowIsFollowedBy})
        EXPECT_FALSE(off);
    const QString extensions[] = {ExtSource, ExtDead, ExtUnreach, ExtFact, ExtLoops, ExtLeftRecursion,
                                  ExtNonterminals, ExtSelect};
    const QString expected[] = {".x0", ".x1", ".x2", ".x3", ".x4", ".x5", ".x7", ".x9"};
    for (std::size_t k = 0; k < std::size(expected); ++k) EXPECT_EQ(extensions[k], expected[k]);
    EXPECT_EQ(ErrorFont.FontName, "Errors Font");
    EXPECT_EQ(MatrixFont.FontSize, 9);
    EXPECT_EQ(options::ProgramFonts(), v.fonts);
}

TEST_F(ProgramOptions, NoStoredTextIsTheDemonstrationSetAndADamagedOneFallsBackFieldByField)
{
    const options::StoredOptions none = options::FromText(QString());
    EXPECT_EQ(none.values, options::DemoSet());
    EXPECT_FALSE(none.defaultBoxRead);
    QString text = options::FormatOptions(options::DemoSet());
    text.replace(0, 1, QStringLiteral("x"));  // the Default box field
    const options::StoredOptions damaged = options::FromText(text);
    EXPECT_FALSE(damaged.defaultBoxRead);
    EXPECT_EQ(damaged.values.checks, options::DemoSet().checks);
}
