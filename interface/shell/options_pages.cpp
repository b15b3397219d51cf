// The options dialog's pages: their controls with the captions and tips the user knows, and
// the mapping of each control to its field of the options value.
#include "options_pages.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "string_table.h"

namespace {

// Set on the boxes that always run and always show (removal of dead and unreachable
// nonterminals): they stay gray whatever a click says.
const char* const AlwaysGray = "alwaysGray";
// Set on the first choices of the presets: a click on one leaves the Default box alone.
const char* const KeepsDefault = "keepsDefault";

OptionCheckBox* check(const char* name, const char* caption, QWidget* parent, const char* tip = nullptr)
{
    auto* c = new OptionCheckBox(QString::fromLatin1(caption), parent);
    c->setObjectName(QLatin1String(name));
    if (tip) c->setToolTip(QString::fromLatin1(tip));
    return c;
}

OptionCheckBox* alwaysGray(const char* name, const char* caption, QWidget* parent, const char* tip = nullptr)
{
    OptionCheckBox* c = check(name, caption, parent, tip);
    c->setProperty(AlwaysGray, true);
    c->SetValue(2);
    return c;
}

QRadioButton* radio(const char* name, const char* caption, QWidget* parent, const char* tip = nullptr)
{
    auto* r = new QRadioButton(QString::fromLatin1(caption), parent);
    r->setObjectName(QLatin1String(name));
    if (tip) r->setToolTip(QString::fromLatin1(tip));
    return r;
}

QGroupBox* frame(const char* name, const QString& title, QWidget* parent, const char* tip = nullptr)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QLatin1String(name));
    if (tip) g->setToolTip(QString::fromLatin1(tip));
    new QVBoxLayout(g);
    return g;
}

void add(QGroupBox* g, std::initializer_list<QWidget*> ws)
{
    for (QWidget* w : ws) g->layout()->addWidget(w);
}

// The "before" boxes with the Show and extension fields that depend on each.
struct Before {
    options::Check before, show;
    options::Ext extension;
};
constexpr Before Befores[] = {{options::PreFact, options::ShowFact, options::Fact},
                              {options::PreLoops, options::ShowLoops, options::Loops},
                              {options::PreLeftRecursion, options::ShowLeftRecursion, options::LeftRecursion}};

// Labels of the extension boxes, also in the message that refuses one.
constexpr std::array<const char*, options::ExtCount> ExtensionLabels = {
    "Source grammar",
    "Dead nonterminals (if exist) ",
    "Unreachable nonterminals (if exist)",
    "Grammar after left factoring",
    "Grammar after reducing indirect left recursion",
    "Grammar after elimination of immediate left recursion",
    "Nullable rules (if exist)",
    "Nonterminals",
    "Terminals",
    "Set of select"};

} // namespace

// ---- the check box ----

int OptionCheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
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

void SetLocked(QLineEdit* box, bool locked)
{
    box->setReadOnly(locked);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(locked ? QPalette::Button : QPalette::Base));
    box->setPalette(p);
}

// ---- every page ----

void OptionsPage::Load(const options::OptionValues& values)
{
    loading_ = true;
    fill(values);
    Follow(values);
    loading_ = false;
}

void OptionsPage::reportClicks()
{
    for (OptionCheckBox* box : findChildren<OptionCheckBox*>())
        connect(box, &QCheckBox::clicked, this, [this, box] {
            if (box->property(AlwaysGray).toBool()) box->SetValue(2);
            emit Edited(true);
        });
    for (QRadioButton* b : findChildren<QRadioButton*>())
        connect(b, &QRadioButton::clicked, this, [this, b] { emit Edited(!b->property(KeepsDefault).toBool()); });
}

// ---- pages of check boxes ----

void CheckBoxesPage::holdFields(options::Check first, std::initializer_list<OptionCheckBox*> boxes)
{
    first_ = first;
    boxes_ = boxes;
}

void CheckBoxesPage::fill(const options::OptionValues& v)
{
    for (size_t k = 0; k < boxes_.size(); ++k) boxes_[k]->SetValue(v.checks[first_ + k]);
}

void CheckBoxesPage::Take(options::OptionValues& v) const
{
    for (size_t k = 0; k < boxes_.size(); ++k) v.checks[first_ + k] = boxes_[k]->Value();
}

// ---- Languages ----

