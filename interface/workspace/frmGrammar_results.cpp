// The result windows of a grammar: numbered documents and grids, their navigation nodes, and
// the commands that close, minimize and raise them.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRegion>

#include "frmDocument.h"
#include "frmGrammar.h"
#include "frmGrid.h"
#include "frmSwitch.h"
#include "frmTree.h"
#include "workspace_state.h"

using namespace ModuleMain;

namespace {

QMdiSubWindow* subOf(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }

void raiseWindow(QWidget* w)
{
    if (QMdiSubWindow* sub = subOf(w)) {
        sub->showNormal();
        sub->raise();
        if (Frame) Frame->MdiArea()->setActiveSubWindow(sub);
    }
}

bool navOn() { return ShowNavigation && NavWindow; }

} // namespace

QString frmGrammar::resultKey(const char* kind, int number) const
{
    return Key() + QLatin1String(kind) + QString::number(number).rightJustified(3, ' ');
}

frmDocument* frmGrammar::Document(int i) const
{
    return i >= 1 && i < static_cast<int>(docWindows_.size())
               ? qobject_cast<frmDocument*>(docWindows_[static_cast<size_t>(i)].data())
               : nullptr;
}

frmGrid* frmGrammar::Grid(int i) const
{
    return i >= 1 && i < static_cast<int>(gridWindows_.size())
               ? qobject_cast<frmGrid*>(gridWindows_[static_cast<size_t>(i)].data())
               : nullptr;
}

std::vector<frmDocument*> frmGrammar::Documents() const
{
    std::vector<frmDocument*> out;
    for (int i = 1; i <= docCount_; ++i)
        if (frmDocument* d = Document(i)) out.push_back(d);
    return out;
}

std::vector<frmGrid*> frmGrammar::Grids() const
{
    std::vector<frmGrid*> out;
    for (int i = 1; i <= gridCount_; ++i)
        if (frmGrid* g = Grid(i)) out.push_back(g);
    return out;
}

// Shows a new result window over the grammar window, at the size result windows keep.
void frmGrammar::showResult(QWidget* w)
{
    if (!Frame) {
        w->show();
        return;
    }
    QMdiSubWindow* sub = Frame->MdiArea()->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose, true);
    sub->setWindowIcon(
        frmSwitch::Image(qobject_cast<frmGrid*>(w) ? QStringLiteral("Grid") : QStringLiteral("Document")));
    if (QMdiSubWindow* mine = subWindow()) sub->setGeometry(mine->geometry());
    sub->show();
    Frame->MdiArea()->setActiveSubWindow(sub);
}

// In docking view the grammar's result windows follow it; its size is the next result's.
void frmGrammar::resizeEvent(QResizeEvent* event)
{
    ChildForm::resizeEvent(event);
    QMdiSubWindow* mine = subWindow();
    if (!mine || mine->isMinimized()) return;
    const double t = TwipsPerPixel();
    ChildWidth = static_cast<std::int32_t>(mine->width() * t);
    ChildHeight = static_cast<std::int32_t>(mine->height() * t);
    if (!DockingView || !ResizeEnabled) return;
    for (int i = 1; i <= docCount_; ++i)
        if (QMdiSubWindow* sub = subOf(Document(i)); sub && !sub->isMinimized() && !sub->isMaximized())
            sub->setGeometry(mine->geometry());
    for (int i = 1; i <= gridCount_; ++i)
        if (QMdiSubWindow* sub = subOf(Grid(i)); sub && !sub->isMinimized() && !sub->isMaximized())
            sub->setGeometry(mine->geometry());
    if (QMdiSubWindow* sub = subOf(DerivTree); sub && !sub->isMinimized() && !sub->isMaximized())
        sub->setGeometry(mine->geometry());
}

