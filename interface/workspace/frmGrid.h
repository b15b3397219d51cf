// One relation matrix of a grammar as a table: a row per nonterminal, a column per symbol, a
// marker in every related cell, the column titles written upwards.
#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <vector>

#include "child_form.h"

class QTableView;
class frmGrammar;
class MatrixModel;

class frmGrid : public ChildForm {
    Q_OBJECT
public:
    explicit frmGrid(frmGrammar* owner, QWidget* parent = nullptr);
    ~frmGrid() override;

    RichText* rtf() override { return nullptr; }
    // Row 0 and column 0 are the title cells. The cells are read from the matrix when drawn,
    // not held one object each: a grid of a large grammar has millions.
    QTableView* MSHFlexGrid1 = nullptr;
    QString Tag;

    int Number() const;
    frmGrammar* Owner() const { return owner_; }

    // Names are 1-based (entry 0 unused); TrmName holds T+1 entries, the last "end marker".
    void GridInit(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int T, int nCols,
                  int nRows);
    void VertText(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int T);
    void ColumnTitles(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int terminals);
    // M: the engine's matrix text, K bytes per nonterminal, nonterminal 1 first.
    void FillGrid(const std::string& M, const std::vector<QString>& NtmName, int N, int K, QColor colour);
    // What the status bar says of this grid.
    QString StatusText() const;

    void MSHFlexGrid1_GotFocus();

    // The font the titles are measured and drawn in.
    static QFont TitleFont();

    // The title column and row, fixed over the grid's edges while its cells scroll; the
    // corner holds the cell they share.
    QTableView* FixedColumn() const { return fixedColumn_; }
    QTableView* FixedRow() const { return fixedRow_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeFixed();
    // Every row and column but the titles' at the default size.
    void sizeSections();

    MatrixModel* model_ = nullptr;
    QPointer<frmGrammar> owner_;
    QTableView* fixedColumn_ = nullptr;
    QTableView* fixedRow_ = nullptr;
    QTableView* corner_ = nullptr;
};
