// The LL1 button's transformation of a grammar that is not LL(1), through the program's own
// processing and the engine library: the text it leaves, the language kept, the switches
// restored, Undo, a stop, and the guard that holds for the whole transformation.
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <functional>

#include "frmDocument.h"
#include "frmGrid.h"
#include "frmTree.h"
#include "pipeline.h"
#include "processing_fixture.h"

using namespace ModuleMain;

namespace {


class TransformTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        auto probe = std::make_unique<ProbeUi>();
        probe_ = probe.get();
        ui::SetUi(std::move(probe));
        ui_ = nullptr;
        ShowProcess = true;
    }
    ProbeUi* probe_ = nullptr;
};

// The language of a grammar text in the Typical notation as the engine prints it and as the
// tests write it: one-character terminals, blanks ignored, "|" lines continuing a rule.
struct Grammar {
    std::map<std::string, std::vector<std::vector<std::string>>> rules;  // "<X>" or a terminal
    std::string start;
};

Grammar ReadGrammar(const std::string& text)
{
    Grammar g;
    std::istringstream in(text);
    std::string line, current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t p = line.find_first_not_of(' ');
        if (p == std::string::npos) continue;
        std::string body;
        if (line[p] == '|') {
            body = line.substr(p);
        } else {
            const std::size_t def = line.find("::=");
            if (def == std::string::npos) continue;
            current = line.substr(p, line.find('>', p) - p + 1);
            if (g.start.empty()) g.start = current;
            body = "|" + line.substr(def + 3);
        }
        auto& alts = g.rules[current];
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '|') alts.emplace_back();
            else if (body[i] == ' ') continue;
            else if (body[i] == '<') {
                const std::size_t e = body.find('>', i);
                alts.back().push_back(body.substr(i, e - i + 1));
                i = e;
            } else {
                alts.back().push_back(std::string(1, body[i]));
            }
        }
    }
    return g;
}

// Every terminal string of at most n characters, by leftmost derivations over sentential
// forms of bounded length.
std::set<std::string> Language(const Grammar& g, std::size_t n)
{
    std::set<std::string> out;
    std::set<std::vector<std::string>> seen;
    std::deque<std::vector<std::string>> todo{{g.start}};
    while (!todo.empty()) {
        std::vector<std::string> form = todo.front();
        todo.pop_front();
        if (form.size() > 2 * n + 4 || !seen.insert(form).second) continue;
        std::size_t k = 0, terminals = 0;
        while (k < form.size() && form[k][0] != '<') ++k;
        for (const auto& s : form) terminals += s[0] != '<';
        if (terminals > n) continue;
        if (k == form.size()) {
            std::string w;
            for (const auto& s : form) w += s;
            out.insert(w);
            continue;
        }
        const auto r = g.rules.find(form[k]);
        if (r == g.rules.end()) continue;
        for (const auto& alt : r->second) {
            std::vector<std::string> next(form.begin(), form.begin() + static_cast<long>(k));
            next.insert(next.end(), alt.begin(), alt.end());
            next.insert(next.end(), form.begin() + static_cast<long>(k) + 1, form.end());
            todo.push_back(std::move(next));
        }
    }
    return out;
}

struct Case {
    const char* name;
    std::string grammar;
    bool transformed;     // the text was replaced by a printed grammar
    const char* message;  // the message box after the question, "" for none
    const char* status;  // the report in the log (and the status bar until the run after it)
    const char* stopWindow;  // the stop window's two labels as last seen, "" when never shown
};

// The labels of the stop window while it is shown: "loops, substitutions".
std::string StopLabels()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != "Transforming to LL1") continue;
        std::string out;
        for (const char* name : {"Label1", "Label2"}) {
            const QLabel* l = w->findChild<QLabel*>(name);
            if (!l) continue;
            if (!out.empty()) out += ", ";
            out += l->text().toStdString();
        }
        return out;
    }
    return "";
}

