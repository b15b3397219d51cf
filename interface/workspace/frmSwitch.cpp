#include "frmSwitch.h"

#include <QEvent>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "child_form.h"
#include "frmGrammar.h"
#include "workspace_state.h"
#include "rich_text.h"

using namespace ModuleMain;

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
constexpr int ColourRole = Qt::UserRole + 2;

// The 16 by 16 pictures of the node kinds, drawn once.
QIcon drawImage(const QString& key)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.find(key); it != cache.end()) return *it;
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QColor ink = Qt::darkBlue;
    if (key.contains("gray")) ink = Qt::gray;
    else if (key.contains("red")) ink = QColor(192, 0, 0);
    else if (key.contains("roze")) ink = QColor(236, 150, 150);
    else if (key.startsWith("Grammar")) ink = QColor(0, 110, 0);
    p.setPen(ink);
    if (key.startsWith("Grid")) {
        for (int i = 2; i <= 14; i += 4) {
            p.drawLine(i, 2, i, 14);
            p.drawLine(2, i, 14, i);
        }
    } else if (key.startsWith("Tree")) {
        p.drawLine(8, 2, 8, 8);
        p.drawLine(3, 8, 13, 8);
        p.drawLine(3, 8, 3, 13);
        p.drawLine(13, 8, 13, 13);
    } else {
        p.drawRect(3, 1, 10, 13);
        for (int y = 4; y <= 11; y += 3) p.drawLine(5, y, 11, y);
        if (key.contains("_P")) p.fillRect(9, 9, 5, 5, ink);
    }
    cache.insert(key, QIcon(pm));
    return cache.value(key);
}
} // namespace

QIcon frmSwitch::Image(const QString& key) { return drawImage(key); }

frmSwitch::frmSwitch(QWidget* parent) : QWidget(parent), TViewNav(new QTreeWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TViewNav);
    TViewNav->setHeaderHidden(true);
    connect(TViewNav, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { TViewNav_NodeClick(item->data(0, KeyRole).toString()); });
    TViewNav->installEventFilter(this);
}

// After an edit the active child comes forward once the tree takes the focus.
void frmSwitch::TViewNav_GotFocus()
{
    if (!NavRefresh) return;
    if (ActiveChild)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(ActiveChild->parentWidget())) sub->raise();
    NavRefresh = false;
}

bool frmSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TViewNav && event->type() == QEvent::FocusIn) TViewNav_GotFocus();
    return QWidget::eventFilter(watched, event);
}

// Every node click checks that the grammar its key names is still open.
void frmSwitch::TViewNav_NodeClick(const QString& key)
{
    if (!Idle || key.size() <= 4) return;
    const int g = key.mid(4, 3).trimmed().toInt();
    frmGrammar* grammar = g >= 1 && g <= GrammarCount ? GrammarAt(g) : nullptr;
    if (!grammar) return;
    if (key.size() <= 7) {
        if (QTreeWidgetItem* n = Node(key)) n->setExpanded(true);
        if (QMdiSubWindow* sub = grammar->subWindow()) {
            sub->showNormal();
            sub->raise();
            if (Frame) Frame->MdiArea()->setActiveSubWindow(sub);
        }
        ActiveGrammar = grammar;
        ActiveChild = grammar;
        if (Frame) Frame->MDIForm_Resize();
        grammar->SetButtonValue();
        grammar->NotationLanguageSwitch();
        return;
    }
    ActiveGrammar = grammar;
    grammar->NotationLanguageSwitch();
    const QString kind = key.mid(7, 3);
    const int n = key.mid(10, 3).trimmed().toInt();
    if (kind == QLatin1String("Doc")) grammar->DocOnTop(n);
    else if (kind == QLatin1String("Grd")) grammar->GridOnTop(n);
    else if (kind == QLatin1String("Tre")) grammar->TreeOnTop();
    else return;
    if (kind != QLatin1String("Tre") && Frame) Frame->MDIForm_Resize();
    grammar->SetButtonValue();
}

QTreeWidgetItem* frmSwitch::Node(const QString& key) const
{
    for (QTreeWidgetItemIterator it(TViewNav); *it; ++it)
        if ((*it)->data(0, KeyRole).toString() == key) return *it;
    return nullptr;
}

void frmSwitch::AddRootNode(const QString& key, const QString& text, const QString& image)
{
    auto* item = new QTreeWidgetItem(TViewNav, QStringList{text});
    item->setData(0, KeyRole, key);
    TViewNav->setCurrentItem(item);
    SetNodeImage(key, image);
}

void frmSwitch::AddChildNode(const QString& parentKey, const QString& key, const QString& text, const QString& image)
{
    QTreeWidgetItem* parent = Node(parentKey);
    if (!parent) return;
    auto* item = new QTreeWidgetItem(parent, QStringList{text});
    item->setData(0, KeyRole, key);
    SetNodeImage(key, image);
    parent->setExpanded(true);
}

void frmSwitch::RemoveNode(const QString& key) { delete Node(key); }

void frmSwitch::SelectNode(const QString& key)
{
    if (QTreeWidgetItem* n = Node(key)) TViewNav->setCurrentItem(n);
}

void frmSwitch::ExpandNode(const QString& key)
{
    if (QTreeWidgetItem* n = Node(key)) n->setExpanded(true);
}

void frmSwitch::SetNodeText(const QString& key, const QString& text)
{
    if (QTreeWidgetItem* n = Node(key)) n->setText(0, text);
}

QString frmSwitch::NodeText(const QString& key) const
{
    QTreeWidgetItem* n = Node(key);
    return n ? n->text(0) : QString();
}

void frmSwitch::SetNodeImage(const QString& key, const QString& image)
{
    if (QTreeWidgetItem* n = Node(key)) {
        n->setData(0, ImageRole, image);
        n->setIcon(0, drawImage(image));
    }
}

QString frmSwitch::NodeImage(const QString& key) const
{
    QTreeWidgetItem* n = Node(key);
    return n ? n->data(0, ImageRole).toString() : QString();
}

void frmSwitch::SetNodeColour(const QString& key, std::int32_t colour)
{
    if (QTreeWidgetItem* n = Node(key)) {
        n->setData(0, ColourRole, colour);
        n->setForeground(0, RichText::ColourOf(colour));
    }
}

std::int32_t frmSwitch::NodeColour(const QString& key) const
{
    QTreeWidgetItem* n = Node(key);
    if (!n) return -1;
    const QVariant v = n->data(0, ColourRole);
    return v.isValid() ? v.toInt() : 0;
}
