#include "frmGrid.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QAbstractTableModel>
#include <QScrollBar>
#include <QTableView>
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

// The cells of one matrix, answered from the engine's matrix text as the view asks for them.
class MatrixModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsSelectable | Qt::ItemIsEnabled; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int r = index.row(), c = index.column();
        if (r == 0 || c == 0) {
            if (role == Qt::BackgroundRole) return QBrush(fixed_);
            if (role == Qt::ForegroundRole) return QBrush(ink_);
            if (r == 0 && c > 0) {
                const Title& t = titles_[static_cast<size_t>(c)];
                if (role == Qt::DecorationRole && !t.picture.isNull()) return t.picture;
                if (role == Qt::DisplayRole && t.written) return t.text;
                if (role == Qt::TextAlignmentRole && t.written) return int(Qt::AlignHCenter | Qt::AlignBottom);
            }
            if (c == 0 && r > 0 && role == Qt::DisplayRole && !rowTitles_[static_cast<size_t>(r)].isNull())
                return rowTitles_[static_cast<size_t>(r)];
            return {};
        }
        if (!marked(r, c)) return {};
        if (graphic_) return role == Qt::DecorationRole ? QVariant(marker_) : QVariant();
        switch (role) {
        case Qt::DisplayRole:
            return QStringLiteral("X");
        case Qt::ForegroundRole:
            return QBrush(colour_);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
        }
    }

    // Title cells only, in the button colour with the matrix font's colour for their text.
    void Shape(int rows, int columns, QColor fixed, QColor ink)
    {
        beginResetModel();
        rows_ = std::max(rows, 0);
        columns_ = std::max(columns, 0);
        fixed_ = fixed;
        ink_ = ink;
        titles_.assign(static_cast<size_t>(columns_), Title{});
        rowTitles_.assign(static_cast<size_t>(rows_), QString());
        matrix_.clear();
        stride_ = nonterminals_ = 0;
        endResetModel();
    }
    // A column's title: a picture, or a one-character text written at the bottom.
    void SetTitle(int c, const QPixmap& picture)
    {
        if (c >= 1 && c < columns_) titles_[static_cast<size_t>(c)] = {picture, QString(), false};
    }
    void SetTitle(int c, const QString& text)
    {
        if (c >= 1 && c < columns_) titles_[static_cast<size_t>(c)] = {QPixmap(), text, true};
    }
    // The marked cells: row i (1..N) holds K bytes of the matrix, '*' where related.
    void Fill(const std::string& matrix, int N, int K, const std::vector<QString>& names, QColor colour,
              const QPixmap& marker)
    {
        matrix_ = matrix;
        nonterminals_ = N;
        stride_ = K;
        colour_ = colour;
        graphic_ = !marker.isNull();
        marker_ = marker;
        for (int i = 1; i <= N && i < rows_ && i < static_cast<int>(names.size()); ++i)
            rowTitles_[static_cast<size_t>(i)] = "<" + names[static_cast<size_t>(i)] + ">";
        if (rows_ > 0 && columns_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    }

private:
    bool marked(int r, int c) const
    {
        if (r > nonterminals_ || c > stride_) return false;
        const size_t at = static_cast<size_t>(r - 1) * static_cast<size_t>(stride_) + static_cast<size_t>(c - 1);
        return at < matrix_.size() && matrix_[at] == '*';
    }

    struct Title {
        QPixmap picture;
        QString text;
        bool written = false;
    };
    int rows_ = 0, columns_ = 0;
    QColor fixed_, ink_, colour_;
    std::vector<Title> titles_;
    std::vector<QString> rowTitles_;
    std::string matrix_;
    int nonterminals_ = 0, stride_ = 0;
    bool graphic_ = false;
    QPixmap marker_;
};

QFont frmGrid::TitleFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(6.75);
    return f;
}

frmGrid::frmGrid(frmGrammar* owner, QWidget* parent)
        : ChildForm(parent), MSHFlexGrid1(new QTableView(this)), model_(new MatrixModel(this)), owner_(owner)
{
    MSHFlexGrid1->setModel(model_);
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
        v->setModel(model_);
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
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { placeFixed(); });
}

