// The main window's frame: its controls, loading, layout and closing. The commands are in
// frmMain_commands.cpp, the file commands in frmMain_files.cpp, the log in frmMain_log.cpp.
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "dialogs.h"
#include "frmDocument.h"
#include "frmGrammar.h"
#include "frmGrid.h"
#include "frmLog.h"
#include "frmSwitch.h"
#include "frmTree.h"
#include "language_table.h"
#include "module_main.h"
#include "pipeline.h"
#include "settings.h"
#include "status_panel.h"
#include "string_table.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

const char* const kPanel1Key = "Root  0";

} // namespace

QString ButtonLabel(const QString& image)
{
    static const QHash<QString, QString> labels = {{"Quick_yellow", "Quick"},
                                                   {"Quick_green", "Quick"},
                                                   {"Undo", "Undo"},
                                                   {"Undo_Tr", "Undo"},
                                                   {"StopUndo_Tr", "Undo"},
                                                   {"Redo", "Redo"},
                                                   {"Redo_Tr", "Redo"},
                                                   {"StopRedo_Tr", "Redo"},
                                                   {"Factoring", "Fact"},
                                                   {"Recursion", "Recur"},
                                                   {"LL1", "LL(1)"},
                                                   {"Typical", "Typ"},
                                                   {"w3c", "W3C"},
                                                   {"MSDN with ;", "MSDN;"},
                                                   {"bas", "VB"},
                                                   {"vbs", "VBS"},
                                                   {"f90", "F90"},
                                                   {"for", "F77"},
                                                   {"java_", "Java"},
                                                   {"js", "JS"},
                                                   {"pas", "Pascal"},
                                                   {"cc", "C++"},
                                                   {"cpp", "C++ class"}};
    return labels.value(image, image);
}

namespace {

// A toolbar image: the standard icon where there is one, else the image's key as a label.
QIcon iconFor(const QString& image)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.find(image); it != cache.end()) return *it;
    QStyle* s = QApplication::style();
    static const QHash<QString, QStyle::StandardPixmap> standard = {{"New", QStyle::SP_FileIcon},
                                                                    {"Open", QStyle::SP_DialogOpenButton},
                                                                    {"Save", QStyle::SP_DialogSaveButton},
                                                                    {"Help", QStyle::SP_DialogHelpButton},
                                                                    {"Delete Results", QStyle::SP_TrashIcon},
                                                                    {"Grammar1", QStyle::SP_FileIcon}};
    QIcon icon;
    if (standard.contains(image)) {
        icon = s->standardIcon(standard.value(image));
    } else {
        QPixmap pm(27, 18);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        QColor colour = Qt::darkBlue;
        if (image == "Quick_green") colour = QColor(0, 140, 0);
        if (image == "Quick_yellow") colour = QColor(190, 150, 0);
        if (image.startsWith("Stop")) colour = Qt::gray;
        p.setPen(colour);
        QFont f = p.font();
        f.setPixelSize(8);
        f.setBold(true);
        const QStringList lines = ButtonLabel(image).split(QLatin1Char(' '));
        // Each word on its own line when the label is wider than the picture; the letters
        // shrink until every line fits.
        const bool stacked = lines.size() > 1 && QFontMetrics(f).horizontalAdvance(ButtonLabel(image)) > pm.width();
        const QStringList shown = stacked ? lines : QStringList{ButtonLabel(image)};
        for (int px = 8; px >= 5; --px) {
            f.setPixelSize(px);
            const QFontMetrics fm(f);
            bool fits = fm.height() * shown.size() <= pm.height() + 2;
            for (const QString& line : shown) fits = fits && fm.horizontalAdvance(line) <= pm.width();
            if (fits) break;
        }
        p.setFont(f);
        p.drawText(pm.rect(), Qt::AlignCenter, shown.join(QLatin1Char('\n')));
        icon = QIcon(pm);
    }
    cache.insert(image, icon);
    return icon;
}

} // namespace

double frmMain::TwipsPerPixel() { return ModuleMain::TwipsPerPixel(); }

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), pipeline_(std::make_unique<Pipeline>(*this))
{
    Processing = pipeline_.get();
    setWindowTitle(ui::AppTitle());
    mdiArea = new QMdiArea(this);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);
    mdiArea->installEventFilter(this);
    // A closed window hands the focus back to the one active before it, not to the next one
    // made, which may be another grammar's.
    mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::subWindowActivated);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::updateActions);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    tagStrings();
}

