// The matrix grids of a run: which cells carry a marker, their titles and the status text.
#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTableView>
#include <set>

#include "frmGrammar.h"
#include "module_main.h"
#include "grammar_run_fixture.h"
#include "workspace_state.h"

using namespace ModuleMain;

namespace {

// What a cell shows in a role, read through the grid's model as its view draws it.
QVariant Cell(QTableView* t, int r, int c, int role = Qt::DisplayRole) { return t->model()->index(r, c).data(role); }
int Rows(QTableView* t) { return t->model()->rowCount(); }
int ColumnCount(QTableView* t) { return t->model()->columnCount(); }

// The marked cells of a grid as "row title / column title".
std::set<std::string> Marked(frmGrid* g, const std::vector<QString>& columns)
{
    std::set<std::string> out;
    QTableView* t = g->MSHFlexGrid1;
    for (int r = 1; r < Rows(t); ++r)
        for (int c = 1; c < ColumnCount(t); ++c)
            if (Cell(t, r, c).toString() == "X")
                out.insert(Cell(t, r, 0).toString().toStdString() + " / " + columns.at(static_cast<size_t>(c)).toStdString());
    return out;
}

} // namespace

class GridTest : public WorkspaceTest {
protected:
    // Column titles of the run: nonterminals in angle brackets, then terminals, then the end marker.
    std::vector<QString> Columns() const
    {
        const Pipeline& p = main()->pipeline();
        std::vector<QString> out{QString()};
        for (size_t i = 1; i < p.NonterminalNames.size(); ++i) out.push_back("<" + p.NonterminalNames[i] + ">");
        for (size_t i = 1; i < p.TerminalNames.size(); ++i) out.push_back(p.TerminalNames[i]);
        return out;
    }
};

TEST_F(GridTest, TheTextbookGrammarsCellsAreMarkedInEachMatrix)
{
    SetGrammar(TextbookGrammar);
    TestRun();
    const std::vector<QString> columns = Columns();
    std::string all;
    for (const char* title : {"Is-End-Of", "Begins-With", "Is-Followed-By"}) {
        frmGrid* g = GridTitled(title);
        ASSERT_NE(g, nullptr) << title;
        all += std::string("==== ") + title + "\n";
        for (const std::string& cell : Marked(g, columns)) all += cell + "\n";
    }
    ExpectGolden("textbook_grids.txt", all);
    // What every textbook says of the grammar.
    const auto beginsWith = Marked(GridTitled("Begins-With"), columns);
    for (const char* cell : {"<E> / <T>", "<E> / <F>", "<E> / (", "<E> / i", "<T'> / *", "<E'> / +"})
        EXPECT_TRUE(beginsWith.count(cell)) << cell;
    EXPECT_FALSE(beginsWith.count("<E> / +"));
    const auto followedBy = Marked(GridTitled("Is-Followed-By"), columns);
    for (const char* cell : {"<E> / )", "<E> / end marker", "<T> / +", "<F> / *", "<F> / end marker"})
        EXPECT_TRUE(followedBy.count(cell)) << cell;
    EXPECT_FALSE(followedBy.count("<E> / +"));
}

TEST_F(GridTest, TitlesAreRotatedPicturesExceptOneCharacterTerminalsAndNeverCut)
{
    SetGrammar("<Expression> ::= <Term> { + <Term> }* | ident\n<Term> ::= x\n");
    TestRun();
    frmGrid* g = GridTitled("Is-Followed-By");
    ASSERT_NE(g, nullptr);
    QTableView* t = g->MSHFlexGrid1;
    const std::vector<QString> columns = Columns();
    for (int c = 1; c < ColumnCount(t); ++c) {
        const QString& title = columns.at(static_cast<size_t>(c));
        const QVariant picture = Cell(t, 0, c, Qt::DecorationRole);
        if (title.size() > 1) {
            EXPECT_FALSE(picture.value<QPixmap>().isNull()) << title.toStdString();
            EXPECT_TRUE(Cell(t, 0, c).toString().isEmpty());
        } else {
            EXPECT_EQ(Cell(t, 0, c).toString(), title);
        }
    }
    // The longest title, the end marker's included, fits the title row.
    const QFontMetrics fm(frmGrid::TitleFont());
    for (const QString& title : {QStringLiteral("<Expression>"), QStringLiteral("end marker"), QStringLiteral("ident")})
        EXPECT_LT(fm.horizontalAdvance(title), TitleLength) << title.toStdString();
    EXPECT_GE(t->rowHeight(0), TitleLength);
}

