#include "frmSwitch.h"

#include <QMdiSubWindow>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frmGrammar.h"
#include "module_main.h"

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
} // namespace

frmSwitch::frmSwitch(QWidget* parent) : QWidget(parent), TViewNav(new QTreeWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TViewNav);
    TViewNav->setHeaderHidden(true);
    connect(TViewNav, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) {
        if (!ModuleMain::Idle || item->parent()) return;
        const QString key = item->data(0, KeyRole).toString();
        for (int n = 1; n <= ModuleMain::GrammarCount; ++n) {
            frmGrammar* g = ModuleMain::GrammarAt(n);
            if (g && g->Key() == key) {
                if (g->subWindow()) g->subWindow()->showNormal();
                g->editor->setFocus();
                g->rtfText_GotFocus();
            }
        }
    });
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
    item->setData(0, ImageRole, image);
    TViewNav->setCurrentItem(item);
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

void frmSwitch::SetNodeImage(const QString& key, const QString& image)
{
    if (QTreeWidgetItem* n = Node(key)) n->setData(0, ImageRole, image);
}

QString frmSwitch::NodeImage(const QString& key) const
{
    QTreeWidgetItem* n = Node(key);
    return n ? n->data(0, ImageRole).toString() : QString();
}