LanguagesPage::LanguagesPage(QWidget* parent) : OptionsPage(parent)
{
    auto* lang =
        frame("fraLanguage", QStringLiteral("Output language"), this, "Choose output language for parser code");
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
    auto* notation =
        frame("optNotation", QStringLiteral("Input notation"), this, "Choose BNF notation for source grammar");
    optTypical = radio("optTypical", "Typical  EBNF", notation, "Widely-distributed");
    optW3C = radio("optW3C", "W3C  EBNF", notation, "The notation of the W3C XML recommendation");
    optMSDN = radio("optMSDN", "... repeater", notation, "It is found in MSDN");
    optMSDNComma = radio("optMSDNComma", "... repeater with ;", notation, "It is found in MSDN");
    add(notation, {optTypical, optW3C, optMSDN, optMSDNComma});
    for (QRadioButton* b : {optTypical, optVB}) b->setProperty(KeepsDefault, true);
    auto* l = new QHBoxLayout(this);
    l->addWidget(lang);
    l->addWidget(notation, 0, Qt::AlignTop);
    reportClicks();
}

std::array<QRadioButton*, 13> LanguagesPage::buttons() const
{
    return {optTypical,   optW3C,  optMSDN,    optMSDNComma, optVB,  optVBScript, optFortran90,
            optFortran77, optJava, optJScript, optDelphi,    optCpp, optCc};
}

void LanguagesPage::fill(const options::OptionValues& v)
{
    const auto all = buttons();
    // Only the selected button is set: a group stored without one keeps its choice.
    for (size_t k = 0; k < all.size(); ++k)
        if (v.buttons[k]) all[k]->setChecked(true);
}

void LanguagesPage::Take(options::OptionValues& v) const
{
    const auto all = buttons();
    for (size_t k = 0; k < all.size(); ++k) v.buttons[k] = all[k]->isChecked();
}

// ---- Build ----

BuildPage::BuildPage(QWidget* parent) : CheckBoxesPage(parent)
{
    const char* useful = "It is useful for transformation of grammar to LL(1) type. Recommended in any case.";
    auto* before = frame("fraTransformation", LoadResString(1060), this);
    chkPreDead = alwaysGray("chkPreDead", "Remove dead nonterminals", before, "It is always executed");
    chkPreUnreach = alwaysGray("chkPreUnreach", "Remove unreachable nonterminals", before, "It is always executed");
    chkPreFact = check("chkPreFact", "Left factoring", before, useful);
    chkPreLeftRecursion = check("chkPreLeftRecursion", "Eliminate immediate left recursion", before, useful);
    chkPreLoops = check("chkPreLoops", "Reduce indirect left recursion to immediate left recursion", before,
                        "It is useful for transformation of grammar to LL(1) type. Use this transformation together "
                        "with elimination of immediate left recursion if other transformations have no any effect.");
    add(before, {chkPreDead, chkPreUnreach, chkPreFact, chkPreLeftRecursion, chkPreLoops});
    auto* build = frame("fraBuild", QStringLiteral("Build parser code"), this,
                        "You will need to write code for corresponding procedures");
    chkBuildActions = check("chkBuildActions", "Include codes of user actions", build,
                            "As a rule parser should execute some actions on a course of grammatic analysis "
                            "otherwise it will search only for mistakes in an entrance chain");
    chkBuildTree = check("chkBuildTree", "Include calls for AST generating", build,
                         "You will need to write code for corresponding procedures");
    chkBuildNames = check("chkBuildNames", "Generate native names for recursive procedures", build);
    add(build, {chkBuildActions, chkBuildTree, chkBuildNames});
    holdFields(options::PreFact,
               {chkPreFact, chkPreLoops, chkPreLeftRecursion, chkBuildActions, chkBuildTree, chkBuildNames});
    auto* l = new QVBoxLayout(this);
    l->addWidget(before);
    l->addWidget(build);
    l->addStretch();
    reportClicks();
}

// ---- Show ----

ShowPage::ShowPage(QWidget* parent) : CheckBoxesPage(parent)
{
    auto* show = frame("fraShow", LoadResString(1061), this);
    chkShowDead = alwaysGray("chkShowDead", "Dead nonterminals (if exist) ", show);
    chkShowUnreach = alwaysGray("chkShowUnreach", "Unreachable nonterminals (if exist)", show);
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
    add(show,
        {chkShowDead, chkShowUnreach, chkShowFact, chkShowLoops, chkShowLeftRecursion, chkShowNull, chkShowNonterminals,
         chkShowTerminals, chkShowSelect, chkShowIsEndOf, chkShowBeginsWith, chkShowIsFollowedBy, chkShowParser});
    holdFields(options::ShowFact,
               {chkShowFact, chkShowLoops, chkShowLeftRecursion, chkShowNull, chkShowNonterminals, chkShowTerminals,
                chkShowSelect, chkShowIsEndOf, chkShowBeginsWith, chkShowIsFollowedBy, chkShowParser});
    auto* l = new QVBoxLayout(this);
    l->addWidget(show);
    l->addStretch();
    reportClicks();
}

void ShowPage::Follow(const options::OptionValues& v)
{
    for (const Before& b : Befores) box(b.show)->setEnabled(v.checks[b.before] != 0);
}

