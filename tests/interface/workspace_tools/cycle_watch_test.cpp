// The end of transformation cycles that lead nowhere: a grammar that comes back with new names,
// or that keeps growing; cycles that change the grammar go on.
#include <gtest/gtest.h>

#include "cycle_watch.h"

namespace {

std::string Alternatives(int n)
{
    std::string text = "<S>::=a";
    for (int i = 1; i < n; ++i) text += "\n      |" + std::string(static_cast<std::size_t>(i), 'a');
    return text + "\n";
}

TEST(CycleWatch, EndsCyclesThatRepeatTheirGrammarOrKeepGrowing)
{
    struct Row {
        const char* what;
        std::vector<std::string> printed;  // one grammar per cycle
        std::string reason;                // after the last one, "" to go on
    };
    const Row rows[] = {
        {"S ::= S S | empty: a longer chain of new names each cycle",
         {"<S>::=<$S>\n<$S>::=\n      |<$S><$S>\n",
          "<S>::=<$S>\n<$S>::=<$$S>\n<$$S>::=\n      |<$$S><$$S>\n"},
         "cycle 2 repeats the grammar of cycle 1 but for the names it made: it is not made LL(1)"},
        {"the same with spelt codes in the names",
         {"<S>::=<$S_chr(62)>\n<$S_chr(62)>::=x\n      |<$S_chr(62)><$S_chr(62)>\n",
          "<S>::=<$$S_chr(62)>\n<$$S_chr(62)>::=x\n      |<$$S_chr(62)><$$S_chr(62)>\n"},
         "cycle 2 repeats the grammar of cycle 1 but for the names it made: it is not made LL(1)"},
        {"new names with other rules go on",
         {"<S>::=<$S>\n<$S>::=a\n      |<$S>b\n", "<S>::=<$S>\n<$S>::=a\n      |b\n"}, ""},
        {"the user's own names are not renamed",
         {"<S>::=<A>x\n<A>::=a\n", "<S>::=<B>x\n<B>::=a\n"}, ""},
        {"a grammar that only points at itself is no repetition of another",
         {"<S>::=<$S>\n<$S>::=<$S>\n      |a\n", "<S>::=<$S>\n<$S>::=a\n"}, ""},
        {"grown past ten times a small grammar's floor of ten",
         {Alternatives(2), Alternatives(100), Alternatives(101)},
         "the grammar has grown to 101 alternatives from 2: it is not made LL(1)"},
        {"grown past ten times its alternatives",
         {Alternatives(30), Alternatives(300), Alternatives(301)},
         "the grammar has grown to 301 alternatives from 30: it is not made LL(1)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        CycleWatch watch;
        for (std::size_t i = 0; i + 1 < r.printed.size(); ++i)
            EXPECT_EQ(watch.Check(static_cast<int>(i) + 1, r.printed[i]).toStdString(), "");
        const std::string reason = watch.Check(static_cast<int>(r.printed.size()), r.printed.back()).toStdString();
        EXPECT_EQ(reason, r.reason);
        EXPECT_EQ(watch.Grown(), reason.find("grown") != std::string::npos);
    }
}

} // namespace
