#include "frmOptions.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "font_picker.h"
#include "frmGrammar.h"
#include "frmLog.h"
#include "frmMain.h"
#include "language_table.h"
#include "module_main.h"
#include "pipeline.h"
#include "settings.h"
#include "string_table.h"
#include "ui_services.h"

using namespace ModuleMain;
using options::OptionValues;

namespace {

// The variables of the check boxes of fields 2 to 18, in field order.
std::array<bool*, options::CheckCount> checkVariables()
{
    return {&PreFact,           &PreLoops,         &PreLeftRecursion, &BuildActions,   &BuildTree,
            &BuildNames,        &ShowFact,         &ShowLoops,        &ShowLeftRecursion, &ShowNull,
            &ShowNonterminals,  &ShowTerminals,    &ShowSelect,       &ShowIsEndOf,    &ShowBeginsWith,
            &ShowIsFollowedBy,  &ShowParser};
}

// The variables of the extension boxes of fields 34 to 43; the null and terminal boxes have none.
std::array<QString*, options::ExtCount> extensionVariables()
{
    return {&ExtSource, &ExtDead, &ExtUnreach, &ExtFact, &ExtLoops, &ExtLeftRecursion, nullptr, &ExtNonterminals,
            nullptr,    &ExtSelect};
}

std::array<FontRec*, options::FontCount> fontRecords()
{
    return {&TextsFont, &MatrixFont, &NtmFont, &TrmFont, &ActFont, &CnsFont, &ErrorFont};
}

std::array<FontRec, options::FontCount> fontValues()
{
    std::array<FontRec, options::FontCount> out;
    const auto records = fontRecords();
    for (size_t k = 0; k < out.size(); ++k) out[k] = *records[k];
    return out;
}

enum class Group { Notation, Language, Marker };
struct ButtonRole {
    Group group;
    int code;            // notation or language code; 1 for the graphic marker
    const char* image;   // of the toolbar's Notation or Build button
    bool unchecksDefault;
};

// Field order of the buttons (fields 19 to 33).
constexpr std::array<ButtonRole, options::ButtonCount> kButtonRoles = {{
    {Group::Notation, 1, "Typical", false},  {Group::Notation, 2, "w3c", true},
    {Group::Notation, 3, "MSDN", true},      {Group::Notation, 4, "MSDN with ;", true},
    {Group::Language, 1, "bas", false},      {Group::Language, 2, "vbs", true},
    {Group::Language, 3, "f90", true},       {Group::Language, 4, "for", true},
    {Group::Language, 5, "java_", true},     {Group::Language, 6, "js", true},
    {Group::Language, 7, "pas", true},       {Group::Language, 9, "cpp", true},
    {Group::Language, 8, "cc", true},        {Group::Marker, 0, "", false},
    {Group::Marker, 1, "", true},
}};

// Labels of the extension boxes, for the message that refuses one.
constexpr std::array<const char*, options::ExtCount> kExtensionLabels = {
    "Source grammar", "Dead nonterminals (if exist) ", "Unreachable nonterminals (if exist)",
    "Grammar after left factoring", "Grammar after reducing indirect left recursion",
    "Grammar after elimination of immediate left recursion", "Nullable rules (if exist)", "Nonterminals",
    "Terminals", "Set of select"};

} // namespace

// ---- the check box ----

int OptionCheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void OptionCheckBox::SetValue(int value)
{
    if (value == 2) {
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
    } else {
        setCheckState(value ? Qt::Checked : Qt::Unchecked);
    }
}

void OptionCheckBox::nextCheckState() { setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked); }

// ---- what Cancel puts back ----

struct frmOptions::Snapshot {
    std::int32_t notation = 1, language = 1;
    std::array<bool, options::CheckCount> checks{};
    bool markerGraphic = false;
    std::array<QString, options::ExtCount> extensions;
    readers::FontSet fonts;
    QString notationImage, buildImage;
};

void frmOptions::takeSnapshot()
{
    auto s = std::make_unique<Snapshot>();
    s->notation = CurNotation;
    s->language = CurLanguage;
    const auto vars = checkVariables();
    for (size_t k = 0; k < vars.size(); ++k) s->checks[k] = *vars[k];
    s->markerGraphic = MarkerGraphic;
    const auto exts = extensionVariables();
    for (size_t k = 0; k < exts.size(); ++k)
        if (exts[k]) s->extensions[k] = *exts[k];
    s->fonts = ModuleMain::Fonts;
    if (MainForm) {
        s->notationImage = MainForm->ButtonImage(QStringLiteral("Notation"));
        s->buildImage = MainForm->ButtonImage(QStringLiteral("Build"));
    }
    snapshot_ = std::move(s);
}

