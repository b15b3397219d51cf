#include "frmTree.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frmGrammar.h"
#include "frmLog.h"
#include "frmRemTree.h"
#include "frmSwitch.h"
#include "workspace_state.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;
// Progress of a removal is shown once per this many nodes.
constexpr int RemovalReportStep = 3000;

QMdiSubWindow* subOf(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }

void statusLine(const frmGrammar& g)
{
    if (Frame) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(g.rtfText.GetLineFromChar(g.rtfText.SelStart()) + 1));
}
} // namespace

frmTree::frmTree(frmGrammar& owner, QWidget* parent) : ChildForm(parent), owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose, true);
    TView = new QTreeWidget(this);
    TView->setHeaderHidden(true);
    TView->setUniformRowHeights(true);
    // Deep trees scroll sideways instead of cutting the node texts short.
    TView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TView->header()->setStretchLastSection(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TView);
    TView->installEventFilter(this);
    connect(TView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { TView_NodeClick(node); });
}

int frmTree::AddNode(int parent, const QString& key, const QString& text)
{
    QTreeWidgetItem* node =
        parent >= 0 && parent < NodeCount() ? new QTreeWidgetItem(NodeAt(parent)) : new QTreeWidgetItem(TView);
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    nodes_.push_back(node);
    return NodeCount() - 1;
}

QTreeWidgetItem* frmTree::NodeWithKey(const QString& key) const
{
    for (QTreeWidgetItem* n : nodes_)
        if (KeyOf(n) == key) return n;
    return nullptr;
}

QString frmTree::KeyOf(const QTreeWidgetItem* node) { return node->data(0, KeyRole).toString(); }
QString frmTree::TagOf(const QTreeWidgetItem* node) { return node->data(0, TagRole).toString(); }
void frmTree::SetTag(int index, const QString& tag) { NodeAt(index)->setData(0, TagRole, tag); }

void frmTree::Form_Load()
{
    const double t = TwipsPerPixel();
    QSize size(qRound(ChildWidth / t), qRound(ChildHeight / t));
    if (size.width() < 100 || size.height() < 100) size = QSize(480, 360);
    if (QMdiSubWindow* sub = subOf(this)) {
        const QMdiSubWindow* mine = owner_.subWindow();
        sub->move(mine ? mine->pos() : QPoint(0, 0));
        sub->resize(size);
    } else {
        resize(size);
    }
}

bool frmTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TView) {
        if (event->type() == QEvent::FocusIn) TView_GotFocus();
        else if (event->type() == QEvent::FocusOut) TView_LostFocus();
    }
    return ChildForm::eventFilter(watched, event);
}

void frmTree::TView_GotFocus()
{
    if (Idle) {
        ActiveChild = this;
        const int n = ActiveGrammar && ActiveGrammar->DerivTree ? ActiveGrammar->DerivTree->NodeCount() : 0;
        if (Frame) Frame->SetPanel1Text(QStringLiteral("There are %1 nodes in the tree").arg(n));
        if (ActiveGrammar) ActiveGrammar->sbSwitch(false);
    }
    ActiveNodeKey = Tag;
    if (ShowNavigation && NavWindow) NavWindow->SelectNode(ActiveNodeKey);
}

void frmTree::TView_LostFocus()
{
    if (!Idle) return;
    const double t = TwipsPerPixel();
    const QWidget* frame = subOf(this) ? static_cast<QWidget*>(subOf(this)) : this;
    ChildWidth = qRound(frame->width() * t);
    ChildHeight = qRound(frame->height() * t);
    if (Frame) {
        Frame->RaiseDocks();
    }
}

