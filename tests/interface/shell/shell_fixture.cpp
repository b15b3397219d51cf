#include "shell_fixture.h"

#include <QApplication>
#include <QDir>
#include <fstream>
#include <sstream>

#include "engine_binding.h"
#include "frmSplash2.h"
#include "workspace_state.h"

void ShellTest::SetUp()
{
    folder_ = std::make_unique<test_support::WorkFolder>("shell");
    iniFile_ = QString::fromStdString((folder_->Path() / "settings.ini").string());
    auto scripted = std::make_unique<ScriptedUi>();
    ui_ = scripted.get();
    ui::SetUi(std::move(scripted));
    auto modal = std::make_unique<dialogs::ScriptedModal>();
    modal_ = modal.get();
    dialogs::SetModalRunner(std::move(modal));
    SetAppSettings(std::make_unique<Settings>(iniFile_));
    ModuleMain::SetStartValues();
}

void ShellTest::Start(const QStringList& arguments)
{
    ModuleMain::Main(arguments);
    // The log and any relative file go to this test's own folder.
    QDir::setCurrent(QString::fromStdString(folder_->Path().string()));
    ModuleMain::UntitledWorkFolder = QString::fromStdString(folder_->Path().string());
}

void ShellTest::TearDown()
{
    // A splash still fading from this test's start goes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash2*>(w)) w->close();
    if (frmMain* m = ModuleMain::MainForm) {
        // Nothing is to be asked on the way out.
        for (int k = 1; k <= ModuleMain::GrammarCount; ++k)
            if (frmGrammar* g = ModuleMain::GrammarAt(k)) g->MarkSaved();
        m->close();
        delete m;
    }
    ModuleMain::MainForm = nullptr;
    QApplication::processEvents();
    ui::SetUi(nullptr);
    dialogs::SetModalRunner(nullptr);
    SetAppSettings(nullptr);
    folder_.reset();
}

QString ShellTest::Path(const std::string& name) const
{
    return QString::fromStdString((folder_->Path() / name).string());
}

QString ShellTest::WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream(folder_->Path() / name, std::ios::binary) << bytes;
    return Path(name);
}

std::string ShellTest::ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int ShellTest::OpenGrammars() const
{
    int n = 0;
    for (int k = 1; k <= ModuleMain::GrammarCount; ++k)
        if (ModuleMain::GrammarAt(k)) ++n;
    return n;
}