const Case cases[] = {
    {"common prefix", "<S> ::= a b | a c\n", true, "", "Successful transformation <S> to LL1 type", ""},
    {"left recursion", "<E> ::= <E> + <T> | <T>\n<T> ::= i\n", true, "",
     "Successful transformation <E> to LL1 type", ""},
    {"ambiguous corners", "<S> ::= <A> x | <B> y\n<A> ::= a\n<B> ::= a\n", true, "",
     "Successful transformation <S> to LL1 type", "1  loop, 2  substitutions"},
    {"no LL(1) form", "<S> ::= <S> <S> | a\n", true, "Can not transform <S> to LL1 type",
     "Can not transform <S> to LL1 type", "2  loops, 1  substitution"},
    // Each cycle makes new names ($S, $$S, ...) for the same grammar.
    {"no LL(1) form, new names each cycle", "<S> ::= <S> <S> |\n", true, "Can not transform <S> to LL1 type",
     "Can not transform <S> to LL1 type", "2  loops, 2  substitutions"},
};

TEST_F(TransformTest, TransformationsKeepTheLanguageRestoreTheSwitchesAndUndoBringsTheTextBack)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The run's own transformations off, so that the transformation has them to try.
        PreFact = PreLoops = PreLeftRecursion = false;
        ShowNull = true;
        FastWork = false;
        SetText(c.grammar);
        const std::string before = Text();
        probe_->messages.clear();
        bool idleDuringRun = false;
        std::string labels;
        probe_->onEvents = [&] {
            idleDuringRun = idleDuringRun || Idle;
            if (const std::string l = StopLabels(); !l.empty()) labels = l;
        };
        main()->tbToolBar_ButtonClick("LL1");
        probe_->onEvents = nullptr;
        ASSERT_GE(probe_->messages.size(), 1u);
        EXPECT_TRUE(probe_->messages[0].contains("is not LL1 grammar."));
        if (*c.message) {
            ASSERT_EQ(probe_->messages.size(), 2u);
            EXPECT_EQ(probe_->messages[1], c.message);
        } else {
            EXPECT_EQ(probe_->messages.size(), 1u);
        }
        EXPECT_NE(Log().find(std::string("   - ") + c.status + "\r\n"), std::string::npos);
        EXPECT_EQ(Log().find("repeats the grammar of cycle") != std::string::npos,
                  c.grammar.find("|\n") != std::string::npos);
        EXPECT_EQ(Text() != before, c.transformed);
        EXPECT_EQ(labels, c.stopWindow);
        EXPECT_EQ(StopLabels(), "");
        EXPECT_EQ(active()->iGrmNotation, 1);
        EXPECT_EQ(Language(ReadGrammar(Text()), 6), Language(ReadGrammar(before), 6));
        EXPECT_FALSE(Language(ReadGrammar(before), 6).empty());
        EXPECT_FALSE(PreFact || PreLoops || PreLeftRecursion);
        EXPECT_TRUE(ShowNull);
        EXPECT_FALSE(FastWork);
        EXPECT_TRUE(Idle);
        // Nothing else could start a run between the steps of the transformation.
        EXPECT_FALSE(idleDuringRun);
        main()->mnuToolsUndo_Click();
        EXPECT_EQ(Text(), before);
    }
}

TEST_F(TransformTest, StopAfterTheFirstCycleIsReportedAsAStop)
{
    PreFact = PreLoops = PreLeftRecursion = false;
    SetText("<S> ::= <A> x | <B> y\n<A> ::= a\n<B> ::= a\n");
    const std::string before = Text();
    bool pressed = false;
    probe_->onEvents = [&] {
        if (!pressed && Log().find("Searching ambiguous rules") != std::string::npos) StopRequested = pressed = true;
    };
    main()->tbToolBar_ButtonClick("LL1");
    probe_->onEvents = nullptr;
    EXPECT_EQ(probe_->messages.size(), 1u);
    EXPECT_NE(Log().find("   - Transformation <S> to LL1 type stopped\r\n"), std::string::npos);
    EXPECT_EQ(Log().find("Successful transformation"), std::string::npos);
    EXPECT_NE(Log().find(" ... cycle 1, 2 substitutions have been made"), std::string::npos);
    EXPECT_EQ(Log().find(" ... cycle 2"), std::string::npos);
    EXPECT_FALSE(StopRequested);
    EXPECT_NE(Text(), before);
    EXPECT_EQ(Language(ReadGrammar(Text()), 4), Language(ReadGrammar(before), 4));
    EXPECT_FALSE(PreFact || PreLoops || PreLeftRecursion);
    main()->mnuToolsUndo_Click();
    EXPECT_EQ(Text(), before);
}