frmDocument* frmGrammar::LoadNewDoc(const QString& sGrammarName, const QString& sName)
{
    ++docCount_;
    docWindows_.resize(static_cast<size_t>(docCount_) + 1);
    auto* d = new frmDocument(this);
    docWindows_[static_cast<size_t>(docCount_)] = d;
    d->Tag = resultKey("Doc", docCount_);
    d->setWindowTitle(sGrammarName + " - " + sName);
    showResult(d);
    ActiveChild = d;
    if (navOn()) {
        // The C++ targets' files are the grammar's name in lower case.
        const bool parser = sName.startsWith(sGrammarName + ".", Qt::CaseInsensitive);
        NavWindow->AddChildNode(ActiveGrammarName, d->Tag, sName,
                                parser ? QStringLiteral("Document_P") : QStringLiteral("Document"));
        if (!GrammarIsLL1) {
            NavWindow->SetNodeColour(d->Tag, ErrorFont.FontColor);
            NavWindow->SetNodeImage(d->Tag, QStringLiteral("Document_red"));
        }
    }
    return d;
}

frmGrid* frmGrammar::LoadNewGrid(const std::vector<QString>& NtmName, int NontrmNumber,
                                 const std::vector<QString>& TrmName, int TrmNumber, int nCols, int nRows,
                                 const QString& sGrammarName, const QString& sName)
{
    ++gridCount_;
    gridWindows_.resize(static_cast<size_t>(gridCount_) + 1);
    auto* g = new frmGrid(this);
    gridWindows_[static_cast<size_t>(gridCount_)] = g;
    g->Tag = resultKey("Grd", gridCount_);
    g->setWindowTitle(sGrammarName + " - " + sName);
    g->GridInit(NtmName, NontrmNumber, TrmName, TrmNumber, nCols, nRows);
    showResult(g);
    ActiveChild = g;
    if (navOn()) NavWindow->AddChildNode(ActiveGrammarName, g->Tag, sName, QStringLiteral("Grid"));
    return g;
}

// A closed result window gives back its slot; the next open one of its kind comes forward.
void frmGrammar::resultClosed(bool grid, int number)
{
    const int count = grid ? gridCount_ : docCount_;
    if (number < 1 || number > count) return;
    if (navOn()) NavWindow->RemoveNode(resultKey(grid ? "Grd" : "Doc", number));
    if (grid) {
        gridWindows_[static_cast<size_t>(number)] = nullptr;
    } else {
        if (frmParser && frmParser == static_cast<ChildForm*>(Document(number))) frmParser = nullptr;
        docWindows_[static_cast<size_t>(number)] = nullptr;
    }
    const auto at = [&](int i) -> QWidget* {
        return grid ? static_cast<QWidget*>(Grid(i)) : static_cast<QWidget*>(Document(i));
    };
    const auto front = [&](int i) {
        raiseWindow(at(i));
        if (NavWindow) NavWindow->SelectNode(resultKey(grid ? "Grd" : "Doc", i));
    };
    for (int i = number + 1; i <= count; ++i) {
        if (at(i)) {
            front(i);
            return;
        }
    }
    int& c = grid ? gridCount_ : docCount_;
    for (int i = count; i >= 1; --i) {
        if (at(i)) {
            c = i;
            front(i);
            return;
        }
    }
    c = 0;
}

void frmGrammar::CloseResultWindow(QWidget* w)
{
    QPointer<QWidget> target = subOf(w) ? subOf(w) : w;
    if (!target) return;
    // Closing clears the attribute and leaves a deferred delete, which this one replaces.
    const bool deletes = target->testAttribute(Qt::WA_DeleteOnClose);
    if (target->close() && deletes && target) delete target.data();
}

void frmGrammar::DelDocument(int lDocumentNumber) { resultClosed(false, lDocumentNumber); }
void frmGrammar::DelGrid(int lGridNumber) { resultClosed(true, lGridNumber); }

void frmGrammar::RemoveDocument(const QString& sName)
{
    const QString caption = GrammarName + " - " + sName;
    for (int i = docCount_; i >= 1; --i)
        if (frmDocument* d = Document(i); d && d->windowTitle() == caption) CloseResultWindow(d);
}

