// A started program with one grammar window whose text a test sets, and the run's log and
// result files read back with the times of day masked.
#pragma once

#include <QTextEdit>
#include <functional>

#include "frmDocument.h"
#include "frmGrid.h"
#include "pipeline.h"
#include "shell_fixture.h"

// The textbook expression grammar, already free of left recursion.
inline constexpr const char* TextbookGrammar =
    "<E> ::= <T> <E'>\n"
    "<E'> ::= + <T> <E'> |\n"
    "<T> ::= <F> <T'>\n"
    "<T'> ::= * <F> <T'> |\n"
    "<F> ::= ( <E> ) | i\n";

class WorkspaceTest : public ShellTest {
protected:
    void SetUp() override;

    // Puts the text (LF line ends) into the active grammar window as a load would.
    void SetGrammar(const std::string& text);
    // The Process log with every "hh:mm:ss" replaced by "TT:TT:TT".
    std::string MaskedLog() const;
    // The toolbar's test run and build run; a question is answered No.
    void TestRun();
    void BuildRun();
    // Titles of the active grammar's open documents and grids, in number order.
    std::vector<QString> DocumentTitles() const;
    std::vector<QString> GridTitles() const;
    frmDocument* DocumentTitled(const QString& title) const;
    frmGrid* GridTitled(const QString& title) const;
    // Runs the step and gives the text that the syntax-error window showed, empty when none.
    std::string ErrorWindowTextOf(const std::function<void()>& step);

    // The colour of `length` characters from `at`; -1 when they are mixed.
    static std::int32_t ColourAt(RichText& t, readers::Pos at, readers::Pos length = 1);

    // Compares with a golden file; UPDATE_GOLDEN=1 in the environment rewrites it instead.
    static void ExpectGolden(const std::string& name, const std::string& actual);
    static std::string Fixture(const std::string& name);
};
