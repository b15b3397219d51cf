// The options dialog: its pages over a copy of the stored options, the Default box, the font
// buttons, and Apply, OK and Cancel.
#include "frmOptions.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "font_picker.h"
#include "frmGrammar.h"
#include "frmLog.h"
#include "frmMain.h"
#include "module_main.h"
#include "pipeline.h"
#include "program_options.h"
#include "string_table.h"
#include "ui_services.h"

using namespace ModuleMain;
using options::OptionValues;

// ---- building the window ----

frmOptions::frmOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setProperty("tag", 1059);
    setModal(true);

    tbsOptions = new QTabWidget(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    languagesPage = new LanguagesPage;
    buildPage = new BuildPage;
    showPage = new ShowPage;
    filesPage = new FilesPage;
    fontsPage = new FontsPage;
    picOptions = {languagesPage, buildPage, showPage, filesPage, fontsPage};
    const char* tabs[] = {"Languages", "Build", "Show", "Files", "Fonts"};
    for (size_t i = 0; i < picOptions.size(); ++i) {
        picOptions[i]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        tbsOptions->addTab(picOptions[i], QString::fromLatin1(tabs[i]));
        connect(picOptions[i], &OptionsPage::Edited, this, &frmOptions::pageEdited);
    }
    connect(fontsPage, &FontsPage::FontClicked, this, &frmOptions::FontButton_Click);
    connect(tbsOptions, &QTabWidget::currentChanged, this, &frmOptions::tbsOptions_Click);
    createButtons();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkDefault);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions);
    layout->addLayout(buttons);

    // The dialog sees these keys before its controls do.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [this] { Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this,
            [this] { Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); });
}

void frmOptions::createButtons()
{
    chkDefault = new OptionCheckBox(QStringLiteral("Default"), this);
    chkDefault->setObjectName(QStringLiteral("chkDefault"));
    chkDefault->setToolTip(QStringLiteral("Gray for demo settings"));
    connect(chkDefault, &QCheckBox::clicked, this, [this] { chkDefault_MouseUp(Qt::LeftButton); });
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setProperty("tag", 1066);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setProperty("tag", 1065);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    cmdApply = new QPushButton(QStringLiteral("&Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setProperty("tag", 1064);
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
}

// ---- the copy and the stored string ----

void frmOptions::showValues(const OptionValues& values, bool setDefaultBox)
{
    edited_ = values;
    if (setDefaultBox) chkDefault->SetValue(values.defaultBox);
    for (OptionsPage* page : picOptions) page->Load(edited_);
}

void frmOptions::pageEdited(bool returnsDefault)
{
    if (returnsDefault) UncheckDefault(Qt::LeftButton);
    for (OptionsPage* page : picOptions) page->Take(edited_);
    for (OptionsPage* page : picOptions) page->Follow(edited_);
}

void frmOptions::OptionsInit()
{
    const options::StoredOptions stored = options::ReadStored();
    OptionsString = stored.text;
    showValues(stored.values, stored.defaultBoxRead);
}

void frmOptions::ApplyOptions(bool setDefaultBox)
{
    const options::StoredOptions read = options::FromText(OptionsString);
    showValues(read.values, setDefaultBox && read.defaultBoxRead);
}

void frmOptions::SaveOptions()
{
    edited_.defaultBox = chkDefault->Value();
    OptionsString = options::Store(edited_);
    // The boxes show the extensions as they were stored.
    filesPage->Load(edited_);
}

void frmOptions::SetDefaultOptions() { showValues(options::DefaultSet(), false); }
void frmOptions::SetDemoOptions() { showValues(options::DemoSet(), false); }

// ---- the controls' handlers ----

void frmOptions::UncheckDefault(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && chkDefault->Value() != 0) chkDefault->SetValue(0);
}

void frmOptions::chkDefault_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton) return;
    if (chkDefault->Value() == 0 && defaultPrevious_ == 1) chkDefault->SetValue(2);
    const int value = chkDefault->Value();
    defaultPrevious_ = value;
    if (value == 1) SetDefaultOptions();
    else if (value == 2) SetDemoOptions();
    else if (!OptionsString.isEmpty()) ApplyOptions(false);
}

