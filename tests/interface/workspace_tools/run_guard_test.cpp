// A run that fails in a way nobody expected still closes its bracket (Idle, pointer, progress
// bar), and the failure is written to the Process window instead of vanishing.
#include <QProgressBar>
#include <stdexcept>

#include "frmMain.h"
#include "processing_fixture.h"
#include "run_guard.h"

using namespace ModuleMain;

namespace {

struct NotAnException {};

// A processing whose parser step fails, with a standard exception or with anything else.
class FailingPipeline : public Pipeline {
public:
    FailingPipeline(MainFrame& frame, bool standard) : Pipeline(frame), standard_(standard) {}
    void GetNewParser(std::int32_t) override
    {
        if (standard_) throw std::runtime_error("matrix store gone");
        throw NotAnException{};
    }

private:
    bool standard_;
};

class RunGuardTest : public ProgramTest {
protected:
    void Fail(bool standard)
    {
        main()->setPipeline(std::make_unique<FailingPipeline>(*main(), standard));
        SetText("<S> ::= x\n");
        main()->ProgressBar()->setVisible(true);
    }
};

} // namespace

TEST_F(RunGuardTest, AFailedToolbarRunIsLoggedAndItsBracketClosed)
{
    struct Case {
        bool standard;
        const char* key;
        const char* logged;
    };
    const Case cases[] = {
        {true, "LL1", "unexpected failure in LL1: matrix store gone"},
        {true, "Build", "unexpected failure in Build: matrix store gone"},
        {false, "LL1", "unexpected failure in LL1: an unknown exception"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Fail(c.standard);
        main()->tbToolBar_ButtonClick(c.key);
        EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();
        EXPECT_TRUE(Idle);
        EXPECT_FALSE(main()->IsLL1Run());
        EXPECT_FALSE(main()->ProgressBar()->isVisible());
    }
}

TEST_F(RunGuardTest, AFailedBuildFromTheLanguageMenuIsLoggedAndItsBracketClosed)
{
    Fail(true);
    main()->tbToolBar_ButtonMenuClick(25, 1);
    EXPECT_NE(Log().find("unexpected failure in the toolbar menu: matrix store gone"), std::string::npos) << Log();
    EXPECT_TRUE(Idle);
    EXPECT_FALSE(main()->ProgressBar()->isVisible());
}

TEST(BusyScope, IdleComesBackToWhatItWasHoweverTheScopeEnds)
{
    for (const bool before : {true, false}) {
        Idle = before;
        try {
            const BusyScope busy;
            EXPECT_FALSE(Idle);
            throw std::runtime_error("out");
        } catch (const std::runtime_error&) {}
        EXPECT_EQ(Idle, before);
    }
    Idle = true;
}
