// The build of a derivation tree: the grammar is read once more with its tree switch on, and
// the readers' tree hooks add a node per call to the grammar's tree window.
#include <QMessageBox>
#include <QProgressBar>
#include <QTime>
#include <QTreeWidget>

#include "cp1251.h"
#include "frmGrammar.h"
#include "frmMain.h"
#include "frmTree.h"
#include "module_main.h"
#include "pipeline.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

// The tree hooks' view of ActiveGrammar, its tree window and the main window.
class WindowTreeHost final : public readers::TreeHost {
public:
    bool TreeBuilding() const override { return g() && g()->bShowTree; }
    void SetTreeBuilding(bool on) override
    {
        if (g()) g()->bShowTree = on;
    }
    void SetTreeAllowed(bool on) override
    {
        if (g()) g()->bNoTree = on;
    }
    bool HasTreeForm() const override { return g() && g()->DerivTree; }
    std::string GrammarName() const override { return g() ? cp1251::fromUnicode(g()->GrammarName) : std::string(); }
    void LoadTree(const std::string& name) override
    {
        if (g()) g()->LoadTree(cp1251::toUnicode(name));
    }
    int WindowNumber() const override { return g() ? g()->Number() : 0; }
    readers::Pos TextLength() const override { return g() ? g()->rtfText.TextLength() : 0; }
    int NodeCount() const override { return tree() ? tree()->NodeCount() : 0; }
    NodeId AddNode(NodeId parent, const std::string& key, const std::string& text) override
    {
        if (!tree()) return NoNode;
        return tree()->AddNode(parent, cp1251::toUnicode(key), cp1251::toUnicode(text));
    }
    void SetExpanded(NodeId node) override
    {
        if (tree()) tree()->NodeAt(node)->setExpanded(true);
    }
    void SetForeColor(NodeId node, std::int32_t colour) override
    {
        if (tree()) tree()->NodeAt(node)->setForeground(0, RichText::ColourOf(colour));
    }
    void SetTag(NodeId node, const std::string& tag) override
    {
        if (tree()) tree()->SetTag(node, QString::fromStdString(tag));
    }
    double ProgressBarMax() const override { return MainForm ? MainForm->ProgressBar1->maximum() : 100; }
    void SetProgressValue(double value) override
    {
        if (MainForm) MainForm->ProgressBar1->setValue(static_cast<int>(value));
    }
    void HideProgressBar() override
    {
        if (MainForm) MainForm->ProgressBar1->setVisible(false);
    }
    void SetStatusText(const std::string& text) override
    {
        if (MainForm) MainForm->SetPanel1Text(cp1251::toUnicode(text));
    }
    void ProcessEvents() override { ui::Ui().processEvents(); }
    std::int32_t TrmFontColor() const override { return TrmFont.FontColor; }

private:
    static frmGrammar* g() { return ActiveGrammar; }
    static frmTree* tree() { return ActiveGrammar ? ActiveGrammar->DerivTree.data() : nullptr; }
};

struct TreeHooksOfWindows {
    WindowTreeHost host;
    readers::DerivationTree hooks{host};
};

TreeHooksOfWindows& windowHooks()
{
    static TreeHooksOfWindows h;
    return h;
}

} // namespace

readers::TreeHooks& DerivationTreeHooks() { return windowHooks().hooks; }

void Pipeline::BuildDerivationTree()
{
    frmGrammar* g = ActiveGrammar;
    if (!g) return;
    if (g->DerivTree) g->CloseTree();
    if (!g->bNoTree) return;
    InterruptMsg.clear();
    windowHooks().hooks.InterruptMsg.clear();
    main_.ProgressBar1->setVisible(true);
    g->bShowTree = true;
    FastWork = true;
    if (g->GrammarName.isEmpty()) Parse(0);
    ParseAndReport();
    g->bShowTree = false;
    g->bNoTree = false;
    main_.ProgressBar1->setVisible(false);
    // The node-limit stop of the hooks leaves its message with them.
    if (InterruptMsg.isEmpty()) InterruptMsg = cp1251::toUnicode(windowHooks().hooks.InterruptMsg);
    if (g->DerivTree) g->DerivTree->BuiltText = g->rtfText.Text();
    const int n = g->DerivTree ? g->DerivTree->NodeCount() : 0;
    const QString added = QString::number(n) + QStringLiteral(" nodes have been added");
    main_.WriteLog(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("   - ") + added +
                   InterruptMsg + QStringLiteral("\r\n"));
    main_.SetPanel1Text(added);
    if (n >= readers::TreeNodeLimit)
        ui::Ui().messageBox(added + InterruptMsg, ui::AppTitle(), ui::Buttons::Ok, ui::Icon::None);
}