void frmOptions::FontButton_Click(int record)
{
    if (record < 0 || record >= options::FontCount) return;
    FontRec& rec = edited_.fonts[static_cast<size_t>(record)];
    const bool matrix = record == 1;
    FontRec preset = rec;
    if (matrix) {
        preset.FontSize = 7;
        preset.FontBold = preset.FontItalic = preset.FontUnderline = preset.FontStrikethru = false;
    }
    const std::optional<FontRec> chosen = dialogs::Fonts().ChooseFont(this, preset);
    if (!chosen) return;
    const QString problem = options::FontNameProblem(QString::fromStdString(chosen->FontName));
    if (!problem.isEmpty()) {
        ui::Ui().messageBox(fontsPage->cmdFont[static_cast<size_t>(record)]->text() + QStringLiteral(": ") + problem,
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    if (matrix) {
        rec.FontName = chosen->FontName;
        rec.FontColor = chosen->FontColor;
    } else {
        rec = *chosen;
    }
    UncheckDefault(Qt::LeftButton);
}

void frmOptions::tbsOptions_Click()
{
    const int selected = tbsOptions->currentIndex();
    for (int i = 0; i < tbsOptions->count(); ++i) picOptions[static_cast<size_t>(i)]->setEnabled(i == selected);
    if (tbsOptions->widget(selected) == fontsPage) fontsPage->DrawMarkerSample();
}

void frmOptions::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Tab || !(modifiers & Qt::ControlModifier)) return;
    const int n = tbsOptions->count();
    const int step = (modifiers & Qt::ShiftModifier) ? n - 1 : 1;
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + step) % n);
}

void frmOptions::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier)) {
        Form_KeyDown(Qt::Key_Tab,
                     event->modifiers() | (event->key() == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier));
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- opening and closing ----

void frmOptions::Form_Load()
{
    if (MainForm) {
        const QRect m = MainForm->frameGeometry();
        move((m.left() + m.width()) / 4, (m.top() + m.height()) / 4);
    }
    LoadFormStrings(this);
}

void frmOptions::Form_Activate()
{
    OptionsInit();
    shownNotation_ = edited_.notation();
    shownLanguage_ = edited_.language();
}

bool frmOptions::refuseBadExtension()
{
    for (int k = 0; k < options::ExtCount; ++k) {
        const QString problem = options::ExtensionProblem(edited_.extensions[static_cast<size_t>(k)]);
        if (problem.isEmpty()) continue;
        tbsOptions->setCurrentWidget(filesPage);
        QLineEdit* box = filesPage->Box(k);
        box->setFocus();
        box->selectAll();
        ui::Ui().messageBox(FilesPage::Label(k) + QStringLiteral(": ") + problem, ui::AppTitle(), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        return true;
    }
    return false;
}

bool frmOptions::cmdApply_Click()
{
    if (refuseBadExtension()) return false;
    const bool fontsChanged = edited_.fonts != options::ProgramFonts();
    Idle = false;
    SaveOptions();
    options::ApplyToProgram(edited_);
    if (MainForm) {
        MainForm->widenPanel1();
        // Every open grammar takes the new fonts; the active one is coloured again below.
        if (fontsChanged)
            for (int k = 1; k <= GrammarCount; ++k)
                if (frmGrammar* g = GrammarAt(k)) g->SetFont();
        if (!FastWork) MainForm->pipeline().ParseGrammarForFonts();
        MainForm->sbPanel1_Width();
    }
    if (LogWindow) LogWindow->SetLogFont();
    if (ActiveGrammar) {
        // A grammar keeps the notation it is written in unless the user chose another here: a
        // change of fonts must not make its next reading fail.
        if (CurNotation != shownNotation_) ActiveGrammar->iGrmNotation = CurNotation;
        if (CurLanguage != shownLanguage_) ActiveGrammar->iGrmLanguage = CurLanguage;
        // The rule ends follow the notation: ";" for the notation with ";", else CR and LF.
        SetNotationBuildImages(ActiveGrammar->iGrmNotation, ActiveGrammar->iGrmLanguage);
    } else {
        SetNotationBuildButtons();
    }
    shownNotation_ = CurNotation;
    shownLanguage_ = CurLanguage;
    Idle = true;
    if (MainForm && MainForm->MdiArea())
        if (QMdiSubWindow* w = MainForm->MdiArea()->activeSubWindow()) w->unsetCursor();
    return true;
}

void frmOptions::cmdOK_Click()
{
    if (cmdApply_Click()) done(QDialog::Accepted);
}

void frmOptions::cmdCancel_Click() { done(QDialog::Rejected); }

void frmOptions::reject() { cmdCancel_Click(); }
