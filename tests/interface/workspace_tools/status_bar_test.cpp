// The status bar at the main window's default size: panel texts are read whole, the grammar
// panels keep their names during and after a run, and a run ends on its result.
#include <QApplication>
#include <QStatusBar>

#include "status_panel.h"
#include "processing_fixture.h"

using namespace ModuleMain;

namespace {

class StatusBarTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        main()->show();
        QApplication::processEvents();
    }
    StatusPanel* PanelOf(const QString& key) const { return static_cast<StatusPanel*>(main()->Panel(key)); }
    // Every panel that cuts its text, by key.
    std::vector<std::string> CutPanels() const
    {
        QApplication::processEvents();
        std::vector<std::string> cut;
        for (const QString& key : main()->PanelKeys())
            if (PanelOf(key)->Cut()) cut.push_back(key.toStdString() + ": " + PanelOf(key)->text().toStdString());
        return cut;
    }
};

} // namespace

TEST_F(StatusBarTest, ABuildsReportAndTheGrammarNamesAreReadWhole)
{
    for (int i = 0; i < 2; ++i) main()->AddGrammarWindow(QString());
    SetText("<Expression> ::= <Term> { + <Term> }*\n<Term> ::= x\n");
    ShowParser = false;
    main()->tbToolBar_ButtonClick("Build");
    EXPECT_EQ(main()->Panel1Text(), "The parser code is kept in file Expression.bas");
    EXPECT_EQ(CutPanels(), std::vector<std::string>{});
    // A report too long for any window is cut at its end, and read whole in the tool tip.
    main()->SetPanel1Text(QString(400, QLatin1Char('x')));
    QApplication::processEvents();
    EXPECT_TRUE(PanelOf(main()->PanelKeys().front())->Cut());
    for (const QString& key : main()->PanelKeys().mid(1)) EXPECT_FALSE(PanelOf(key)->Cut()) << key.toStdString();
}

TEST_F(StatusBarTest, ARunEndsOnItsResultNotOnItsLastStep)
{
    struct Row {
        const char* grammar;
        const char* button;
        const char* status;
    };
    const Row rows[] = {
        {"<S> ::= a <S> | b\n", "LL1", "Grammar is LL(1)"},
        {"<S> ::= a | a b\n", "Notation", ""},
        {"<S> ::= a <S> | b\n", "Build", "The parser code is kept in file S.bas"},
        {"<S> ::= a <S> | b\n<T> :: x\n", "Build", "Line 2, syntax error"},
    };
    ShowParser = false;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.grammar);
        SetText(r.grammar);
        main()->SetPanel1Text("Calculating the Set of select");
        main()->tbToolBar_ButtonClick(r.button);
        if (*r.status) EXPECT_TRUE(main()->Panel1Text().startsWith(r.status)) << main()->Panel1Text().toStdString();
        EXPECT_NE(main()->Panel1Text(), "Calculating the Set of select");
    }
}
