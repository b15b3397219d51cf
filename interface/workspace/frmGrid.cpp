#include "frmGrid.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "frmGrammar.h"
#include "frmSwitch.h"
#include "workspace_state.h"
#include "rich_text.h"

using namespace ModuleMain;

namespace {
// Room around a title: the picture's margin below the text and above it.
constexpr int TitleMargin = 5;

QPixmap rotatedTitle(const QString& title)
{
    const QFont font = frmGrid::TitleFont();
    const QFontMetrics fm(font);
    QPixmap pm(TitleTextHeight + TitleMargin, TitleLength);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setFont(font);
    p.setPen(RichText::ColourOf(MatrixFont.FontColor));
    // Upwards from the bottom edge: a quarter turn counter-clockwise.
    p.translate(fm.ascent() + 1, TitleLength - TitleMargin + 1);
    p.rotate(-90);
    p.drawText(0, 0, title);
    return pm;
}

QPixmap markerPicture(QColor colour)
{
    const int side = TitleTextHeight > 4 ? TitleTextHeight : 8;
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour);
    p.setBrush(colour);
    p.drawEllipse(QPointF(side / 2.0 - 1, side / 2.0 - 1), 2, 2);
    return pm;
}
} // namespace

QFont frmGrid::TitleFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(6.75);
    return f;
}

