// The grammar-name check.
#include <gtest/gtest.h>

#include "readers.h"

namespace {

struct NameCase {
    std::string name;
    std::string error;  // "" for a valid name
};

const std::string kRest = "0-9 A-Z _ a-z finish";

const NameCase kNames[] = {
    {"Expr_2", ""},
    {"a", ""},
    {"Z9_", ""},
    {"9abc",
     "Line 1, syntax error, found \"9\" when expecting <Grammar_Name> with one of: A-Z a-z\r\n\r\n!"},
    {"2Expr",
     "Line 1, syntax error, found \"2\" when expecting <Grammar_Name> with one of: A-Z a-z\r\n\r\n!"},
    {"_x",
     "Line 1, syntax error, found \"_\" when expecting <Grammar_Name> with one of: A-Z a-z\r\n\r\n!"},
    {"Expr-2", "Line 1, syntax error, found \"-\" when expecting <{1}-right> with one of: " + kRest +
                   "\r\nExpr\r\n    !"},
    {"E-", "Line 1, syntax error, found \"-\" when expecting <{1}-list> with one of: " + kRest +
               "\r\nE\r\n !"},
    {"", "Line 1, syntax error, found \"end marker\" when expecting <Grammar_Name> with one of: "
         "A-Z a-z\r\n\r\n!"},
    {"My grammar", "Line 1, syntax error, found \" \" when expecting <{1}-right> with one of: " +
                       kRest + "\r\nMy\r\n  !"},
    {"\xC9t", "Line 1, syntax error, found \"\xC9\" when expecting <Grammar_Name> with one of: "
              "A-Z a-z\r\n\r\n!"},
    {"t\xE9", "Line 1, syntax error, found \"\xE9\" when expecting <{1}-list> with one of: " +
                  kRest + "\r\nt\r\n !"},
};

TEST(GrammarName, AcceptsLetterThenLettersDigitsUnderscores)
{
    for (const NameCase& c : kNames) {
        std::string error = "stale";
        readers::Grammar_Name(c.name, error);
        EXPECT_EQ(error, c.error) << c.name;
    }
}

TEST(GrammarName, LongNameIsReadWithoutDeepRecursion)
{
    std::string error = "stale";
    readers::Grammar_Name("N" + std::string(1'000'000, 'x'), error);
    EXPECT_EQ(error, "");
}

} // namespace
