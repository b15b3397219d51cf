#include "frmFind.h"

#include <QAbstractScrollArea>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <algorithm>

#include "child_form.h"
#include "cp1251.h"
#include "find_text.h"
#include "frmGrammar.h"
#include "readers.h"
#include "run_guard.h"
#include "workspace_state.h"

using namespace ModuleMain;

frmFind& frmFind::instance()
{
    static QPointer<frmFind> dialog;
    if (!dialog) dialog = new frmFind(Frame ? Frame->Window() : nullptr);
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
    Label2 = new QLabel(QStringLiteral("Replace  &With:"), this);
    Label2->setBuddy(txtReplace);
    grid->addWidget(Label2, 1, 0);
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
    // Nothing to find: Find Next waits for a text.
    connect(txtFind, &QLineEdit::textChanged, this, [this](const QString& t) { cmdFind->setEnabled(!t.isEmpty()); });
    cmdFind->setEnabled(false);
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
    Label2->setVisible(!FindOnly);
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
    if (!ActiveChild || !ActiveChild->rtf()) return;
    RichText& t = *ActiveChild->rtf();
    Idle = false;
    takeState();
    // Only an occurrence of the searched text is replaced: a selection the user made elsewhere
    // is left alone, and the press then only finds the next occurrence.
    const QString sel = cp1251::toUnicode(t.SelText());
    const Qt::CaseSensitivity cs = FindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!sel.isEmpty() && !FindText.isEmpty() && sel.compare(FindText, cs) == 0 && sel != txtReplace->text())
        replaceSelection(t);
    FindNextInText();
    Idle = true;
}

// The selection becomes the replacement; in a grammar window the caret's line is read again by
// the grammar's notation reader, only to colour it, and a syntax error on it is marked.
void frmFind::replaceSelection(RichText& t)
{
    t.SetSelText(cp1251::fromUnicode(txtReplace->text()));
    const RichText::Pos P = t.SelStart();
    auto* g = dynamic_cast<frmGrammar*>(ActiveChild);
    if (!g) return;
    const std::string T = t.Text() + "\r\n";
    const std::size_t before = P > 0 ? T.rfind('\n', static_cast<std::size_t>(P - 1)) : std::string::npos;
    const std::size_t A = before == std::string::npos ? 0 : before + 1; // the line's first character
    std::size_t E = T.find('\r', std::max<std::size_t>(A, P > 0 ? static_cast<std::size_t>(P - 1) : 0));
    if (E == std::string::npos) E = T.size() - 2;
    t.view()->setUpdatesEnabled(false);
    // The text stays as replaced whatever happens here; only its colouring may be incomplete.
    RunLogged(Frame, QStringLiteral("the replacement's colouring"), [&] {
        readers::TextStyler styler(Fonts, &t);
        styler.FastWork = FastWork;
        styler.StyleBase = static_cast<RichText::Pos>(A);
        t.SetSelStart(static_cast<RichText::Pos>(A));
        std::string err;
        const std::string line = T.substr(A, E - A + 2);
        readers::ColourGrammarText(g->iGrmNotation, line, err, styler);
        const std::size_t lastLf = err.rfind('\n');
        const std::size_t k = err.empty() ? 0 : err.size() - (lastLf == std::string::npos ? 0 : lastLf + 1);
        if (k > 0) {
            // 1-based positions in T: the line starts after p, its CR is at e, the error at q.
            styler.StyleBase = 0;
            const std::size_t p = A;
            const std::size_t e = T.find('\r', p) + 1;
            std::size_t q = p + k;
            if (q == e) q = A + 1;
            t.SetSelStart(static_cast<RichText::Pos>(A));
            styler.ApplyTextsFont(static_cast<RichText::Pos>(q));
            styler.ApplyErrorFont(static_cast<RichText::Pos>(e));
        }
    });
    t.SetSelStart(P);
    t.view()->setUpdatesEnabled(true);
    t.view()->viewport()->update();
}

void frmFind::hideEvent(QHideEvent* event)
{
    FindShown = false;
    QDialog::hideEvent(event);
}