void frmTree::TView_NodeClick(QTreeWidgetItem* node)
{
    if (!Idle || !node) return;
    // The positions are those of the grammar the tree was built from, whichever is active.
    frmGrammar* g = &owner_;
    const QString navKey = g->Key() + QStringLiteral("Tre") + QStringLiteral("1").rightJustified(3, ' ');
    // The grammar text changed since the tree was built: the positions no longer hold. An edit
    // marks the tree's node out of date here, as a transformation does.
    if (NavWindow && NavWindow->NodeColour(navKey) == GrayColor) return;
    if (g->rtfText.Text() != BuiltText) {
        if (NavWindow && NavWindow->Node(navKey)) {
            NavWindow->SetNodeColour(navKey, GrayColor);
            NavWindow->SetNodeImage(navKey, QStringLiteral("Tree_gray"));
        }
        return;
    }
    const QString key = KeyOf(node);
    const QString tag = TagOf(node);
    const qint64 s = key.mid(7, 6).trimmed().toLongLong() - 1;
    const qint64 l = tag.isEmpty() ? 1 : tag.toLongLong() - s - 1;
    g->rtfText.SetSelStart(s);
    g->rtfText.SetSelLength(l);
    if (Frame) Frame->SetPanel1Text(QStringLiteral("Line %1").arg(g->rtfText.GetLineFromChar(s + l) + 1));
    if (QMdiSubWindow* sub = g->subWindow()) {
        sub->showNormal();
        if (Frame) Frame->MdiArea()->setActiveSubWindow(sub);
    }
}

void frmTree::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmTree::Form_Unload()
{
    if (unloaded_) return;
    unloaded_ = true;
    if (QMdiSubWindow* sub = subOf(this)) sub->hide();
    hide();
    setCursor(Qt::WaitCursor);
    if (Frame) Frame->SetPanel1Text(QStringLiteral("Removing derivation tree"));
    // Out of the view first: a view updates itself on every removal, which makes one at a time
    // quadratic.
    while (TView->topLevelItemCount() > 0) TView->takeTopLevelItem(TView->topLevelItemCount() - 1);
    QPointer<frmRemTree> rem;
    int counter = 0;
    for (int index = NodeCount(); index >= 1; --index) {
        // Added after their parents, so the last node never has children of its own left.
        delete nodes_.back();
        nodes_.pop_back();
        if (++counter < RemovalReportStep) continue;
        const QString remain = QStringLiteral("%1 nodes remain to remove").arg(index);
        if (Frame) Frame->SetPanel1Text(remain);
        if (!rem) {
            rem = new frmRemTree(Frame ? Frame->Window() : nullptr);
            rem->setAttribute(Qt::WA_DeleteOnClose, true);
            rem->Form_Load();
            rem->show();
            rem->repaint();
            rem->setWindowTitle("<" + owner_.GrammarName + "> - removing derivation tree");
        }
        rem->Label1->setText(remain);
        rem->raise();
        ui::Ui().processEvents();
        counter = 0;
    }
    if (rem) rem->close();
    // The tree's own grammar forgets it, also when another grammar is active.
    owner_.DelTree();
    if (ActiveGrammar) statusLine(*ActiveGrammar);
    unsetCursor();
}

// ---- the grammar window's tree ----

void frmGrammar::LoadTree(const QString& sGrammarName)
{
    if (!bShowTree) return;
    DerivTree = new frmTree(*this);
    const QString key = resultKey("Tre", 1);
    DerivTree->Tag = key;
    DerivTree->setWindowTitle(sGrammarName + QStringLiteral(" - Derivation tree"));
    if (Frame) {
        QMdiSubWindow* sub = Frame->MdiArea()->addSubWindow(DerivTree);
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
        sub->setWindowIcon(frmSwitch::Image(QStringLiteral("Tree")));
    }
    DerivTree->Form_Load();
    DerivTree->show();
    if (ShowNavigation && NavWindow && !ActiveGrammarName.isEmpty()) {
        NavWindow->AddChildNode(ActiveGrammarName, key, QStringLiteral("Derivation tree"), QStringLiteral("Tree"));
        NavWindow->ExpandNode(ActiveGrammarName);
        NavWindow->SelectNode(key);
    }
}

void frmGrammar::DelTree()
{
    if (ShowNavigation && NavWindow) NavWindow->RemoveNode(resultKey("Tre", 1));
    DerivTree = nullptr;
    bShowTree = false;
    bNoTree = true;
}

void frmGrammar::CloseTree()
{
    if (!DerivTree) {
        bNoTree = true;
        return;
    }
    if (QMdiSubWindow* sub = subOf(DerivTree)) sub->close();
    else DerivTree->close();
}

void frmGrammar::ArrangeTree()
{
    if (QMdiSubWindow* sub = subOf(DerivTree)) sub->showMinimized();
}

void frmGrammar::TreeOnTop()
{
    if (!DerivTree) return;
    ActiveChild = DerivTree;
    if (QMdiSubWindow* sub = subOf(DerivTree)) {
        sub->showNormal();
        if (Frame) Frame->MdiArea()->setActiveSubWindow(sub);
    }
}
