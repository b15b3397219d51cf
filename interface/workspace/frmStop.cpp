#include "frmStop.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "workspace_state.h"

frmStop::frmStop(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStop"));
    setWindowTitle(QStringLiteral("Transforming to LL1"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
    Label1 = new QLabel(QStringLiteral("0  loops"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("0  substitutions"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Command1 = new QPushButton(QStringLiteral("Stop"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &frmStop::Command1_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Command1);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));
    Form_Load();
}

void frmStop::Form_Load()
{
    const QWidget* m = ModuleMain::Frame ? ModuleMain::Frame->Window() : nullptr;
    if (!m) return;
    const QRect r = m->frameGeometry();
    move((r.width() + r.left() - width()) / 2, (r.height() + r.top()) / 2 - height());
}

void frmStop::Command1_Click() { ModuleMain::StopRequested = true; }

void frmStop::reject() { Command1_Click(); }