void frmGrid::placeFixed()
{
    if (!fixedColumn_) return;
    QTableView* t = MSHFlexGrid1;
    const bool titled = model_->rowCount() > 0 && model_->columnCount() > 0;
    for (QTableView* v : {fixedColumn_, fixedRow_, corner_}) v->setVisible(titled);
    if (!titled) return;
    // Each view is only as wide or as tall as the titles it shows; the cells beyond are outside
    // it and never drawn.
    const QRect area = t->viewport()->geometry();
    const int w = std::min(t->columnWidth(0), area.width());
    const int h = std::min(t->rowHeight(0), area.height());
    fixedColumn_->setGeometry(area.left(), area.top(), w, area.height());
    fixedRow_->setGeometry(area.left(), area.top(), area.width(), h);
    corner_->setGeometry(area.left(), area.top(), w, h);
    fixedColumn_->horizontalScrollBar()->setValue(0);
    fixedRow_->verticalScrollBar()->setValue(0);
    fixedColumn_->verticalScrollBar()->setValue(t->verticalScrollBar()->value());
    fixedRow_->horizontalScrollBar()->setValue(t->horizontalScrollBar()->value());
    fixedColumn_->raise();
    fixedRow_->raise();
    corner_->raise();
}

void frmGrid::sizeSections()
{
    // The headers keep their least sizes, as every row and column kept them before.
    for (QTableView* v : {MSHFlexGrid1, fixedColumn_, fixedRow_, corner_}) {
        v->verticalHeader()->setDefaultSectionSize(TitleTextHeight);
        v->horizontalHeader()->setDefaultSectionSize(TitleTextHeight + TitleMargin);
    }
}

frmGrid::~frmGrid()
{
    if (ActiveChild == this) ActiveChild = owner_ ? static_cast<ChildForm*>(owner_.data()) : nullptr;
}

int frmGrid::Number() const { return Tag.mid(10).trimmed().toInt(); }

void frmGrid::GridInit(const std::vector<QString>& NtmName, int N, const std::vector<QString>& TrmName, int T,
                       int nCols, int nRows)
{
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
    // The default sizes are given while the grid has no sections yet: each change of a default
    // walks every section there is.
    sizeSections();
    model_->Shape(nRows, nCols, palette().color(QPalette::Button), RichText::ColourOf(MatrixFont.FontColor));
    MSHFlexGrid1->setRowHeight(0, TitleLength);
    MSHFlexGrid1->setColumnWidth(0, std::max(TitleLength, QFontMetrics(MSHFlexGrid1->font()).horizontalAdvance("<W>")));
    MSHFlexGrid1->setIconSize(QSize(TitleTextHeight + TitleMargin, TitleLength));
    for (QTableView* v : {fixedColumn_, fixedRow_, corner_}) v->setIconSize(MSHFlexGrid1->iconSize());
    placeFixed();
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
    const auto picture = [](int i) {
        return i < static_cast<int>(TitlePictures.size()) ? TitlePictures[static_cast<size_t>(i)] : QPixmap();
    };
    for (int i = 1; i <= N && i < model_->columnCount(); ++i) model_->SetTitle(i, picture(i));
    for (int i = 1; i <= terminals && N + i < model_->columnCount(); ++i) {
        const QString& name = i < static_cast<int>(TrmName.size()) ? TrmName[static_cast<size_t>(i)] : QString();
        if (name.size() > 1) model_->SetTitle(N + i, picture(N + i));
        else model_->SetTitle(N + i, name);
    }
}

void frmGrid::FillGrid(const std::string& M, const std::vector<QString>& NtmName, int N, int K, QColor colour)
{
    model_->Fill(M, N, K, NtmName, colour, MarkerGraphic ? markerPicture(colour) : QPixmap());
    MSHFlexGrid1->setVisible(true);
    placeFixed();
    MSHFlexGrid1->viewport()->update();
}

// The symbol columns and nonterminal rows, the title column and row not counted.
QString frmGrid::StatusText() const
{
    return QStringLiteral("%1 columns %2 rows ").arg(model_->columnCount() - 1).arg(model_->rowCount() - 1);
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