// A document whose closing question is cancelled keeps its slot, so its later notice stays
// within the list.
void frmGrammar::CloseAllDocuments()
{
    for (int i = docCount_; i >= 1; --i)
        if (frmDocument* d = Document(i)) CloseResultWindow(d);
    int highest = 0;
    for (int i = 1; i < static_cast<int>(docWindows_.size()); ++i)
        if (Document(i)) highest = i;
    docCount_ = highest;
    docWindows_.resize(static_cast<size_t>(highest) + 1);
}

void frmGrammar::CloseAllGrids()
{
    for (int i = gridCount_; i >= 1; --i)
        if (frmGrid* g = Grid(i)) CloseResultWindow(g);
    gridCount_ = 0;
    gridWindows_.assign(1, nullptr);
}

void frmGrammar::FillSeenDocuments()
{
    QMdiArea* area = Frame ? Frame->MdiArea() : nullptr;
    for (frmDocument* d : Documents()) {
        if (!d->rtfText.Waiting()) continue;
        QMdiSubWindow* sub = subOf(d);
        if (!area || !sub) {
            if (d->isVisible()) d->Fill();
            continue;
        }
        if (!sub->isVisible() || sub->isMinimized()) continue;
        // What is left of the window in the area once the windows in front of it are taken away.
        QRegion seen = QRegion(sub->geometry()).intersected(area->viewport()->rect());
        const QList<QMdiSubWindow*> stack = area->subWindowList(QMdiArea::StackingOrder);
        for (qsizetype i = stack.indexOf(sub) + 1; i < stack.size() && !seen.isEmpty(); ++i)
            if (stack[i]->isVisible() && !stack[i]->isMinimized()) seen -= stack[i]->geometry();
        if (!seen.isEmpty()) d->Fill();
    }
}

void frmGrammar::ArrangeAllDocuments()
{
    for (int i = docCount_; i >= 1; --i)
        if (QMdiSubWindow* sub = subOf(Document(i))) sub->showMinimized();
}

void frmGrammar::ArrangeAllGrids()
{
    for (int i = gridCount_; i >= 1; --i)
        if (QMdiSubWindow* sub = subOf(Grid(i))) sub->showMinimized();
}

void frmGrammar::DocOnTop(int ind)
{
    if (frmDocument* d = Document(ind)) {
        ActiveChild = d;
        raiseWindow(d);
    }
}

void frmGrammar::GridOnTop(int ind)
{
    if (frmGrid* g = Grid(ind)) {
        ActiveChild = g;
        raiseWindow(g);
    }
}

void frmGrammar::ExpandGrammarNode()
{
    if (NavWindow) NavWindow->ExpandNode(Key());
}

void frmGrammar::SetNavNodesToGray()
{
    if (!NavWindow) return;
    if (DerivTree) {
        NavWindow->SetNodeColour(DerivTree->Tag, GrayColor);
        NavWindow->SetNodeImage(DerivTree->Tag, QStringLiteral("Tree_gray"));
    }
    for (frmDocument* d : Documents()) {
        const std::int32_t colour = NavWindow->NodeColour(d->Tag);
        if (colour == ErrorFont.FontColor || colour == RoseColor) {
            NavWindow->SetNodeColour(d->Tag, RoseColor);
            NavWindow->SetNodeImage(d->Tag, QStringLiteral("Document_sign_roze"));
        } else {
            NavWindow->SetNodeColour(d->Tag, GrayColor);
            NavWindow->SetNodeImage(d->Tag, NavWindow->NodeText(d->Tag).startsWith(GrammarName + ".")
                                                ? QStringLiteral("Document_P_gray")
                                                : QStringLiteral("Document_gray"));
        }
    }
    for (frmGrid* g : Grids()) {
        NavWindow->SetNodeColour(g->Tag, GrayColor);
        NavWindow->SetNodeImage(g->Tag, QStringLiteral("Grid_gray"));
    }
}

bool frmGrammar::Results() const { return docCount_ + gridCount_ > 0 || DerivTree; }

ChildForm* frmGrammar::ResultParser() const
{
    ChildForm* found = nullptr;
    for (int i = docCount_; i >= 1; --i)
        if (frmDocument* d = Document(i); d && !d->Locked()) found = d;
    return found;
}