frmGrid::frmGrid(frmGrammar* owner, QWidget* parent)
    : ChildForm(parent), MSHFlexGrid1(new QTableWidget(this)), owner_(owner)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MSHFlexGrid1);
    MSHFlexGrid1->horizontalHeader()->hide();
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont titles = MSHFlexGrid1->font();
    if (!MatrixFont.FontName.empty()) titles.setFamily(QString::fromStdString(MatrixFont.FontName));
    MSHFlexGrid1->setFont(titles);
    MSHFlexGrid1->installEventFilter(this);
    MSHFlexGrid1->viewport()->installEventFilter(this);
    // Pixel steps, so that the fixed title views stay in line with the cells.
    MSHFlexGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    MSHFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Views over the same cells that show only the title column, the title row and their
    // corner, laid over the grid's edges: a large matrix stays readable while it scrolls.
    const auto fixedView = [this](const char* name) {
        auto* v = new QTableView(MSHFlexGrid1);
        v->setObjectName(QLatin1String(name));
        v->setModel(MSHFlexGrid1->model());
        v->setFocusPolicy(Qt::NoFocus);
        v->setSelectionMode(QAbstractItemView::NoSelection);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->horizontalHeader()->hide();
        v->verticalHeader()->hide();
        v->setFrameShape(QFrame::NoFrame);
        v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        v->setFont(MSHFlexGrid1->font());
        v->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
        // A click on a title is a click on the grid.
        v->setAttribute(Qt::WA_TransparentForMouseEvents);
        return v;
    };
    fixedColumn_ = fixedView("fixedColumn");
    fixedRow_ = fixedView("fixedRow");
    corner_ = fixedView("fixedCorner");
    QHeaderView* rows = MSHFlexGrid1->verticalHeader();
    QHeaderView* cols = MSHFlexGrid1->horizontalHeader();
    connect(rows, &QHeaderView::sectionResized, this, [this](int i, int, int size) {
        fixedColumn_->setRowHeight(i, size);
        fixedRow_->setRowHeight(i, size);
        corner_->setRowHeight(i, size);
        placeFixed();
    });
    connect(cols, &QHeaderView::sectionResized, this, [this](int i, int, int size) {
        fixedColumn_->setColumnWidth(i, size);
        fixedRow_->setColumnWidth(i, size);
        corner_->setColumnWidth(i, size);
        placeFixed();
    });
    connect(MSHFlexGrid1->verticalScrollBar(), &QScrollBar::valueChanged, fixedColumn_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(MSHFlexGrid1->horizontalScrollBar(), &QScrollBar::valueChanged, fixedRow_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(MSHFlexGrid1->model(), &QAbstractItemModel::rowsInserted, this, [this] { placeFixed(); });
    connect(MSHFlexGrid1->model(), &QAbstractItemModel::columnsInserted, this, [this] { placeFixed(); });
}

void frmGrid::placeFixed()
{
    if (!fixedColumn_) return;
    QTableWidget* t = MSHFlexGrid1;
    const bool titled = t->rowCount() > 0 && t->columnCount() > 0;
    for (QTableView* v : {fixedColumn_, fixedRow_, corner_}) v->setVisible(titled);
    if (!titled) return;
    // Only the title column, row and corner show in their views.
    for (int c = 1; c < t->columnCount(); ++c) {
        fixedColumn_->setColumnHidden(c, true);
        corner_->setColumnHidden(c, true);
    }
    for (int r = 1; r < t->rowCount(); ++r) {
        fixedRow_->setRowHidden(r, true);
        corner_->setRowHidden(r, true);
    }
    fixedColumn_->setColumnHidden(0, false);
    fixedRow_->setRowHidden(0, false);
    const QRect area = t->viewport()->geometry();
    const int w = std::min(t->columnWidth(0), area.width());
    const int h = std::min(t->rowHeight(0), area.height());
    fixedColumn_->setGeometry(area.left(), area.top(), w, area.height());
    fixedRow_->setGeometry(area.left(), area.top(), area.width(), h);
    corner_->setGeometry(area.left(), area.top(), w, h);
    fixedColumn_->verticalScrollBar()->setValue(t->verticalScrollBar()->value());
    fixedRow_->horizontalScrollBar()->setValue(t->horizontalScrollBar()->value());
    fixedColumn_->raise();
    fixedRow_->raise();
    corner_->raise();
}

frmGrid::~frmGrid()
{
    if (ActiveChild == this) ActiveChild = owner_ ? static_cast<ChildForm*>(owner_.data()) : nullptr;
}

int frmGrid::Number() const { return Tag.mid(10).trimmed().toInt(); }

void frmGrid::GridInit(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int T,
                       int nCols, int nRows)
{
    MSHFlexGrid1->setRowCount(nRows);
    MSHFlexGrid1->setColumnCount(nCols);
    if (!TitlesCached) {
        TitlesCached = true;
        const QFontMetrics fm(TitleFont());
        int longest = 0;
        for (int i = 1; i <= N && i < static_cast<int>(NtmName.size()); ++i)
            longest = std::max(longest, fm.horizontalAdvance("<" + NtmName[static_cast<size_t>(i)] + ">"));
        // The end marker's title is measured too, so that no title is ever cut.
        for (int i = 1; i <= T + 1 && i < static_cast<int>(TrmName.size()); ++i)
            longest = std::max(longest, fm.horizontalAdvance(TrmName[static_cast<size_t>(i)]));
        TitleLength = longest + 2 * TitleMargin;
        TitleTextHeight = fm.height();
        TitlePictures.assign(static_cast<size_t>(N + T + 2), QPixmap());
    }
    MSHFlexGrid1->setRowHeight(0, TitleLength);
    MSHFlexGrid1->setColumnWidth(0, std::max(TitleLength, QFontMetrics(MSHFlexGrid1->font()).horizontalAdvance("<W>")));
    for (int c = 1; c < nCols; ++c) MSHFlexGrid1->setColumnWidth(c, TitleTextHeight + TitleMargin);
    MSHFlexGrid1->setIconSize(QSize(TitleTextHeight + TitleMargin, TitleLength));
    for (QTableView* v : {fixedColumn_, fixedRow_, corner_}) v->setIconSize(MSHFlexGrid1->iconSize());
    // The title cells: the button colour behind, the matrix font's colour for their text.
    const QColor fixed = palette().color(QPalette::Button);
    const QColor ink = RichText::ColourOf(MatrixFont.FontColor);
    const auto title = [&](int r, int c) {
        auto* item = new QTableWidgetItem;
        item->setBackground(fixed);
        item->setForeground(ink);
        MSHFlexGrid1->setItem(r, c, item);
    };
    for (int c = 0; c < nCols; ++c) title(0, c);
    for (int r = 1; r < nRows; ++r) title(r, 0);
}

void frmGrid::VertText(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int T)
{
    TitlePictures.assign(static_cast<size_t>(N + T + 2), QPixmap());
    for (int i = 1; i <= N && i < static_cast<int>(NtmName.size()); ++i)
        TitlePictures[static_cast<size_t>(i)] = rotatedTitle("<" + NtmName[static_cast<size_t>(i)] + ">");
    for (int i = 1; i <= T + 1 && i < static_cast<int>(TrmName.size()); ++i)
        if (TrmName[static_cast<size_t>(i)].size() > 1)
            TitlePictures[static_cast<size_t>(N + i)] = rotatedTitle(TrmName[static_cast<size_t>(i)]);
}

void frmGrid::ColumnTitles(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName,
                           int terminals)
{
    (void)NtmName;
    MSHFlexGrid1->setUpdatesEnabled(false);
    const auto picture = [](int i) {
        return i < static_cast<int>(TitlePictures.size()) ? TitlePictures[static_cast<size_t>(i)] : QPixmap();
    };
    for (int i = 1; i <= N && i < MSHFlexGrid1->columnCount(); ++i)
        MSHFlexGrid1->item(0, i)->setData(Qt::DecorationRole, picture(i));
    for (int i = 1; i <= terminals && N + i < MSHFlexGrid1->columnCount(); ++i) {
        QTableWidgetItem* cell = MSHFlexGrid1->item(0, N + i);
        const QString& name = i < static_cast<int>(TrmName.size()) ? TrmName[static_cast<size_t>(i)] : QString();
        if (name.size() > 1) {
            cell->setData(Qt::DecorationRole, picture(N + i));
        } else {
            cell->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            cell->setText(name);
        }
    }
    MSHFlexGrid1->setUpdatesEnabled(true);
}

void frmGrid::FillGrid(const std::string& M, const std::vector<QString>& NtmName, int N, int K, QColor colour)
{
    MSHFlexGrid1->setUpdatesEnabled(false);
    const QPixmap marker = MarkerGraphic ? markerPicture(colour) : QPixmap();
    for (int i = 1; i <= N && i < MSHFlexGrid1->rowCount(); ++i) {
        MSHFlexGrid1->setRowHeight(i, TitleTextHeight);
        MSHFlexGrid1->item(i, 0)->setText("<" + NtmName[static_cast<size_t>(i)] + ">");
        for (int j = 1; j <= K && j < MSHFlexGrid1->columnCount(); ++j) {
            const size_t at = static_cast<size_t>(i - 1) * static_cast<size_t>(K) + static_cast<size_t>(j - 1);
            if (at >= M.size() || M[at] != '*') continue;
            auto* cell = new QTableWidgetItem;
            if (MarkerGraphic) {
                cell->setData(Qt::DecorationRole, marker);
            } else {
                cell->setText(QStringLiteral("X"));
                cell->setForeground(colour);
                cell->setTextAlignment(Qt::AlignCenter);
            }
            MSHFlexGrid1->setItem(i, j, cell);
        }
    }
    MSHFlexGrid1->setUpdatesEnabled(true);
    MSHFlexGrid1->setVisible(true);
    placeFixed();
    MSHFlexGrid1->viewport()->update();
}

// The symbol columns and nonterminal rows, the title column and row not counted.
QString frmGrid::StatusText() const
{
    return QStringLiteral("%1 columns %2 rows ").arg(MSHFlexGrid1->columnCount() - 1).arg(MSHFlexGrid1->rowCount() - 1);
}

void frmGrid::MSHFlexGrid1_GotFocus()
{
    if (Idle) {
        ActiveChild = this;
        if (Frame) Frame->SetPanel1Text(StatusText());
        if (ActiveGrammar) ActiveGrammar->sbSwitch(false);
    }
    ActiveNodeKey = Tag;
    if (ShowNavigation && NavWindow) NavWindow->SelectNode(Tag);
}

void frmGrid::focusInEvent(QFocusEvent* event)
{
    ChildForm::focusInEvent(event);
    MSHFlexGrid1_GotFocus();
}

bool frmGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MSHFlexGrid1->viewport() && event->type() == QEvent::Resize) placeFixed();
    if (watched == MSHFlexGrid1 && event->type() == QEvent::FocusIn) MSHFlexGrid1_GotFocus();
    return ChildForm::eventFilter(watched, event);
}

void frmGrid::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (owner_) owner_->DelGrid(Number());
}