void frmOptions::restoreSnapshot()
{
    if (!snapshot_) return;
    const Snapshot& s = *snapshot_;
    CurNotation = s.notation;
    CurLanguage = s.language;
    const auto vars = checkVariables();
    for (size_t k = 0; k < vars.size(); ++k) *vars[k] = s.checks[k];
    MarkerGraphic = s.markerGraphic;
    const auto exts = extensionVariables();
    for (size_t k = 0; k < exts.size(); ++k)
        if (exts[k]) *exts[k] = s.extensions[k];
    ModuleMain::Fonts = s.fonts;
    if (MainForm) {
        if (!s.notationImage.isEmpty()) MainForm->SetButtonImage(QStringLiteral("Notation"), s.notationImage);
        if (!s.buildImage.isEmpty()) MainForm->SetButtonImage(QStringLiteral("Build"), s.buildImage);
    }
}

// ---- building the window ----

frmOptions::frmOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setProperty("tag", 1059);
    setModal(true);
    buildPages();
    connectHandlers();
}

frmOptions::~frmOptions() { RemoveOptCollection(); }

void frmOptions::buildPages()
{
    const auto check = [](const char* name, const char* caption, QWidget* parent, const char* tip = nullptr) {
        auto* c = new OptionCheckBox(QString::fromLatin1(caption), parent);
        c->setObjectName(QLatin1String(name));
        if (tip) c->setToolTip(QString::fromLatin1(tip));
        return c;
    };
    const auto radio = [](const char* name, const char* caption, QWidget* parent, const char* tip = nullptr) {
        auto* r = new QRadioButton(QString::fromLatin1(caption), parent);
        r->setObjectName(QLatin1String(name));
        if (tip) r->setToolTip(QString::fromLatin1(tip));
        return r;
    };
    const auto frame = [](const char* name, const QString& title, QWidget* parent, const char* tip = nullptr) {
        auto* g = new QGroupBox(title, parent);
        g->setObjectName(QLatin1String(name));
        if (tip) g->setToolTip(QString::fromLatin1(tip));
        new QVBoxLayout(g);
        return g;
    };
    const auto add = [](QGroupBox* g, std::initializer_list<QWidget*> ws) {
        for (QWidget* w : ws) g->layout()->addWidget(w);
    };

    tbsOptions = new QTabWidget(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    const char* tabs[] = {"Languages", "Build", "Show", "Files", "Fonts"};
    for (int i = 0; i < 5; ++i) {
        picOptions[static_cast<size_t>(i)] = new QWidget;
        picOptions[static_cast<size_t>(i)]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        tbsOptions->addTab(picOptions[static_cast<size_t>(i)], QString::fromLatin1(tabs[i]));
    }

    // Languages.
    {
        QWidget* page = picOptions[0];
        auto* lang = frame("fraLanguage", QStringLiteral("Output language"), page, "Choose output language for parser code");
        optVB = radio("optVB", "VB, VBA", lang);
        optVBScript = radio("optVBScript", "VBScript", lang);
        optFortran90 = radio("optFortran90", "Fortran 90", lang);
        optFortran77 = radio("optFortran77", "Fortran 77", lang);
        optJava = radio("optJava", "Java", lang);
        optJScript = radio("optJScript", "JScript", lang);
        optDelphi = radio("optDelphi", "Delphi", lang);
        optCc = radio("optCc", "C++", lang);
        optCpp = radio("optCpp", "C++ OOP", lang);
        add(lang, {optVB, optVBScript, optFortran90, optFortran77, optJava, optJScript, optDelphi, optCc, optCpp});
        auto* notation = frame("optNotation", QStringLiteral("Input notation"), page, "Choose BNF notation for source grammar");
        optTypical = radio("optTypical", "Typical  EBNF", notation, "Widely-distributed");
        optW3C = radio("optW3C", "W3C  EBNF", notation, "The notation of the W3C XML recommendation");
        optMSDN = radio("optMSDN", "... repeater", notation, "It is found in MSDN");
        optMSDNComma = radio("optMSDNComma", "... repeater with ;", notation, "It is found in MSDN");
        add(notation, {optTypical, optW3C, optMSDN, optMSDNComma});
        auto* l = new QHBoxLayout(page);
        l->addWidget(lang);
        l->addWidget(notation, 0, Qt::AlignTop);
    }
    // Build.
    {
        QWidget* page = picOptions[1];
        const char* useful = "It is useful for transformation of grammar to LL(1) type. Recommended in any case.";
        auto* before = frame("fraTransformation", LoadResString(1060), page);
        chkPreDead = check("chkPreDead", "Remove dead nonterminals", before, "It is always executed");
        chkPreUnreach = check("chkPreUnreach", "Remove unreachable nonterminals", before, "It is always executed");
        chkPreFact = check("chkPreFact", "Left factoring", before, useful);
        chkPreLeftRecursion = check("chkPreLeftRecursion", "Eliminate immediate left recursion", before, useful);
        chkPreLoops = check("chkPreLoops", "Reduce indirect left recursion to immediate left recursion", before,
                            "It is useful for transformation of grammar to LL(1) type. Use this transformation together "
                            "with elimination of immediate left recursion if other transformations have no any effect.");
        add(before, {chkPreDead, chkPreUnreach, chkPreFact, chkPreLeftRecursion, chkPreLoops});
        auto* build = frame("fraBuild", QStringLiteral("Build parser code"), page,
                            "You will need to write code for corresponding procedures");
        chkBuildActions = check("chkBuildActions", "Include codes of user actions", build,
                                "As a rule parser should execute some actions on a course of grammatic analysis "
                                "otherwise it will search only for mistakes in an entrance chain");
        chkBuildTree = check("chkBuildTree", "Include calls for AST generating", build,
                             "You will need to write code for corresponding procedures");
        chkBuildNames = check("chkBuildNames", "Generate native names for recursive procedures", build);
        add(build, {chkBuildActions, chkBuildTree, chkBuildNames});
        auto* l = new QVBoxLayout(page);
        l->addWidget(before);
        l->addWidget(build);
        l->addStretch();
    }
    // Show.
    {
        QWidget* page = picOptions[2];
        auto* show = frame("fraShow", LoadResString(1061), page);
        chkShowDead = check("chkShowDead", "Dead nonterminals (if exist) ", show);
        chkShowUnreach = check("chkShowUnreach", "Unreachable nonterminals (if exist)", show);
        chkShowFact = check("chkShowFact", "Grammar after left factoring", show);
        chkShowLoops = check("chkShowLoops", "Grammar after reducing indirect left recursion", show);
        chkShowLeftRecursion = check("chkShowLeftRecursion", "Grammar after elimination of immediate left recursion", show);
        chkShowNull = check("chkShowNull", "Nullable rules (if exist)", show);
        chkShowNonterminals = check("chkShowNonterminals", "Nonterminals", show);
        chkShowTerminals = check("chkShowTerminals", "Terminals", show);
        chkShowSelect = check("chkShowSelect", "Set of select", show);
        chkShowIsEndOf = check("chkShowIsEndOf", "Is-End-Of relation matrix", show);
        chkShowBeginsWith = check("chkShowBeginsWith", "Begins-With relation matrix", show);
        chkShowIsFollowedBy = check("chkShowIsFollowedBy", "Is-Followed-By relation matrix", show);
        chkShowParser = check("chkShowParser", "Parser code", show);
        // The removal of dead and unreachable nonterminals always runs, and its lists are always
        // shown: their boxes stay gray whatever the options read or a click says.
        for (OptionCheckBox* box : {chkPreDead, chkPreUnreach, chkShowDead, chkShowUnreach}) box->SetValue(2);
        add(show, {chkShowDead, chkShowUnreach, chkShowFact, chkShowLoops, chkShowLeftRecursion, chkShowNull,
                   chkShowNonterminals, chkShowTerminals, chkShowSelect, chkShowIsEndOf, chkShowBeginsWith,
                   chkShowIsFollowedBy, chkShowParser});
        auto* l = new QVBoxLayout(page);
        l->addWidget(show);
        l->addStretch();
    }
    // Files.
    {
        QWidget* page = picOptions[3];
        auto* box = new QGroupBox(LoadResString(1062), page);
        box->setObjectName(QStringLiteral("fraExtensions"));
        auto* grid = new QGridLayout(box);
        const char* other = "Any except an extension of a file of source grammar";
        const char* onlyTmp = "Only .tmp is allowed";
        struct Row {
            QLineEdit** box;
            const char* name;
            const char* label;
            const char* text;
            const char* tip;
        };
        const Row rows[] = {
            {&txtSource, "txtSource", "Source grammar", ".grm", "A filter for opening a file of source grammar"},
            {&txtDead, "txtDead", kExtensionLabels[1], ".tmp", other},
            {&txtUnreach, "txtUnreach", kExtensionLabels[2], ".tmp", other},
            {&txtFact, "txtFact", kExtensionLabels[3], ".tmp", other},
            {&txtLoops, "txtLoops", kExtensionLabels[4], ".tmp", other},
            {&txtLeftRecursion, "txtLeftRecursion", kExtensionLabels[5], ".tmp", other},
            {&txtNull, "txtNull", kExtensionLabels[6], ".tmp", onlyTmp},
            {&txtNonterminals, "txtNonterminals", kExtensionLabels[7], ".tmp", other},
            {&txtTerminals, "txtTerminals", kExtensionLabels[8], ".tmp", onlyTmp},
            {&txtSelect, "txtSelect", kExtensionLabels[9], ".tmp", other},
            {&txtParserCode, "txtParserCode", "Parser code", " Auto", "Determined by target language"},
        };
        int r = 0;
        for (const Row& row : rows) {
            auto* label = new QLabel(QString::fromLatin1(row.label), box);
            label->setObjectName(QStringLiteral("lbl") + QLatin1String(row.name + 3));
            auto* edit = new QLineEdit(QString::fromLatin1(row.text), box);
            edit->setObjectName(QLatin1String(row.name));
            edit->setToolTip(QString::fromLatin1(row.tip));
            edit->setMaximumWidth(120);
            label->setBuddy(edit);
            grid->addWidget(label, r, 0);
            grid->addWidget(edit, r, 1);
            *row.box = edit;
            ++r;
        }
        setLocked(txtNull, true);
        setLocked(txtTerminals, true);
        setLocked(txtParserCode, true);
        auto* l = new QVBoxLayout(page);
        l->addWidget(box);
        l->addStretch();
    }
    // Fonts.
    {
        QWidget* page = picOptions[4];
        auto* general = frame("fraFonts", LoadResString(1063), page);
        auto* parsing = frame("fraParseFonts", QStringLiteral("Parsing Fonts"), page);
        const char* names[] = {"cmdFontTexts", "cmdFontMatrix", "cmdNtmFont", "cmdTrmFont",
                               "cmdActFont",   "cmdCnsFont",    "cmdErrorFont"};
        const char* captions[] = {"Texts", "Matrix titles", "Nonterminals", "Terminals", "Actions", "Comments", "Errors"};
        for (size_t k = 0; k < cmdFont.size(); ++k) {
            auto* b = new QPushButton(QString::fromLatin1(captions[k]), k < 2 ? general : parsing);
            b->setObjectName(QLatin1String(names[k]));
            add(k < 2 ? general : parsing, {b});
            cmdFont[k] = b;
        }
        auto* marker = new QGroupBox(QStringLiteral("Matrix marker"), page);
        marker->setObjectName(QStringLiteral("fraFontStyles"));
        auto* grid = new QGridLayout(marker);
        optMarkerTxt = radio("optMarkerTxt", "Text style marker", marker);
        optMarkerGra = radio("optMarkerGra", "Graphic style marker", marker);
        lblMarker = new QLabel(QStringLiteral("X"), marker);
        lblMarker->setObjectName(QStringLiteral("lblMarker"));
        lblMarker->setToolTip(QStringLiteral("Required less memory and less time to execute"));
        Marker = new QLabel(marker);
        Marker->setObjectName(QStringLiteral("Marker"));
        Marker->setToolTip(QStringLiteral("Required more memory and more time to execute"));
        grid->addWidget(optMarkerTxt, 0, 0);
        grid->addWidget(lblMarker, 0, 1);
        grid->addWidget(optMarkerGra, 1, 0);
        grid->addWidget(Marker, 1, 1);
        auto* l = new QGridLayout(page);
        l->addWidget(general, 0, 0, Qt::AlignTop);
        l->addWidget(parsing, 0, 1, Qt::AlignTop);
        l->addWidget(marker, 1, 0, 1, 2);
        l->setRowStretch(2, 1);
    }

    chkDefault = new OptionCheckBox(QStringLiteral("Default"), this);
    chkDefault->setObjectName(QStringLiteral("chkDefault"));
    chkDefault->setToolTip(QStringLiteral("Gray for demo settings"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setProperty("tag", 1066);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setProperty("tag", 1065);
    cmdApply = new QPushButton(QStringLiteral("&Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setProperty("tag", 1064);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkDefault);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions);
    layout->addLayout(buttons);
}

void frmOptions::connectHandlers()
{
    for (OptionCheckBox* box : findChildren<OptionCheckBox*>()) {
        if (box == chkDefault) continue;
        connect(box, &QCheckBox::clicked, this, [this, box] {
            UncheckDefault(Qt::LeftButton);
            applyCheck(box);
        });
    }
    connect(chkDefault, &QCheckBox::clicked, this, [this] { chkDefault_MouseUp(Qt::LeftButton); });
    for (QRadioButton* b : findChildren<QRadioButton*>())
        connect(b, &QRadioButton::clicked, this, [this, b] { applyOptionButton(b); });
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (!OptionsLoading) UncheckDefault(Qt::LeftButton);
        });
    for (size_t k = 0; k < cmdFont.size(); ++k)
        connect(cmdFont[k], &QPushButton::clicked, this, [this, k] { FontButton_Click(static_cast<int>(k)); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(tbsOptions, &QTabWidget::currentChanged, this, &frmOptions::tbsOptions_Click);
    // The dialog sees these keys before its controls do.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [this] { Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this,
            [this] { Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); });
}

void frmOptions::setLocked(QLineEdit* box, bool locked)
{
    box->setReadOnly(locked);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(locked ? QPalette::Button : QPalette::Base));
    box->setPalette(p);
}

// ---- the lists and the string ----

void frmOptions::RemoveOptCollection()
{
    while (!OptCollection.empty()) OptCollection.pop_back();
    while (!ExtCollection.empty()) ExtCollection.pop_back();
}

void frmOptions::FillOptCollection()
{
    RemoveOptCollection();
    OptCollection = {chkPreFact,   chkPreLoops,    chkPreLeftRecursion, chkBuildActions,      chkBuildTree,
                     chkBuildNames, chkShowFact,   chkShowLoops,        chkShowLeftRecursion, chkShowNull,
                     chkShowNonterminals, chkShowTerminals, chkShowSelect, chkShowIsEndOf, chkShowBeginsWith,
                     chkShowIsFollowedBy, chkShowParser, optTypical, optW3C, optMSDN, optMSDNComma, optVB,
                     optVBScript, optFortran90, optFortran77, optJava, optJScript, optDelphi, optCpp, optCc,
                     optMarkerTxt, optMarkerGra};
    ExtCollection = {txtSource, txtDead, txtUnreach, txtFact, txtLoops, txtLeftRecursion,
                     txtNull,   txtNonterminals, txtTerminals, txtSelect};
    FontFields = options::FontFields(fontValues());
}

OptionValues frmOptions::controlValues() const
{
    OptionValues v;
    v.defaultBox = chkDefault->Value();
    for (int k = 0; k < options::CheckCount; ++k)
        v.checks[static_cast<size_t>(k)] = static_cast<OptionCheckBox*>(OptCollection[static_cast<size_t>(k)])->Value();
    for (int k = 0; k < options::ButtonCount; ++k)
        v.buttons[static_cast<size_t>(k)] = OptCollection[static_cast<size_t>(options::CheckCount + k)]->isChecked();
    for (size_t k = 0; k < v.extensions.size(); ++k) v.extensions[k] = ExtCollection[k]->text();
    v.fonts = fontValues();
    return v;
}

void frmOptions::extensionsToVariables()
{
    const auto vars = extensionVariables();
    for (size_t k = 0; k < vars.size(); ++k)
        if (vars[k]) *vars[k] = ExtCollection[k]->text();
}

void frmOptions::SaveOptions()
{
    if (OptCollection.empty()) FillOptCollection();
    OptionValues v = controlValues();
    OptionsLoading = true;
    options::DistinctResultExtensions(v.extensions);
    for (size_t k = 0; k < v.extensions.size(); ++k)
        if (ExtCollection[k]->text() != v.extensions[k]) ExtCollection[k]->setText(v.extensions[k]);
    OptionsLoading = false;
    extensionsToVariables();
    OptionsString = options::FormatOptions(v);
    AppSettings().setOptions(OptionsString);
    AppSettings().sync();
}

void frmOptions::OptionsInit()
{
    FillOptCollection();
    OptionsString = AppSettings().options().value_or(QString());
    if (!OptionsString.isEmpty()) ApplyOptions(true);
    else SetDemoOptions();
}

void frmOptions::setControls(const OptionValues& v, bool setDefaultBox)
{
    OptionsLoading = true;
    if (setDefaultBox) chkDefault->SetValue(v.defaultBox);
    for (int k = 0; k < options::CheckCount; ++k)
        static_cast<OptionCheckBox*>(OptCollection[static_cast<size_t>(k)])->SetValue(v.checks[static_cast<size_t>(k)]);
    for (int k = 0; k < options::ButtonCount; ++k)
        if (v.buttons[static_cast<size_t>(k)]) OptCollection[static_cast<size_t>(options::CheckCount + k)]->setChecked(true);

    // The variables follow the selected buttons; a group without one keeps its value.
    const std::pair<QRadioButton*, int> notations[] = {{optTypical, 1}, {optW3C, 2}, {optMSDN, 3}, {optMSDNComma, 4}};
    for (const auto& [b, code] : notations)
        if (b->isChecked()) CurNotation = code;
    const std::pair<QRadioButton*, int> languages[] = {{optVB, 1},    {optVBScript, 2}, {optFortran90, 3},
                                                       {optFortran77, 4}, {optJava, 5},  {optJScript, 6},
                                                       {optDelphi, 7}, {optCc, 8},      {optCpp, 9}};
    for (const auto& [b, code] : languages)
        if (b->isChecked()) CurLanguage = code;

    for (int k = 0; k < options::CheckCount; ++k) applyCheck(static_cast<OptionCheckBox*>(OptCollection[static_cast<size_t>(k)]));
    MarkerGraphic = optMarkerGra->isChecked();
    for (size_t k = 0; k < v.extensions.size(); ++k) ExtCollection[k]->setText(v.extensions[k]);
    extensionsToVariables();
    const auto records = fontRecords();
    for (size_t k = 0; k < records.size(); ++k) *records[k] = v.fonts[k];
    FontFields = options::FontFields(v.fonts);
    OptionsLoading = false;
}

void frmOptions::ApplyOptions(bool setDefaultBox)
{
    if (OptCollection.empty()) FillOptCollection();
    // A damaged field takes the default set's value; the rest of the string still counts.
    const options::ReadResult r = options::ReadOptions(OptionsString, options::DefaultSet());
    setControls(r.values, setDefaultBox && r.defaultBoxRead);
    if (r.damaged) FillOptCollection();
}

void frmOptions::applyPreset(const OptionValues& v)
{
    OptionsLoading = true;
    optTypical->setChecked(true);
    CurNotation = 1;
    optVB->setChecked(true);
    CurLanguage = 1;
    chkPreDead->SetValue(2);
    chkPreUnreach->SetValue(2);
    const std::array<OptionCheckBox*, 3> before = {chkPreFact, chkPreLoops, chkPreLeftRecursion};
    const std::array<OptionCheckBox*, 3> build = {chkBuildActions, chkBuildTree, chkBuildNames};
    const auto set = [this, &v](OptionCheckBox* box, int index) {
        box->SetValue(v.checks[static_cast<size_t>(index)]);
        applyCheck(box);
    };
    for (int k = 0; k < 3; ++k) set(before[static_cast<size_t>(k)], options::PreFact + k);
    for (int k = 0; k < 3; ++k) set(build[static_cast<size_t>(k)], options::BuildActions + k);
    chkShowDead->SetValue(2);
    chkShowUnreach->SetValue(2);
    const std::array<OptionCheckBox*, 11> show = {chkShowFact,   chkShowLoops,     chkShowLeftRecursion, chkShowNull,
                                                  chkShowNonterminals, chkShowTerminals, chkShowSelect, chkShowIsEndOf,
                                                  chkShowBeginsWith, chkShowIsFollowedBy, chkShowParser};
    for (int k = 0; k < 11; ++k) set(show[static_cast<size_t>(k)], options::ShowFact + k);
    optMarkerTxt->setChecked(true);
    MarkerGraphic = false;
    const std::array<QLineEdit*, options::ExtCount> boxes = {txtSource, txtDead, txtUnreach, txtFact, txtLoops,
                                                             txtLeftRecursion, txtNull, txtNonterminals, txtTerminals,
                                                             txtSelect};
    const auto vars = extensionVariables();
    for (size_t k = 0; k < boxes.size(); ++k) {
        boxes[k]->setText(v.extensions[k]);
        if (vars[k]) *vars[k] = v.extensions[k];
    }
    setLocked(txtNull, true);
    setLocked(txtTerminals, true);
    txtParserCode->setText(QStringLiteral(" Auto"));
    setLocked(txtParserCode, true);
    const auto records = fontRecords();
    for (size_t k = 0; k < records.size(); ++k) *records[k] = v.fonts[k];
    OptionsLoading = false;
    FillOptCollection();
}

void frmOptions::SetDefaultOptions() { applyPreset(options::DefaultSet()); }
void frmOptions::SetDemoOptions() { applyPreset(options::DemoSet()); }

// ---- the controls' handlers ----

void frmOptions::UncheckDefault(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && chkDefault->Value() != 0) chkDefault->SetValue(0);
}

void frmOptions::applyCheck(OptionCheckBox* box)
{
    for (OptionCheckBox* always : {chkPreDead, chkPreUnreach, chkShowDead, chkShowUnreach})
        if (box == always) box->SetValue(2);
    struct Before {
        OptionCheckBox* box;
        bool* variable;
        OptionCheckBox* show;
        bool* showVariable;
        QLineEdit* extension;
    };
    const Before befores[] = {{chkPreFact, &PreFact, chkShowFact, &ShowFact, txtFact},
                              {chkPreLoops, &PreLoops, chkShowLoops, &ShowLoops, txtLoops},
                              {chkPreLeftRecursion, &PreLeftRecursion, chkShowLeftRecursion, &ShowLeftRecursion,
                               txtLeftRecursion}};
    for (const Before& b : befores) {
        if (b.box != box) continue;
        if (box->Value() == 0) {
            *b.variable = false;
            b.show->setEnabled(false);
            setLocked(b.extension, true);
            *b.showVariable = false;
        } else {
            *b.variable = true;
            if (!b.show->isEnabled()) {
                b.show->setEnabled(true);
                applyCheck(b.show);
            }
            setLocked(b.extension, false);
        }
        return;
    }
    const OptionCheckBox* plain[] = {chkBuildActions, chkBuildTree, chkBuildNames, chkShowFact, chkShowLoops,
                                     chkShowLeftRecursion, chkShowNull, chkShowNonterminals, chkShowTerminals,
                                     chkShowSelect, chkShowIsEndOf, chkShowBeginsWith, chkShowIsFollowedBy,
                                     chkShowParser};
    bool* variables[] = {&BuildActions, &BuildTree, &BuildNames, &ShowFact, &ShowLoops, &ShowLeftRecursion, &ShowNull,
                         &ShowNonterminals, &ShowTerminals, &ShowSelect, &ShowIsEndOf, &ShowBeginsWith,
                         &ShowIsFollowedBy, &ShowParser};
    for (size_t k = 0; k < std::size(plain); ++k)
        if (plain[k] == box) *variables[k] = box->Value() != 0;
}

void frmOptions::applyOptionButton(QRadioButton* button)
{
    const QRadioButton* buttons[] = {optTypical, optW3C, optMSDN, optMSDNComma, optVB, optVBScript, optFortran90,
                                     optFortran77, optJava, optJScript, optDelphi, optCpp, optCc, optMarkerTxt,
                                     optMarkerGra};
    for (size_t k = 0; k < std::size(buttons); ++k) {
        if (buttons[k] != button) continue;
        const ButtonRole& role = kButtonRoles[k];
        if (role.unchecksDefault) UncheckDefault(Qt::LeftButton);
        switch (role.group) {
        case Group::Notation:
            CurNotation = role.code;
            if (MainForm) MainForm->SetButtonImage(QStringLiteral("Notation"), QLatin1String(role.image));
            break;
        case Group::Language:
            CurLanguage = role.code;
            if (MainForm) MainForm->SetButtonImage(QStringLiteral("Build"), QLatin1String(role.image));
            break;
        case Group::Marker: MarkerGraphic = role.code == 1; break;
        }
        return;
    }
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
    FontRec& rec = *fontRecords()[static_cast<size_t>(record)];
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
        ui::Ui().messageBox(cmdFont[static_cast<size_t>(record)]->text() + QStringLiteral(": ") + problem,
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    if (matrix) {
        rec.FontName = chosen->FontName;
        rec.FontColor = chosen->FontColor;
    } else {
        rec = *chosen;
    }
    FontFields = options::FontFields(fontValues());
    UncheckDefault(Qt::LeftButton);
}

void frmOptions::tbsOptions_Click()
{
    const int selected = tbsOptions->currentIndex();
    for (int i = 0; i < tbsOptions->count(); ++i) picOptions[static_cast<size_t>(i)]->setEnabled(i == selected);
    if (selected != tbsOptions->count() - 1) return;
    // The sample of the graphic marker: a small circle in the text marker's colour.
    const int h = qRound(QFontMetricsF(Marker->font()).height());
    QPixmap picture(std::max(h, 6), std::max(h, 6));
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const QColor colour = lblMarker->palette().color(QPalette::WindowText);
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawEllipse(QPointF(h / 2.0 - 1, h / 2.0 - 1), 2, 2);
    p.end();
    Marker->setPixmap(picture);
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
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && (event->modifiers() & Qt::ControlModifier)) {
        Form_KeyDown(Qt::Key_Tab, event->modifiers() | (event->key() == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier));
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
    // What Cancel goes back to: the options as they were before the dialog read the store.
    takeSnapshot();
    OptionsInit();
    shownNotation_ = CurNotation;
    shownLanguage_ = CurLanguage;
}

bool frmOptions::refuseBadExtension()
{
    for (size_t k = 0; k < ExtCollection.size(); ++k) {
        const QString problem = options::ExtensionProblem(ExtCollection[k]->text());
        if (problem.isEmpty()) continue;
        tbsOptions->setCurrentIndex(3);
        ExtCollection[k]->setFocus();
        ExtCollection[k]->selectAll();
        ui::Ui().messageBox(QString::fromLatin1(kExtensionLabels[k]).trimmed() + QStringLiteral(": ") + problem,
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
        return true;
    }
    return false;
}

bool frmOptions::cmdApply_Click()
{
    if (OptCollection.empty()) FillOptCollection();
    if (refuseBadExtension()) return false;
    const bool fontsChanged = !snapshot_ || !(snapshot_->fonts.TextsFont == TextsFont &&
                                              snapshot_->fonts.MatrixFont == MatrixFont &&
                                              snapshot_->fonts.NtmFont == NtmFont && snapshot_->fonts.TrmFont == TrmFont &&
                                              snapshot_->fonts.ActFont == ActFont && snapshot_->fonts.CnsFont == CnsFont &&
                                              snapshot_->fonts.ErrorFont == ErrorFont);
    Idle = false;
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
    SaveOptions();
    if (ActiveGrammar) {
        // A grammar keeps the notation it is written in unless the user chose another here: a
        // change of fonts must not make its next reading fail.
        if (CurNotation != shownNotation_) ActiveGrammar->iGrmNotation = CurNotation;
        if (CurLanguage != shownLanguage_) ActiveGrammar->iGrmLanguage = CurLanguage;
        // The rule ends follow the notation: ";" for the notation with ";", else CR and LF.
        SetNotationBuildImages(ActiveGrammar->iGrmNotation, ActiveGrammar->iGrmLanguage);
    }
    shownNotation_ = CurNotation;
    shownLanguage_ = CurLanguage;
    Idle = true;
    if (MainForm && MainForm->MdiArea())
        if (QMdiSubWindow* w = MainForm->MdiArea()->activeSubWindow()) w->unsetCursor();
    takeSnapshot();
    return true;
}

void frmOptions::cmdOK_Click()
{
    if (cmdApply_Click()) done(QDialog::Accepted);
}

void frmOptions::cmdCancel_Click()
{
    restoreSnapshot();
    done(QDialog::Rejected);
}

void frmOptions::reject() { cmdCancel_Click(); }