TEST_F(GridTest, TheStatusTextCountsSymbolColumnsAndNonterminalRows)
{
    SetGrammar(TextbookGrammar);
    TestRun();
    // Five nonterminals and five terminals; the title row and column are not counted.
    EXPECT_EQ(GridTitled("Is-End-Of")->StatusText(), "5 columns 5 rows ");
    EXPECT_EQ(GridTitled("Begins-With")->StatusText(), "10 columns 5 rows ");
    EXPECT_EQ(GridTitled("Is-Followed-By")->StatusText(), "11 columns 5 rows ");
    Idle = true;
    GridTitled("Begins-With")->MSHFlexGrid1_GotFocus();
    EXPECT_EQ(main()->Panel1Text(), "10 columns 5 rows ");
}

TEST_F(GridTest, TheGraphicMarkerPutsAPictureInEachRelatedCell)
{
    MarkerGraphic = true;
    SetGrammar(TextbookGrammar);
    TestRun();
    MarkerGraphic = false;
    QTableView* t = GridTitled("Begins-With")->MSHFlexGrid1;
    int pictures = 0;
    for (int r = 1; r < Rows(t); ++r)
        for (int c = 1; c < ColumnCount(t); ++c)
            if (!Cell(t, r, c, Qt::DecorationRole).value<QPixmap>().isNull()) {
                ++pictures;
                EXPECT_TRUE(Cell(t, r, c).toString().isEmpty());
            }
    EXPECT_GT(pictures, 0);
}

TEST_F(GridTest, TheTitleColumnAndRowStayInPlaceWhileTheCellsScroll)
{
    // Seventeen nonterminals and twenty-two terminals: a 17 by 40 Is-Followed-By grid.
    std::string text;
    for (int i = 0; i < 17; ++i) {
        const std::string next = i < 16 ? " <N" + std::to_string(i + 1) + ">" : "";
        text += "<N" + std::to_string(i) + "> ::= " + std::string(1, static_cast<char>('a' + i)) + next + " | " +
                std::string(1, static_cast<char>('r' + i % 5)) + "\n";
    }
    SetGrammar(text);
    TestRun();
    frmGrid* g = GridTitled("Is-Followed-By");
    ASSERT_NE(g, nullptr);
    QTableView* t = g->MSHFlexGrid1;
    EXPECT_EQ(g->StatusText(), "40 columns 17 rows ");
    main()->show();
    if (QWidget* sub = g->parentWidget()) {
        sub->resize(420, 300);
        sub->show();
    }
    QApplication::processEvents();
    ASSERT_NE(g->FixedColumn(), nullptr);
    ASSERT_NE(g->FixedRow(), nullptr);
    const int scrolled[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};  // to the end sideways, downwards
    for (const auto& s : scrolled) {
        SCOPED_TRACE(std::to_string(s[0]) + "," + std::to_string(s[1]));
        t->horizontalScrollBar()->setValue(s[0] ? t->horizontalScrollBar()->maximum() : 0);
        t->verticalScrollBar()->setValue(s[1] ? t->verticalScrollBar()->maximum() : 0);
        QApplication::processEvents();
        if (s[0]) EXPECT_GT(t->horizontalScrollBar()->value(), 0);
        if (s[1]) EXPECT_GT(t->verticalScrollBar()->value(), 0);
        const QRect area = t->viewport()->geometry();
        // The title column at the grid's left edge, each title beside its own row.
        QTableView* column = g->FixedColumn();
        EXPECT_TRUE(column->isVisible());
        EXPECT_EQ(column->geometry().topLeft(), area.topLeft());
        const int row = t->rowAt(area.height() - 4);
        ASSERT_GE(row, 1);
        EXPECT_EQ(column->visualRect(t->model()->index(row, 0)).top(), t->visualRect(t->model()->index(row, 1)).top());
        EXPECT_EQ(column->model()->index(row, 0).data().toString(), Cell(t, row, 0).toString());
        // The title row along the top edge, each title above its own column.
        QTableView* top = g->FixedRow();
        EXPECT_TRUE(top->isVisible());
        EXPECT_EQ(top->geometry().topLeft(), area.topLeft());
        EXPECT_EQ(top->height(), t->rowHeight(0));
        const int col = t->columnAt(area.width() - 4);
        ASSERT_GE(col, 1);
        EXPECT_EQ(top->visualRect(t->model()->index(0, col)).left(), t->visualRect(t->model()->index(1, col)).left());
    }
}