// The string ids of the menus, their entries and the toolbar's tool tips.
void frmMain::tagStrings()
{
    static const std::pair<const char*, int> captions[] = {{"mnuFile", 1000},
                                                           {"mnuFileNew", 1001},
                                                           {"mnuFileOpen", 1002},
                                                           {"mnuFileClose", 1003},
                                                           {"mnuFileCloseResults", 1078},
                                                           {"mnuFileSave", 1004},
                                                           {"mnuFileSaveAs", 1005},
                                                           {"mnuFileSaveAll", 1006},
                                                           {"mnuFileSaveParser", 1099},
                                                           {"mnuFileSaveParserAs", 1100},
                                                           {"mnuFilePageSetup", 1008},
                                                           {"mnuFilePrint", 1010},
                                                           {"mnuFileExit", 1012},
                                                           {"mnuEdit", 1013},
                                                           {"mnuEditUndo", 1014},
                                                           {"mnuEditCut", 1015},
                                                           {"mnuEditCopy", 1016},
                                                           {"mnuEditPaste", 1017},
                                                           {"mnuEditSelectAll", 1091},
                                                           {"mnuEditFind", 1018},
                                                           {"mnuEditFindNext", 1011},
                                                           {"mnuEditReplace", 1009},
                                                           {"mnuView", 1019},
                                                           {"mnuViewToolbar", 1020},
                                                           {"mnuViewStatusBar", 1021},
                                                           {"mnuViewProcess", 1080},
                                                           {"mnuViewNavigation", 1079},
                                                           {"mnuViewOptions", 1023},
                                                           {"mnuTools", 1025},
                                                           {"mnuToolsUndo", 1045},
                                                           {"mnuToolsRedo", 1046},
                                                           {"mnuToolsExtraneous", 1090},
                                                           {"mnuToolsLeftFactoring", 1081},
                                                           {"mnuToolsRecursionLoops", 1082},
                                                           {"mnuToolsLeftRecursion", 1083},
                                                           {"mnuToolsOptions", 1026},
                                                           {"mnuWindow", 1027},
                                                           {"mnuWindowNewWindow", 1028},
                                                           {"mnuWindowDocking", 1088},
                                                           {"mnuWindowCascade", 1029},
                                                           {"mnuWindowTileHorizontal", 1030},
                                                           {"mnuWindowTileVertical", 1031},
                                                           {"mnuWindowArrangeIcons", 1032},
                                                           {"mnuHelp", 1033},
                                                           {"mnuHelpContents", 1034},
                                                           {"mnuHelpSearchForHelpOn", 1035}};
    for (const auto& [name, id] : captions) {
        if (QAction* a = action(name)) a->setProperty("tag", id);
        else if (QMenu* m = menu(name)) m->menuAction()->setProperty("tag", id);
    }
    static const std::pair<const char*, int> tips[] = {
        {"New", 1037},       {"Open", 1038},           {"Save", 1039},      {"Cut", 1041},      {"Copy", 1042},
        {"Paste", 1043},     {"Find", 1044},           {"Quick", 1087},     {"Notation", 1092}, {"Extra", 1090},
        {"Factoring", 1081}, {"Loops", 1082},          {"Recursion", 1083}, {"Tree", 1085},     {"LL1", 1097},
        {"Build", 1086},     {"Delete Results", 1078}, {"Help", 1050}};
    for (const auto& [key, id] : tips)
        if (QAction* a = toolButton(key)) a->setProperty("tip", id);
    LoadFormStrings(this);
}

frmMain::~frmMain()
{
    // The docks hide while the window's bases take them down: their signals must not reach a
    // window that is no longer whole.
    if (NavDock) NavDock->disconnect(this);
    // Nor may the frame's activation of the closing sub-windows.
    if (mdiArea) mdiArea->disconnect(this);
    if (MainForm == this) MainForm = nullptr;
    if (Frame == this) Frame = nullptr;
    if (Processing == pipeline_.get()) Processing = nullptr;
    NavWindow = nullptr;
    LogWindow = nullptr;
    ActiveGrammar = nullptr;
    ActiveChild = nullptr;
}

void frmMain::setPipeline(std::unique_ptr<Pipeline> p)
{
    if (Processing == pipeline_.get()) Processing = p.get();
    pipeline_ = std::move(p);
}