// ---- Files ----

FilesPage::FilesPage(QWidget* parent) : OptionsPage(parent)
{
    auto* box = new QGroupBox(LoadResString(1062), this);
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
        {&txtSource, "txtSource", ExtensionLabels[0], ".grm", "A filter for opening a file of source grammar"},
        {&txtDead, "txtDead", ExtensionLabels[1], ".tmp", other},
        {&txtUnreach, "txtUnreach", ExtensionLabels[2], ".tmp", other},
        {&txtFact, "txtFact", ExtensionLabels[3], ".tmp", other},
        {&txtLoops, "txtLoops", ExtensionLabels[4], ".tmp", other},
        {&txtLeftRecursion, "txtLeftRecursion", ExtensionLabels[5], ".tmp", other},
        {&txtNull, "txtNull", ExtensionLabels[6], ".tmp", onlyTmp},
        {&txtNonterminals, "txtNonterminals", ExtensionLabels[7], ".tmp", other},
        {&txtTerminals, "txtTerminals", ExtensionLabels[8], ".tmp", onlyTmp},
        {&txtSelect, "txtSelect", ExtensionLabels[9], ".tmp", other},
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
        if (r < options::ExtCount) boxes_[static_cast<size_t>(r)] = edit;
        ++r;
        connect(edit, &QLineEdit::textChanged, this, [this] {
            if (!loading_) emit Edited(true);
        });
    }
    for (QLineEdit* locked : {txtNull, txtTerminals, txtParserCode}) SetLocked(locked, true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(box);
    l->addStretch();
}

QString FilesPage::Label(int extension)
{
    return QString::fromLatin1(ExtensionLabels[static_cast<size_t>(extension)]).trimmed();
}

void FilesPage::fill(const options::OptionValues& v)
{
    for (size_t k = 0; k < boxes_.size(); ++k)
        if (boxes_[k]->text() != v.extensions[k]) boxes_[k]->setText(v.extensions[k]);
}

void FilesPage::Take(options::OptionValues& v) const
{
    for (size_t k = 0; k < boxes_.size(); ++k) v.extensions[k] = boxes_[k]->text();
}

void FilesPage::Follow(const options::OptionValues& v)
{
    for (const Before& b : Befores) {
        QLineEdit* box = Box(b.extension);
        const bool locked = v.checks[b.before] == 0;
        if (box->isReadOnly() != locked) SetLocked(box, locked);
    }
}

// ---- Fonts ----

FontsPage::FontsPage(QWidget* parent) : OptionsPage(parent)
{
    auto* general = frame("fraFonts", LoadResString(1063), this);
    auto* parsing = frame("fraParseFonts", QStringLiteral("Parsing Fonts"), this);
    const char* names[] = {"cmdFontTexts", "cmdFontMatrix", "cmdNtmFont",  "cmdTrmFont",
                           "cmdActFont",   "cmdCnsFont",    "cmdErrorFont"};
    const char* captions[] = {"Texts", "Matrix titles", "Nonterminals", "Terminals", "Actions", "Comments", "Errors"};
    for (size_t k = 0; k < cmdFont.size(); ++k) {
        QGroupBox* group = k < 2 ? general : parsing;
        auto* b = new QPushButton(QString::fromLatin1(captions[k]), group);
        b->setObjectName(QLatin1String(names[k]));
        add(group, {b});
        cmdFont[k] = b;
        connect(b, &QPushButton::clicked, this, [this, k] { emit FontClicked(static_cast<int>(k)); });
    }
    auto* marker = new QGroupBox(QStringLiteral("Matrix marker"), this);
    marker->setObjectName(QStringLiteral("fraFontStyles"));
    auto* grid = new QGridLayout(marker);
    optMarkerTxt = radio("optMarkerTxt", "Text style marker", marker);
    optMarkerTxt->setProperty(KeepsDefault, true);
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
    auto* l = new QGridLayout(this);
    l->addWidget(general, 0, 0, Qt::AlignTop);
    l->addWidget(parsing, 0, 1, Qt::AlignTop);
    l->addWidget(marker, 1, 0, 1, 2);
    l->setRowStretch(2, 1);
    reportClicks();
}

void FontsPage::fill(const options::OptionValues& v)
{
    if (v.buttons[options::MarkerTxt]) optMarkerTxt->setChecked(true);
    if (v.buttons[options::MarkerGra]) optMarkerGra->setChecked(true);
}

void FontsPage::Take(options::OptionValues& v) const
{
    v.buttons[options::MarkerTxt] = optMarkerTxt->isChecked();
    v.buttons[options::MarkerGra] = optMarkerGra->isChecked();
}

void FontsPage::DrawMarkerSample()
{
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