// A processing whose runs after the first fail as a run can fail on a printed grammar.
class FailingRuns : public Pipeline {
public:
    using Pipeline::Pipeline;
    bool matrix = false;
    int runs = 0;
    void GetNewParser(std::int32_t language) override
    {
        Pipeline::GetNewParser(language);
        if (++runs < 2) return;
        if (matrix) {
            MatrixFailed = true;
            ParseErrorText = " Fatal error: no room of memory.";
        } else {
            ParseErrorText = "Line 1, syntax error";
        }
        // What the run leaves after such a failure: no verdict against the grammar.
        GrammarIsLL1 = true;
    }
};

TEST_F(TransformTest, FailedRunIsReportedAsSuchAndNotAsASuccess)
{
    struct Row {
        bool matrix;
        const char* report;
    };
    const Row rows[] = {
        {false, "Can not transform <S> to LL1 type: the transformed grammar can not be read"},
        {true, "Can not transform <S> to LL1 type: no room for the relation matrices"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.report);
        auto p = std::make_unique<FailingRuns>(*main());
        p->matrix = r.matrix;
        main()->setPipeline(std::move(p));
        PreFact = PreLoops = PreLeftRecursion = false;
        SetText("<S> ::= a b | a c\n");
        const std::string before = Text();
        probe_->messages.clear();
        main()->LogText.clear();
        main()->tbToolBar_ButtonClick("LL1");
        ASSERT_EQ(probe_->messages.size(), 2u);
        EXPECT_EQ(probe_->messages[1], r.report);
        EXPECT_EQ(Log().find("Successful transformation"), std::string::npos);
        EXPECT_FALSE(PreFact || PreLoops || PreLeftRecursion);
        EXPECT_TRUE(Idle);
        main()->mnuToolsUndo_Click();
        EXPECT_EQ(Text(), before);
    }
}

TEST_F(TransformTest, EachEndingHasItsOwnReport)
{
    using O = Pipeline::TransformOutcome;
    struct Row {
        O outcome;
        bool failed;
        const char* text;
    };
    const Row rows[] = {
        {O::LL1, false, "Successful transformation <G> to LL1 type"},
        {O::Stopped, false, "Transformation <G> to LL1 type stopped"},
        {O::NoTransformation, true, "Can not transform <G> to LL1 type"},
        {O::Unreadable, true, "Can not transform <G> to LL1 type: the transformed grammar can not be read"},
        {O::MatrixFailure, true, "Can not transform <G> to LL1 type: no room for the relation matrices"},
        {O::Failure, true, "Can not transform <G> to LL1 type"},
    };
    // A pipeline of the program's own window: a reference to no window is no reference.
    Pipeline p(*main());
    for (const Row& r : rows) {
        p.LastTransform = r.outcome;
        EXPECT_EQ(p.TransformReport("G", r.failed), r.text);
    }
}

} // namespace

namespace {

// Random grammars whose names hold spelt codes, as a printed grammar has them: every
// transformation ends, its printed grammars read back, and the language stays.
TEST_F(TransformTest, RandomGrammarsEndWithTheirLanguage)
{
    const std::vector<std::string> pool = {"<A>", "<B_chr(62)>", "<$B_chr(62)>", "<chr(99)hr(62)>",
                                           "<H chr(9)>"};
    int transformed = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); };
        const int n = 2 + pick(3);
        std::vector<std::string> names{"<S>"};
        for (int i = 1; i < n; ++i) names.push_back(pool[static_cast<std::size_t>(i)]);
        std::string text;
        for (int i = 0; i < n; ++i) {
            text += names[static_cast<std::size_t>(i)] + " ::=";
            const int count = 1 + pick(3);
            for (int k = 0; k < count; ++k) {
                if (k > 0) text += " |";
                const int length = 1 + pick(3);
                for (int j = 0; j < length; ++j)
                    text += " " + (pick(3) == 0 ? names[static_cast<std::size_t>(pick(n))]
                                                : std::string(pick(2) ? "a" : "b"));
            }
            text += "\n";
        }
        SCOPED_TRACE(text);
        const auto language = Language(ReadGrammar(text), 5);
        if (language.empty()) continue;
        PreFact = PreLoops = PreLeftRecursion = true;
        SetText(text);
        const std::string before = Text();
        main()->LogText.clear();
        main()->tbToolBar_ButtonClick("LL1");
        if (Text() == before) continue;
        ++transformed;
        EXPECT_EQ(Log().find("can not be read"), std::string::npos) << Log();
        EXPECT_EQ(Language(ReadGrammar(Text()), 5), language) << Text();
        EXPECT_TRUE(Idle);
    }
    EXPECT_GT(transformed, 10);
}

} // namespace

