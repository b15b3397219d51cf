#include "frmFind.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "child_form.h"
#include "cp1251.h"
#include "find_text.h"
#include "frmMain.h"
#include "module_main.h"

using namespace ModuleMain;

frmFind& frmFind::instance()
{
    static QPointer<frmFind> dialog;
    if (!dialog) dialog = new frmFind(MainForm);
    return *dialog;
}

frmFind::frmFind(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Find"));
    txtFind = new QLineEdit(this);
    txtReplace = new QLineEdit(this);
    chkCase = new QCheckBox(QStringLiteral("Match &case"), this);
    optUp = new QRadioButton(QStringLiteral("&Up"), this);
    optDown = new QRadioButton(QStringLiteral("&Down"), this);
    cmdFind = new QPushButton(QStringLiteral("&Find Next"), this);
    cmdReplace = new QPushButton(QStringLiteral("&Replace"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Fi&nd what:"), this), 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(cmdFind, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Re&place with:"), this), 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(cmdReplace, 1, 2);
    grid->addWidget(chkCase, 2, 0);
    grid->addWidget(optUp, 2, 1, Qt::AlignRight);
    grid->addWidget(optDown, 3, 1, Qt::AlignRight);
    grid->addWidget(cancel, 2, 2);
    optDown->setChecked(true);
    cmdFind->setDefault(true);
    connect(cmdFind, &QPushButton::clicked, this, [this] { cmdFind_Click(); });
    connect(cmdReplace, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(txtFind, &QLineEdit::textEdited, this, [] { FindRestart = true; });
}

void frmFind::takeState()
{
    FindText = txtFind->text();
    FindMatchCase = chkCase->isChecked();
    FindDirection = optDown->isChecked() ? 1 : 2;
}

void frmFind::ShowFind()
{
    setWindowTitle(FindOnly ? QStringLiteral("Find") : QStringLiteral("Replace"));
    txtReplace->setVisible(!FindOnly);
    cmdReplace->setText(FindOnly ? QStringLiteral("&Replace...") : QStringLiteral("&Replace"));
    FindShown = true;
    show();
    raise();
}

void frmFind::cmdFind_Click()
{
    takeState();
    if (!FindText.isEmpty()) FindNextInText();
}

void frmFind::cmdReplace_Click()
{
    if (FindOnly) {
        FindOnly = false;
        ShowFind();
        return;
    }
    takeState();
    if (ActiveChild && !FindText.isEmpty()) {
        RichText* t = ActiveChild->rtf();
        const QString sel = cp1251::toUnicode(t->SelText());
        const Qt::CaseSensitivity cs = FindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        if (t && sel.compare(FindText, cs) == 0) t->SetSelText(cp1251::fromUnicode(txtReplace->text()));
        FindNextInText();
    }
}

void frmFind::hideEvent(QHideEvent* event)
{
    FindShown = false;
    QDialog::hideEvent(event);
}