QPrinter& frmMain::Printer()
{
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

// ---- controls ----

QAction* frmMain::addAction(QAction* Commands::*member, const QString& name, const QString& text,
                            void (frmMain::*slot)())
{
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (slot) connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    actions_.insert(name, a);
    cmd_.*member = a;
    return a;
}

void frmMain::createActions()
{
    addAction(&Commands::mnuFileNew, "mnuFileNew", "&New", &frmMain::mnuFileNew_Click)->setShortcut(QKeySequence::New);
    addAction(&Commands::mnuFileOpen, "mnuFileOpen", "&Open...", &frmMain::mnuFileOpen_Click)
        ->setShortcut(QKeySequence::Open);
    addAction(&Commands::mnuFileClose, "mnuFileClose", "&Close Grammar", &frmMain::mnuFileClose_Click);
    addAction(&Commands::mnuFileCloseResults, "mnuFileCloseResults", "&Remove Results",
              &frmMain::mnuFileCloseResults_Click);
    addAction(&Commands::mnuFileSave, "mnuFileSave", "&Save Grammar", nullptr)->setShortcut(QKeySequence::Save);
    connect(cmd_.mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
    addAction(&Commands::mnuFileSaveAs, "mnuFileSaveAs", "Save Grammar &As...", nullptr);
    connect(cmd_.mnuFileSaveAs, &QAction::triggered, this, [this] { mnuFileSaveAs_Click(); });
    addAction(&Commands::mnuFileSaveAll, "mnuFileSaveAll", "Save A&ll Grammars", &frmMain::mnuFileSaveAll_Click);
    addAction(&Commands::mnuFileSaveParser, "mnuFileSaveParser", "Sa&ve Parser", &frmMain::mnuFileSaveParser_Click);
    addAction(&Commands::mnuFileSaveParserAs, "mnuFileSaveParserAs", "Save Pa&rser As...",
              &frmMain::mnuFileSaveParserAs_Click);
    addAction(&Commands::mnuFilePageSetup, "mnuFilePageSetup", "Page Set&up...", &frmMain::mnuFilePageSetup_Click);
    addAction(&Commands::mnuFilePrint, "mnuFilePrint", "&Print...", &frmMain::mnuFilePrint_Click)
        ->setShortcut(QKeySequence::Print);
    addAction(&Commands::mnuFileExit, "mnuFileExit", "E&xit", &frmMain::mnuFileExit_Click);

    addAction(&Commands::mnuEditUndo, "mnuEditUndo", "&Undo", &frmMain::mnuEditUndo_Click);
    addAction(&Commands::mnuEditCut, "mnuEditCut", "Cu&t", &frmMain::mnuEditCut_Click);
    addAction(&Commands::mnuEditCopy, "mnuEditCopy", "&Copy", &frmMain::mnuEditCopy_Click);
    addAction(&Commands::mnuEditPaste, "mnuEditPaste", "&Paste", &frmMain::mnuEditPaste_Click);
    addAction(&Commands::mnuEditDelete, "mnuEditDelete", "De&lete", &frmMain::mnuEditDelete_Click);
    addAction(&Commands::mnuEditSelectAll, "mnuEditSelectAll", "Select &All", &frmMain::mnuEditSelectAll_Click);
    addAction(&Commands::mnuEditFind, "mnuEditFind", "&Find...", &frmMain::mnuEditFind_Click)
        ->setShortcut(QKeySequence::Find);
    addAction(&Commands::mnuEditFindNext, "mnuEditFindNext", "Find &Next", &frmMain::mnuEditFindNext_Click)
        ->setShortcut(QKeySequence::FindNext);
    addAction(&Commands::mnuEditReplace, "mnuEditReplace", "&Replace...", &frmMain::mnuEditReplace_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));

    addAction(&Commands::mnuViewToolbar, "mnuViewToolbar", "&Toolbar", &frmMain::mnuViewToolbar_Click)
        ->setCheckable(true);
    addAction(&Commands::mnuViewStatusBar, "mnuViewStatusBar", "Status &Bar", &frmMain::mnuViewStatusBar_Click)
        ->setCheckable(true);
    addAction(&Commands::mnuViewProcess, "mnuViewProcess", "&Process Window", &frmMain::mnuViewProcess_Click)
        ->setCheckable(true);
    addAction(&Commands::mnuViewNavigation, "mnuViewNavigation", "&Navigation", &frmMain::mnuViewNavigation_Click)
        ->setCheckable(true);
    addAction(&Commands::mnuViewOptions, "mnuViewOptions", "&Options...", &frmMain::mnuViewOptions_Click);
    // Check marks are set by the commands themselves, not by the click.
    for (QAction* a : {cmd_.mnuViewToolbar, cmd_.mnuViewStatusBar, cmd_.mnuViewProcess, cmd_.mnuViewNavigation})
        a->setChecked(false);
    cmd_.mnuViewToolbar->setChecked(true);
    cmd_.mnuViewStatusBar->setChecked(true);

    addAction(&Commands::mnuToolsUndo, "mnuToolsUndo", "&Undo Transformation", &frmMain::mnuToolsUndo_Click);
    addAction(&Commands::mnuToolsRedo, "mnuToolsRedo", "&Redo Transformation", &frmMain::mnuToolsRedo_Click);
    addAction(&Commands::mnuToolsExtraneous, "mnuToolsExtraneous", "Remove &Extraneous Symbols",
              &frmMain::mnuToolsExtraneous_Click);
    addAction(&Commands::mnuToolsLeftFactoring, "mnuToolsLeftFactoring", "Left &Factoring",
              &frmMain::mnuToolsLeftFactoring_Click);
    addAction(&Commands::mnuToolsRecursionLoops, "mnuToolsRecursionLoops",
              "Reduce Indirect Left Recursion to Immediate One", &frmMain::mnuToolsRecursionLoops_Click);
    addAction(&Commands::mnuToolsLeftRecursion, "mnuToolsLeftRecursion", "Eliminate Immediate Left Recursion",
              &frmMain::mnuToolsLeftRecursion_Click);
    addAction(&Commands::mnuToolsOptions, "mnuToolsOptions", "&Options...", &frmMain::mnuToolsOptions_Click);

    addAction(&Commands::mnuWindowNewWindow, "mnuWindowNewWindow", "&New Window", &frmMain::mnuWindowNewWindow_Click);
    addAction(&Commands::mnuWindowDocking, "mnuWindowDocking", "&Docking View", &frmMain::mnuWindowDocking_Click)
        ->setCheckable(true);
    addAction(&Commands::mnuWindowCascade, "mnuWindowCascade", "&Cascade", &frmMain::mnuWindowCascade_Click);
    addAction(&Commands::mnuWindowTileHorizontal, "mnuWindowTileHorizontal", "Tile &Horizontal",
              &frmMain::mnuWindowTileHorizontal_Click);
    addAction(&Commands::mnuWindowTileVertical, "mnuWindowTileVertical", "Tile &Vertical",
              &frmMain::mnuWindowTileVertical_Click);
    addAction(&Commands::mnuWindowArrangeIcons, "mnuWindowArrangeIcons", "&Arrange Icons",
              &frmMain::mnuWindowArrangeIcons_Click);

    addAction(&Commands::mnuHelpContents, "mnuHelpContents", "&Contents", &frmMain::mnuHelpContents_Click)
        ->setShortcut(QKeySequence::HelpContents);
    addAction(&Commands::mnuHelpSearchForHelpOn, "mnuHelpSearchForHelpOn", "&Search For Help On...",
              &frmMain::mnuHelpSearchForHelpOn_Click);
    addAction(&Commands::mnuHelpAbout, "mnuHelpAbout", "&About " + ui::AppTitle(), &frmMain::mnuHelpAbout_Click);
}

void frmMain::createMenus()
{
    // nullptr in a list is a separator.
    const auto make = [this](const QString& name, const QString& title, void (frmMain::*opened)(),
                             std::initializer_list<QAction*> entries) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(name);
        menus_.insert(name, m);
        for (QAction* e : entries) {
            if (!e) m->addSeparator();
            else m->addAction(e);
        }
        if (opened) connect(m, &QMenu::aboutToShow, this, [this, opened] { (this->*opened)(); });
        return m;
    };
    QMenu* file =
        make("mnuFile", "&File", &frmMain::mnuFile_Click,
             {cmd_.mnuFileNew, cmd_.mnuFileOpen, cmd_.mnuFileClose, nullptr, cmd_.mnuFileCloseResults, nullptr,
              cmd_.mnuFileSave, cmd_.mnuFileSaveAs, cmd_.mnuFileSaveAll, nullptr, cmd_.mnuFileSaveParser,
              cmd_.mnuFileSaveParserAs, nullptr, cmd_.mnuFilePageSetup, cmd_.mnuFilePrint, nullptr, cmd_.mnuFileExit});
    mnuRecentFile.push_back(file->addSeparator());
    mnuRecentFile.front()->setVisible(false);
    for (int i = 1; i <= Settings::RecentFileCount; ++i) {
        QAction* a = file->addAction(QString());
        a->setObjectName(QStringLiteral("mnuRecentFile%1").arg(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { mnuRecentFile_Click(i); });
        mnuRecentFile.push_back(a);
    }
    make("mnuEdit", "&Edit", &frmMain::mnuEdit_Click,
         {cmd_.mnuEditUndo, nullptr, cmd_.mnuEditCut, cmd_.mnuEditCopy, cmd_.mnuEditPaste, cmd_.mnuEditDelete, nullptr,
          cmd_.mnuEditSelectAll, nullptr, cmd_.mnuEditFind, cmd_.mnuEditFindNext, cmd_.mnuEditReplace});
    make("mnuView", "&View", nullptr,
         {cmd_.mnuViewToolbar, cmd_.mnuViewStatusBar, cmd_.mnuViewProcess, cmd_.mnuViewNavigation, nullptr,
          cmd_.mnuViewOptions});
    make("mnuTools", "&Tools", &frmMain::mnuTools_Click,
         {cmd_.mnuToolsUndo, cmd_.mnuToolsRedo, nullptr, cmd_.mnuToolsExtraneous, cmd_.mnuToolsLeftFactoring,
          cmd_.mnuToolsRecursionLoops, cmd_.mnuToolsLeftRecursion, nullptr, cmd_.mnuToolsOptions});
    make("mnuWindow", "&Window", &frmMain::mnuWindow_Click,
         {cmd_.mnuWindowNewWindow, nullptr, cmd_.mnuWindowDocking, cmd_.mnuWindowCascade, cmd_.mnuWindowTileHorizontal,
          cmd_.mnuWindowTileVertical, cmd_.mnuWindowArrangeIcons});
    make("mnuHelp", "&Help", nullptr, {cmd_.mnuHelpContents, cmd_.mnuHelpSearchForHelpOn, nullptr, cmd_.mnuHelpAbout});
}

void frmMain::createToolBar()
{
    // Two bars in one row, the second moved below the first when the window is too narrow
    // for both: every command stays reachable at any width.
    tbToolBar = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar2 = addToolBar(QStringLiteral("Grammar toolbar"));
    tbToolBar2->setObjectName(QStringLiteral("tbToolBar2"));
    for (QToolBar* bar : {tbToolBar, tbToolBar2}) {
        bar->setMovable(false);
        bar->setIconSize(QSize(27, 18));
    }
    struct Button {
        const char* key;
        const char* tip;
        const char* image;
    };
    // Button 12 is Notation and button 25 Build; "-" is a separator, which counts as a button.
    static const Button buttons[] = {
        {"New", "New", "New"},
        {"Open", "Open", "Open"},
        {"Save", "Save", "Save"},
        {"-", "", ""},
        {"Cut", "Cut", "Cut"},
        {"Copy", "Copy", "Copy"},
        {"Paste", "Paste", "Paste"},
        {"-", "", ""},
        {"Find", "Find", "Find"},
        {"Quick", "Switch of Colouring/Fast Work", "Quick_yellow"},
        {"-", "", ""},
        {"Notation", "Active Grammar Notation", "Typical"},
        {"-", "", ""},
        {"Undo", "Undo Transformation", "StopUndo_Tr"},
        {"Redo", "Redo Transformation", "StopRedo_Tr"},
        {"-", "", ""},
        {"Extra", "Remove Extraneous Symbols", "Extra"},
        {"Factoring", "Left Factoring", "Factoring"},
        {"Loops", "Reduce Indirect Left Recursion to Immediate One", "Loops"},
        {"Recursion", "Eliminate Immediate Left Recursion", "Recursion"},
        {"-", "", ""},
        {"Tree", "Build Derivation Tree", "Tree"},
        {"LL1", "Test of grammar for a belonging to LL(1) type", "LL1"},
        {"-", "", ""},
        {"Build", "Parser code builder", "bas"},
        {"Delete Results", "Remove Results", "Delete Results"},
        {"-", "", ""},
        {"Help", "Help", "Help"},
    };
    QToolBar* bar = tbToolBar;
    for (const Button& b : buttons) {
        // The transformations and the builder begin the second bar.
        if (QString(b.key) == "Undo") bar = tbToolBar2;
        if (QString(b.key) == "-") {
            if (bar == tbToolBar2 && bar->actions().isEmpty()) continue;
            bar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        auto* a = new QAction(iconFor(b.image), QString::fromLatin1(b.tip), this);
        a->setObjectName("tb" + key);
        images_.insert(key, b.image);
        buttons_.insert(key, a);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        if (key == "Notation" || key == "Build") {
            auto* m = new QMenu(this);
            const int parent = key == "Notation" ? 12 : 25;
            const QStringList items = key == "Notation"
                                          ? QStringList{"Typical EBNF", "W3C EBNF", "... repeater", "... repeater;"}
                                          : QStringList{"VB, VBA", "VBScript", "Fortran 90", "Fortran 77", "Java",
                                                        "JScript", "Delphi",   "C++",        "C++ class"};
            for (int i = 0; i < items.size(); ++i) {
                QAction* item = m->addAction(items[i]);
                connect(item, &QAction::triggered, this,
                        [this, parent, i] { tbToolBar_ButtonMenuClick(parent, i + 1); });
            }
            a->setMenu(m);
            bar->addAction(a);
            if (auto* tb = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
                tb->setPopupMode(QToolButton::MenuButtonPopup);
        } else {
            bar->addAction(a);
        }
    }
}

void frmMain::fitToolBars()
{
    if (!tbToolBar || !tbToolBar2) return;
    const bool broken = toolBarBreak(tbToolBar2);
    const int needed = tbToolBar->sizeHint().width() + tbToolBar2->sizeHint().width();
    const bool wanted = needed > width();
    if (wanted == broken) return;
    if (wanted) insertToolBarBreak(tbToolBar2);
    else removeToolBarBreak(tbToolBar2);
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitToolBars();
}

QList<QAction*> frmMain::ToolbarActions() const
{
    QList<QAction*> all = tbToolBar->actions();
    all += tbToolBar2->actions();
    return all;
}

QString frmMain::ButtonImage(const QString& key) const { return images_.value(key); }

void frmMain::SetButtonImage(const QString& key, const QString& image)
{
    QAction* a = buttons_.value(key);
    if (!a) return;
    images_.insert(key, image);
    a->setIcon(iconFor(image));
}

void frmMain::createStatusBar()
{
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setVisible(false);
    ProgressBar1->setMaximumWidth(200);
    statusBar()->addPermanentWidget(ProgressBar1);
    AddPanel(kPanel1Key, QStringLiteral("Ready"));
    sbPanel1_Width();
}

QLabel* frmMain::Panel(const QString& key) const
{
    for (const PanelRec& p : panels_)
        if (p.key == key) return p.label;
    return nullptr;
}

void frmMain::SetPanelText(const QString& key, const QString& text)
{
    if (QLabel* p = Panel(key)) p->setText(text);
}

void frmMain::RaiseDocks()
{
    if (LogDock && LogDock->isVisible()) LogDock->raise();
    if (NavDock && NavDock->isVisible()) NavDock->raise();
}

void frmMain::ShowUndoState(const QString& undoImage, bool undoEnabled, const QString& redoImage, bool redoEnabled)
{
    SetButtonImage(QStringLiteral("Undo"), undoImage);
    SetButtonImage(QStringLiteral("Redo"), redoImage);
    if (QAction* a = toolButton(QStringLiteral("Undo"))) a->setEnabled(undoEnabled);
    if (QAction* a = toolButton(QStringLiteral("Redo"))) a->setEnabled(redoEnabled);
    cmd_.mnuToolsUndo->setEnabled(undoEnabled);
    cmd_.mnuToolsRedo->setEnabled(redoEnabled);
}

QString frmMain::Panel1Text() const { return panels_.front().label->text(); }
void frmMain::SetPanel1Text(const QString& text) { panels_.front().label->setText(text); }

QStringList frmMain::PanelKeys() const
{
    QStringList keys;
    for (const PanelRec& p : panels_) keys << p.key;
    return keys;
}

bool frmMain::PanelInset(const QString& key) const
{
    for (const PanelRec& p : panels_)
        if (p.key == key) return p.inset;
    return false;
}

void frmMain::SetPanelInset(const QString& key, bool inset)
{
    for (PanelRec& p : panels_) {
        if (p.key != key) continue;
        p.inset = inset;
        p.label->setFrameStyle(inset ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    }
}

void frmMain::RemovePanel(const QString& key)
{
    for (auto it = panels_.begin() + 1; it != panels_.end(); ++it) {
        if (it->key != key) continue;
        statusBar()->removeWidget(it->label);
        delete it->label;
        panels_.erase(it);
        return;
    }
}

void frmMain::AddPanel(const QString& key, const QString& text)
{
    auto* label = new StatusPanel(this);
    label->setText(text);
    label->setObjectName(key);
    label->installEventFilter(this);
    label->SetLeastWidth(static_cast<int>(300 / TwipsPerPixel()));
    // The first panel takes the room the grammar panels leave; each grammar panel asks for its
    // whole name.
    statusBar()->addWidget(label, panels_.empty() ? 1 : 0);
    panels_.push_back({key, label, false});
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mdiArea && event->type() == QEvent::Resize) MDIForm_Resize();
    // The docked Process window's height, as the user drags its edge.
    if (watched == LogDock && event->type() == QEvent::Resize && LogDock->isVisible())
        LogHeight = static_cast<std::int32_t>(LogDock->height() * TwipsPerPixel());
    if (event->type() == QEvent::MouseButtonPress) {
        for (const PanelRec& p : panels_) {
            if (p.label == watched) {
                const QString key = p.key;
                QMetaObject::invokeMethod(
                    this, [this, key] { sbStatusBar_PanelClick(key); }, Qt::QueuedConnection);
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// The first panel keeps 4000 twips and grows into the room the grammar panels leave, so that
// a run's long reports are read whole without squeezing the grammar names.
void frmMain::sbPanel1_Width()
{
    static_cast<StatusPanel*>(panels_.front().label)->SetLeastWidth(static_cast<int>(4000 / TwipsPerPixel()));
}

void frmMain::widenPanel1() { sbPanel1_Width(); }

void frmMain::LineNum()
{
    if (!ActiveGrammar) return;
    RichText& t = ActiveGrammar->rtfText;
    SetPanel1Text(QStringLiteral("Line %1").arg(t.GetLineFromChar(t.SelStart()) + 1));
}

QStringList frmMain::GetCommandLine(const QString& commandText, int maxArgs)
{
    QStringList args{QString()};
    bool inArg = false;
    for (QChar c : commandText) {
        if (c == ' ' || c == '\t') {
            inArg = false;
            continue;
        }
        if (!inArg) {
            if (args.size() - 1 >= maxArgs) break;
            args << QString();
            inArg = true;
        }
        args.last() += c;
    }
    return args;
}

void frmMain::VarInit()
{
    // The language table is a constant of the program (language_table.h).
    (void)LanguageTable();
}

// ---- load, layout, closing ----

QRect frmMain::FrameTwips() const
{
    const double t = TwipsPerPixel();
    return QRect(qRound(pos().x() * t), qRound(pos().y() * t), qRound(width() * t), qRound(height() * t));
}

// Puts the frame at a stored rectangle, kept on a screen: a rectangle that no screen shows
// enough of goes to the default place, and one larger than the screen is cut to it.
void frmMain::placeOnScreen(QRect twips)
{
    const double t = TwipsPerPixel();
    QRect px(qRound(twips.left() / t), qRound(twips.top() / t), qRound(twips.width() / t), qRound(twips.height() / t));
    const QScreen* screen = QGuiApplication::screenAt(px.topLeft() + QPoint(40, 10));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        px.setWidth(std::min(px.width(), avail.width()));
        px.setHeight(std::min(px.height(), avail.height()));
        const QRect visible = px.intersected(avail);
        if (visible.width() < 100 || visible.height() < 50 || px.top() < avail.top() - 5) {
            px.moveTo(qRound(Settings::DefaultLeft / t) + avail.left(), qRound(Settings::DefaultTop / t) + avail.top());
            if (!avail.contains(px)) px.moveTo(avail.topLeft());
        }
    }
    resize(px.size());
    move(px.topLeft());
}

void frmMain::MDIForm_Load(const QString& commandText)
{
    const QRect stored = AppSettings().mainRect();
    const double t = TwipsPerPixel();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenPx = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    InStartupMove = true;
    resize(qRound(stored.width() / t), qRound(stored.height() / t));
    move(screenPx.right() + 1, screenPx.bottom() + 1);

    dialogs::OptionsInit();
    VarInit();
    if (ShowNavigation) ShowNavigationWindow();
    if (ShowProcess) ShowProcessWindow();
    sbPanel1_Width();
    show();
    AddGrammarWindow(QString());
    cmd_.mnuWindowDocking->setChecked(true);
    DockingView = true;

    // Arrival: slide in from the bottom-right corner, at most 300 ms.
    {
        QRect target = stored;
        ui::UiServices& u = ui::Ui();
        const int targetLeft = qRound(target.left() / t), targetTop = qRound(target.top() / t);
        const int dx = qRound((pos().x() - targetLeft) / 50.0), dy = qRound((pos().y() - targetTop) / 50.0);
        const std::int64_t t0 = u.tickCount();
        do {
            if (u.tickCount() >= t0 + 300 || std::abs(pos().x() - targetLeft) * t <= 500) break;
            const std::int64_t step = u.tickCount();
            while (u.tickCount() < step + 1) u.processEvents();
            move(pos().x() - dx, pos().y() - dy);
        } while (pos().x() + width() > screenPx.right() && pos().y() + height() > screenPx.bottom());
        placeOnScreen(target);
    }
    InStartupMove = false;
    MDIForm_Resize();

    QString file = commandText;
    if (file.isEmpty() || file == " " || file == "\t") return;
    if (file.size() >= 2 && file.startsWith('"') && file.endsWith('"')) file = file.mid(1, file.size() - 2);
    // The splash goes, faded or not, before the command-line file is opened: a message about
    // the file must not sit behind it.
    dialogs::CloseSplash();
    OpenGrammarFolder(file);
}

void frmMain::ShowNavigationWindow()
{
    if (!NavDock) {
        NavDock = new QDockWidget(QStringLiteral("Navigation"), this);
        NavDock->setObjectName(QStringLiteral("NavDock"));
        addDockWidget(Qt::RightDockWidgetArea, NavDock);
        connect(NavDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (!closing_) cmd_.mnuViewNavigation->setChecked(visible);
        });
    }
    auto* nav = new frmSwitch(NavDock);
    NavDock->setWidget(nav);
    NavDock->show();
    NavWidth = 2600;
    resizeDocks({NavDock}, {static_cast<int>(NavWidth / TwipsPerPixel())}, Qt::Horizontal);
    NavWindow = nav;
    cmd_.mnuViewNavigation->setChecked(true);
}

void frmMain::MDIForm_Resize()
{
    if (isMinimized() || InStartupMove) return;
    NavDocked = LogDocked = false;
    const double t = TwipsPerPixel();
    const QSize area = mdiArea->viewport()->size();
    ChildWidth = static_cast<std::int32_t>(area.width() * t);
    ChildHeight = static_cast<std::int32_t>(area.height() * t);
    if (GrammarCount >= 1 && ActiveGrammar && DockingView) {
        if (QMdiSubWindow* sub = ActiveGrammar->subWindow()) {
            if (!sub->isMinimized() && !sub->isMaximized()) sub->setGeometry(QRect(QPoint(0, 0), area));
        }
    }
    NavDocked = LogDocked = true;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Unload query: every grammar window is closed first; a Cancel keeps the frame.
    CloseAllGrammars();
    if (CloseCancelled) {
        CloseCancelled = false;
        event->ignore();
        return;
    }
    dialogs::RemoveOptCollection();
    // Unload: the rectangle of a frame that is not minimized is kept for the next start.
    if (!isMinimized()) {
        AppSettings().setMainRect(FrameTwips());
        AppSettings().sync();
    }
    closing_ = true;
    event->accept();
}

// ---- open-grammar list ----

frmGrammar* frmMain::AddGrammarWindow(const QString& fileName)
{
    if (PanelCount() >= 16) {
        ui::Ui().messageBox(QStringLiteral("Can't load more then 15 grammars"), ui::AppTitle(), ui::Buttons::Ok,
                            ui::Icon::None);
        return nullptr;
    }
    ++GrammarCount;
    Grammars.resize(static_cast<size_t>(GrammarCount) + 1, nullptr);
    auto* g = new frmGrammar;
    Grammars[static_cast<size_t>(GrammarCount)] = g;
    g->Tag = GrammarCount;
    if (fileName.isEmpty()) g->SetCaption(QStringLiteral("Untitled %1").arg(++UntitledCount));
    else g->SetCaption(fileName);
    ActiveGrammar = g;
    ActiveChild = g;
    QMdiSubWindow* sub = mdiArea->addSubWindow(g);
    sub->setWindowIcon(iconFor(QStringLiteral("Grammar1")));
    sub->show();
    ActiveGrammar = g;
    ActiveChild = g;
    pipeline_->ResetForNewGrammar();
    SetGrammarPanel();
    AddGrammarTreeNode();
    g->iGrmLanguage = CurLanguage;
    g->NotationLanguageSwitch();
    MDIForm_Resize();
    NavRefresh = true;
    g->editor->setFocus();
    return g;
}

frmGrammar* frmMain::GrammarOfWindow(const QMdiSubWindow* sub)
{
    QWidget* w = sub ? sub->widget() : nullptr;
    if (auto* g = qobject_cast<frmGrammar*>(w)) return g;
    if (auto* d = qobject_cast<frmDocument*>(w)) return d->Owner();
    if (auto* g = qobject_cast<frmGrid*>(w)) return g->Owner();
    if (auto* t = qobject_cast<frmTree*>(w)) return &t->Owner();
    return nullptr;
}

void frmMain::subWindowActivated(QMdiSubWindow* sub)
{
    if (!sub || showingActive_) return;
    frmGrammar* owner = GrammarOfWindow(sub);
    // A run works on the active grammar to its end: its windows stay in front, whatever window
    // a closing result hands the focus to.
    if (!Idle) {
        if (ActiveGrammar && owner && owner != ActiveGrammar) ShowActiveGrammar();
        return;
    }
    if (auto* g = qobject_cast<frmGrammar*>(sub->widget())) {
        g->rtfText_GotFocus();
    } else if (owner && owner != ActiveGrammar) {
        // A result of another grammar makes that grammar the one the commands act on.
        owner->rtfText_GotFocus();
        if (auto* child = dynamic_cast<ChildForm*>(sub->widget())) ActiveChild = child;
    }
}

void frmMain::ShowActiveGrammar()
{
    frmGrammar* g = ActiveGrammar;
    if (!g || GrammarOfWindow(mdiArea->activeSubWindow()) == g) return;
    QMdiSubWindow* sub = g->subWindow();
    if (!sub) return;
    showingActive_ = true;
    if (sub->isMinimized()) sub->showNormal();
    sub->raise();
    mdiArea->setActiveSubWindow(sub);
    showingActive_ = false;
    g->WSwitch(false);
}

void frmMain::SetGrammarPanel()
{
    const QString key = frmGrammar::KeyOf(GrammarCount);
    AddPanel(key, ActiveGrammar ? ActiveGrammar->Caption() : QString());
    for (PanelRec& p : panels_) SetPanelInset(p.key, false);
    ActiveGrammarName = key;
    SetPanelInset(key, true);
    if (ActiveGrammar) Panel(key)->setText(ActiveGrammar->Caption());
}

void frmMain::AddGrammarTreeNode()
{
    if (!ShowNavigation || !NavWindow || !ActiveGrammar) return;
    NavWindow->AddRootNode(ActiveGrammarName, ActiveGrammar->Caption(), QStringLiteral("Grammar1"));
}

void frmMain::DelGrammar(int index)
{
    if (index >= 1 && index < static_cast<int>(Grammars.size())) Grammars[static_cast<size_t>(index)] = nullptr;
}

void frmMain::SetNextGrammar(int index)
{
    const auto activate = [this](frmGrammar* g) {
        if (QMdiSubWindow* sub = g->subWindow()) {
            sub->raise();
            mdiArea->setActiveSubWindow(sub);
        }
        ActiveGrammar = g;
        ActiveChild = g;
        g->NotationLanguageSwitch();
        if (NavWindow) NavWindow->SelectNode(g->Key());
    };
    for (int k = index + 1; k <= GrammarCount; ++k) {
        if (frmGrammar* g = GrammarAt(k)) {
            activate(g);
            return;
        }
    }
    for (int k = GrammarCount; k >= 1; --k) {
        if (frmGrammar* g = GrammarAt(k)) {
            GrammarCount = k;
            Grammars.resize(static_cast<size_t>(k) + 1);
            activate(g);
            return;
        }
    }
    ActiveGrammar = nullptr;
    ActiveChild = nullptr;
    GrammarCount = 0;
    Grammars.assign(1, nullptr);
    SetNotationBuildButtons();
}

bool frmMain::UnloadGrammar(frmGrammar* g)
{
    if (!g) return true;
    if (QMdiSubWindow* sub = g->subWindow()) return sub->close();
    return g->close();
}

void frmMain::CloseAllGrammars()
{
    for (int k = GrammarCount; k >= 1; --k) {
        frmGrammar* g = GrammarAt(k);
        if (!g) continue;
        ActiveGrammar = g;
        ActiveChild = g;
        UnloadGrammar(g);
        if (CloseCancelled) return;
    }
    GrammarCount = 0;
    Grammars.assign(1, nullptr);
    SetNotationBuildButtons();
}