namespace {

// The grammar window that a subwindow shows or whose result it holds.
frmGrammar* GrammarOf(QMdiSubWindow* sub)
{
    if (!sub) return nullptr;
    QWidget* w = sub->widget();
    if (auto* g = qobject_cast<frmGrammar*>(w)) return g;
    for (int k = 1; k <= GrammarCount; ++k) {
        frmGrammar* g = GrammarAt(k);
        if (!g) continue;
        for (frmDocument* d : g->Documents())
            if (d == w) return g;
        for (frmGrid* d : g->Grids())
            if (d == w) return g;
        if (g->DerivTree && g->DerivTree.data() == w) return g;
    }
    return nullptr;
}

// The front subwindow: the last visible one in stacking order.
QMdiSubWindow* FrontWindow(QMdiArea* area)
{
    const auto subs = area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if ((*it)->isVisible()) return *it;
    return nullptr;
}

} // namespace

TEST_F(TransformTest, TheTransformedGrammarStaysTheWindowInFrontAndTheOneCommandsActOn)
{
    struct Row {
        const char* name;
        const char* grammar;
    };
    const Row rows[] = {{"transformed", "<S> ::= <A> x | <B> y\n<A> ::= a\n<B> ::= a\n"},
                        {"can not transform", "<S> ::= <S> <S> | a\n"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PreFact = PreLoops = PreLeftRecursion = true;
        // Another grammar, built with its results, then the grammar to transform.
        SetText("<O> ::= o\n");
        main()->tbToolBar_ButtonClick("Build");
        frmGrammar* other = active();
        frmGrammar* g = main()->AddGrammarWindow(QString());
        ASSERT_TRUE(g);
        SetText(r.grammar);
        main()->tbToolBar_ButtonClick("Build");
        ASSERT_EQ(active(), g);
        QMdiArea* area = main()->mdiArea;
        std::set<std::string> frontDuringRun;
        probe_->onEvents = [&] {
            if (frmGrammar* front = GrammarOf(FrontWindow(area))) frontDuringRun.insert(front == g ? "transformed" : "other");
        };
        main()->tbToolBar_ButtonClick("LL1");
        probe_->onEvents = nullptr;
        EXPECT_EQ(frontDuringRun, std::set<std::string>{"transformed"});
        EXPECT_EQ(active(), g);
        EXPECT_EQ(GrammarOf(area->activeSubWindow()), g);
        EXPECT_EQ(GrammarOf(FrontWindow(area)), g);
        EXPECT_EQ(ActiveGrammarName, g->Key());
        EXPECT_TRUE(main()->PanelInset(g->Key()));
        EXPECT_FALSE(main()->PanelInset(other->Key()));
        // A command now acts on the grammar in front.
        main()->LogText.clear();
        main()->tbToolBar_ButtonClick("Build");
        EXPECT_NE(Log().find("Parsing grammar: " + g->Caption().toStdString()), std::string::npos);
        EXPECT_EQ(Log().find("Parsing grammar: " + other->Caption().toStdString()), std::string::npos);
        // A result of the other grammar brought to the front makes that grammar the one they act on.
        ASSERT_FALSE(other->Documents().empty());
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->Documents().front()->parentWidget()));
        EXPECT_EQ(active(), other);
        EXPECT_EQ(ActiveGrammarName, other->Key());
        // The next row starts over with the two windows closed.
        for (frmGrammar* w : {g, other}) {
            w->MarkSaved();
            main()->UnloadGrammar(w);
        }
        main()->AddGrammarWindow(QString());
    }
}
