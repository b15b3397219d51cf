#include "frmRemTree.h"

#include <QLabel>
#include <QVBoxLayout>

#include "workspace_state.h"

using namespace ModuleMain;

frmRemTree::frmRemTree(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Removing Derivation Tree"));
    Label2 = new QLabel(QStringLiteral("Please Wait"), this);
    Label1 = new QLabel(QStringLiteral("XXXXX nodes remain to remove"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2, 0, Qt::AlignHCenter);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    const double t = TwipsPerPixel();
    resize(qRound(4470 / t), qRound(975 / t));
}

void frmRemTree::Form_Load()
{
    if (!Frame) return;
    const QRect m = Frame->Window()->geometry();
    move((m.width() + m.left() - width()) / 2, (m.height() + m.top()) / 2 - height());
}
