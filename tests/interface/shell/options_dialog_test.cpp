// The options dialog: every control to its field of the stored text and back, the "before"
// boxes, the Default box, fonts, Apply, OK and Cancel.
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <fstream>
#include <functional>
#include <map>

#include "dialogs.h"
#include "font_picker.h"
#include "frmLog.h"
#include "frmOptions.h"
#include "options_string.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

class ScriptedFonts final : public dialogs::FontPicker {
public:
    std::deque<std::optional<readers::FontRec>> answers;  // cancel when empty
    std::vector<readers::FontRec> presets;
    std::optional<readers::FontRec> ChooseFont(QWidget*, const readers::FontRec& preset) override
    {
        presets.push_back(preset);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

QStringList fieldsOf(const QString& text)
{
    QStringList f = text.split(QLatin1Char(','));
    f.removeLast();
    return f;
}

QString withFields(QString text, std::initializer_list<std::pair<int, QString>> changes)
{
    QStringList f = fieldsOf(text);
    for (const auto& [field, value] : changes) f[field - 1] = value;
    return f.join(QLatin1Char(',')) + QLatin1Char(',');
}

QString logical(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

class OptionsDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        auto fonts = std::make_unique<ScriptedFonts>();
        fonts_ = fonts.get();
        dialogs::SetFontPicker(std::move(fonts));
    }
    void TearDown() override
    {
        dialogs::SetFontPicker(nullptr);
        ShellTest::TearDown();
    }

    // Opens the dialog from the Tools menu and lets `script` act on it.
    void WithDialog(const std::function<void(frmOptions&)>& script)
    {
        modal_->script = [&script](QDialog& d) {
            if (auto* f = qobject_cast<frmOptions*>(&d)) script(*f);
        };
        main()->mnuToolsOptions_Click();
        modal_->script = nullptr;
    }

    QString Stored() const { return AppSettings().options().value_or(QString()); }
    QString StoredField(int field) const { return fieldsOf(Stored()).value(field - 1); }
    void Store(const QString& text) { AppSettings().setOptions(text); }

    ScriptedFonts* fonts_ = nullptr;
};

} // namespace

TEST_F(OptionsDialogTest, AFirstRunStartsWithTheDemonstrationSetAndWritesNothing)
{
    Start();
    EXPECT_TRUE(BuildTree);
    EXPECT_TRUE(BuildNames);
    EXPECT_TRUE(ShowIsEndOf);
    EXPECT_EQ(TextsFont.FontSize, 8);
    EXPECT_EQ(ErrorFont.FontColor, RGB(128, 0, 0));
    EXPECT_EQ(CurLanguage, 1);
    EXPECT_FALSE(AppSettings().options().has_value());
}

TEST_F(OptionsDialogTest, AStoredTextReplacesTheStartValuesAndADamagedOneKeepsItsGoodFields)
{
    const QString def = options::FormatOptions(options::DefaultSet());
    // Java, MSDN with ";", a size that is no number, and a graphic marker.
    const QString damaged = withFields(def, {{19, "False"}, {22, "True"}, {23, "False"}, {27, "True"},
                                             {32, "False"}, {33, "True"}, {59, "huge"}, {35, ".dead"}});
    Store(damaged);
    Start();
    EXPECT_EQ(CurNotation, 4);
    EXPECT_EQ(CurLanguage, 5);
    EXPECT_TRUE(MarkerGraphic);
    EXPECT_EQ(ExtDead, ".dead");
    EXPECT_EQ(NtmFont.FontSize, 10);
    EXPECT_FALSE(BuildTree);
    EXPECT_TRUE(ui_->messages.empty());
    // Only Apply or OK overwrite the stored text.
    EXPECT_EQ(Stored(), damaged);
}

TEST_F(OptionsDialogTest, EachControlReachesItsFieldAndItsVariableAndComesBack)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    struct Row {
        int field;
        const char* control;
        std::function<QString()> variable;
    };
    const auto b = [](bool& v) { return [&v] { return logical(v); }; };
    const auto n = [](std::int32_t& v) { return [&v] { return QString::number(v); }; };
    const auto s = [](QString& v) { return [&v] { return v; }; };
    const std::vector<Row> checks = {
        {2, "chkPreFact", b(PreFact)},           {3, "chkPreLoops", b(PreLoops)},
        {4, "chkPreLeftRecursion", b(PreLeftRecursion)}, {5, "chkBuildActions", b(BuildActions)},
        {6, "chkBuildTree", b(BuildTree)},       {7, "chkBuildNames", b(BuildNames)},
        {8, "chkShowFact", b(ShowFact)},         {9, "chkShowLoops", b(ShowLoops)},
        {10, "chkShowLeftRecursion", b(ShowLeftRecursion)}, {11, "chkShowNull", b(ShowNull)},
        {12, "chkShowNonterminals", b(ShowNonterminals)}, {13, "chkShowTerminals", b(ShowTerminals)},
        {14, "chkShowSelect", b(ShowSelect)},    {15, "chkShowIsEndOf", b(ShowIsEndOf)},
        {16, "chkShowBeginsWith", b(ShowBeginsWith)}, {17, "chkShowIsFollowedBy", b(ShowIsFollowedBy)},
        {18, "chkShowParser", b(ShowParser)},
    };
    for (const Row& r : checks) {
        SCOPED_TRACE(r.control);
        const QString before = StoredField(r.field);
        const QString flipped = before == "0" ? "1" : "0";
        WithDialog([&](frmOptions& d) {
            d.findChild<QAbstractButton*>(r.control)->click();
            // The dialog edits a copy: the program takes it on Apply.
            EXPECT_EQ(d.Edited().checks[static_cast<size_t>(r.field - 2)], flipped.toInt());
            EXPECT_EQ(r.variable(), logical(before == "1"));
            d.cmdApply->click();
            EXPECT_EQ(r.variable(), logical(flipped == "1"));
        });
        EXPECT_EQ(StoredField(r.field), flipped);
        Store(withFields(Stored(), {{r.field, before}}));
        dialogs::OptionsInit();
        EXPECT_EQ(r.variable(), logical(before == "1"));
    }

    const std::vector<Row> buttons = {
        {20, "optW3C", n(CurNotation)},     {21, "optMSDN", n(CurNotation)},    {22, "optMSDNComma", n(CurNotation)},
        {19, "optTypical", n(CurNotation)}, {24, "optVBScript", n(CurLanguage)}, {25, "optFortran90", n(CurLanguage)},
        {26, "optFortran77", n(CurLanguage)}, {27, "optJava", n(CurLanguage)},  {28, "optJScript", n(CurLanguage)},
        {29, "optDelphi", n(CurLanguage)},  {30, "optCpp", n(CurLanguage)},     {31, "optCc", n(CurLanguage)},
        {23, "optVB", n(CurLanguage)},      {33, "optMarkerGra", b(MarkerGraphic)}, {32, "optMarkerTxt", b(MarkerGraphic)},
    };
    const std::map<QString, QString> codes = {
        {"optTypical", "1"},  {"optW3C", "2"},  {"optMSDN", "3"},   {"optMSDNComma", "4"}, {"optVB", "1"},
        {"optVBScript", "2"}, {"optFortran90", "3"}, {"optFortran77", "4"}, {"optJava", "5"}, {"optJScript", "6"},
        {"optDelphi", "7"},   {"optCc", "8"},   {"optCpp", "9"},    {"optMarkerGra", "True"}, {"optMarkerTxt", "False"}};
    for (const Row& r : buttons) {
        SCOPED_TRACE(r.control);
        WithDialog([&](frmOptions& d) {
            d.findChild<QAbstractButton*>(r.control)->click();
            d.cmdApply->click();
        });
        const QStringList f = fieldsOf(Stored());
        const int first = r.field < 23 ? 19 : r.field < 32 ? 23 : 32;
        const int last = r.field < 23 ? 22 : r.field < 32 ? 31 : 33;
        for (int k = first; k <= last; ++k) EXPECT_EQ(f[k - 1], logical(k == r.field)) << "field " << k;
        EXPECT_EQ(r.variable(), codes.at(r.control));
    }
    // Back: a stored choice of each language sets its code.
    for (const Row& r : buttons) {
        if (r.field < 23 || r.field > 31) continue;
        SCOPED_TRACE(r.control);
        QString text = Stored();
        for (int k = 23; k <= 31; ++k) text = withFields(text, {{k, logical(k == r.field)}});
        Store(text);
        CurLanguage = 0;
        dialogs::OptionsInit();
        EXPECT_EQ(r.variable(), codes.at(r.control));
    }

    const std::vector<Row> extensions = {
        {34, "txtSource", s(ExtSource)},   {35, "txtDead", s(ExtDead)},   {36, "txtUnreach", s(ExtUnreach)},
        {37, "txtFact", s(ExtFact)},       {38, "txtLoops", s(ExtLoops)}, {39, "txtLeftRecursion", s(ExtLeftRecursion)},
        {41, "txtNonterminals", s(ExtNonterminals)}, {43, "txtSelect", s(ExtSelect)},
    };
    for (const Row& r : extensions) {
        SCOPED_TRACE(r.control);
        const QString typed = QStringLiteral(".e%1").arg(r.field);
        WithDialog([&](frmOptions& d) {
            d.findChild<QLineEdit*>(r.control)->setText(typed);
            d.cmdApply->click();
        });
        EXPECT_EQ(StoredField(r.field), typed);
        EXPECT_EQ(r.variable(), typed);
        Store(withFields(Stored(), {{r.field, ".back"}}));
        dialogs::OptionsInit();
        EXPECT_EQ(r.variable(), ".back");
    }
}

TEST_F(OptionsDialogTest, ClearingABeforeBoxLocksItsShowBoxAndExtension)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    WithDialog([](frmOptions& d) {
        d.showPage->chkShowFact->click();  // ticked
        ASSERT_EQ(d.Edited().checks[options::ShowFact], 1);
        d.buildPage->chkPreFact->click();
        EXPECT_EQ(d.Edited().checks[options::PreFact], 0);
        EXPECT_FALSE(ShowFact);
        EXPECT_FALSE(d.showPage->chkShowFact->isEnabled());
        EXPECT_EQ(d.showPage->chkShowFact->Value(), 1);
        EXPECT_TRUE(d.filesPage->txtFact->isReadOnly());
        d.buildPage->chkPreFact->click();
        EXPECT_EQ(d.Edited().checks[options::PreFact], 1);
        EXPECT_TRUE(d.showPage->chkShowFact->isEnabled());
        EXPECT_EQ(d.Edited().checks[options::ShowFact], 1);
        EXPECT_FALSE(d.filesPage->txtFact->isReadOnly());
        // Stored with its "before" box clear, a ticked Show box reads back disabled and true.
        d.buildPage->chkPreFact->click();
        d.cmdApply->click();
    });
    WithDialog([](frmOptions& d) {
        EXPECT_FALSE(d.showPage->chkShowFact->isEnabled());
        EXPECT_EQ(d.showPage->chkShowFact->Value(), 1);
        EXPECT_TRUE(ShowFact);
        d.cmdCancel->click();
    });
}

TEST_F(OptionsDialogTest, CancelPutsBackEverythingTheDialogChanged)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    const QString stored = Stored();
    const QString buildImage = main()->ButtonImage("Build");
    const QString notationImage = main()->ButtonImage("Notation");
    readers::FontRec big = NtmFont;
    big.FontSize = 20;
    fonts_->answers.push_back(big);
    WithDialog([](frmOptions& d) {
        d.languagesPage->optJava->click();
        d.languagesPage->optW3C->click();
        d.buildPage->chkBuildTree->click();
        d.buildPage->chkPreLoops->click();
        d.fontsPage->optMarkerGra->click();
        d.filesPage->txtSelect->setText(".sel");
        d.fontsPage->cmdFont[2]->click();
        EXPECT_EQ(d.Edited().language(), 5);
        EXPECT_EQ(d.Edited().fonts[2].FontSize, 20);
        EXPECT_EQ(d.chkDefault->Value(), 0);
        d.cmdCancel->click();
    });
    EXPECT_EQ(CurLanguage, 1);
    EXPECT_EQ(CurNotation, 1);
    EXPECT_FALSE(BuildTree);
    EXPECT_TRUE(PreLoops);
    EXPECT_FALSE(MarkerGraphic);
    EXPECT_EQ(ExtSelect, ".tmp");
    EXPECT_EQ(NtmFont.FontSize, 10);
    EXPECT_EQ(main()->ButtonImage("Build"), buildImage);
    EXPECT_EQ(main()->ButtonImage("Notation"), notationImage);
    EXPECT_EQ(Stored(), stored);

    // What Apply stored stays when a later change is cancelled.
    WithDialog([](frmOptions& d) {
        d.languagesPage->optJava->click();
        d.cmdApply->click();
        d.languagesPage->optDelphi->click();
        d.reject();  // the close box and Escape
    });
    EXPECT_EQ(CurLanguage, 5);
}

TEST_F(OptionsDialogTest, TheDefaultBoxCyclesThroughTheDefaultSetTheDemonstrationSetAndTheStoredOptions)
{
    QString mine = options::FormatOptions(options::DefaultSet());
    mine = withFields(mine, {{23, "False"}, {30, "True"}, {45, "12"}});
    Store(mine);
    Start();
    ASSERT_EQ(CurLanguage, 9);
    WithDialog([](frmOptions& d) {
        d.chkDefault->click();
        EXPECT_EQ(d.chkDefault->Value(), 1);
        EXPECT_EQ(d.Edited().language(), 1);
        EXPECT_EQ(d.Edited().fonts[0].FontSize, 10);
        EXPECT_EQ(d.Edited().checks[options::BuildTree], 0);
        d.chkDefault->click();
        EXPECT_EQ(d.chkDefault->Value(), 2);
        EXPECT_EQ(d.Edited().fonts[0].FontSize, 8);
        EXPECT_EQ(d.Edited().checks[options::BuildTree], 1);
        d.chkDefault->click();
        EXPECT_EQ(d.chkDefault->Value(), 0);
        EXPECT_EQ(d.Edited().language(), 9);
        EXPECT_EQ(d.Edited().fonts[0].FontSize, 12);
        // A changed control takes the box back from a set; the two first buttons do not.
        d.chkDefault->click();
        d.languagesPage->optVB->click();
        EXPECT_EQ(d.chkDefault->Value(), 1);
        d.languagesPage->optFortran77->click();
        EXPECT_EQ(d.chkDefault->Value(), 0);
        d.cmdCancel->click();
    });
}

TEST_F(OptionsDialogTest, FontButtonsEditTheirRecordAndTheMatrixTitlesKeepTheirSizeAndEffects)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    readers::FontRec chosen;
    chosen.FontName = "DejaVu Serif";
    chosen.FontSize = 14;
    chosen.FontBold = chosen.FontUnderline = true;
    chosen.FontColor = RGB(1, 2, 3);
    fonts_->answers = {chosen, chosen, std::nullopt};
    WithDialog([](frmOptions& d) {
        d.chkDefault->click();  // the default set, box 1
        d.fontsPage->cmdFont[1]->click();
        d.fontsPage->cmdFont[6]->click();
        EXPECT_EQ(d.chkDefault->Value(), 0);
        d.chkDefault->SetValue(1);
        d.fontsPage->cmdFont[3]->click();  // cancelled: nothing changes, the box neither
        EXPECT_EQ(d.chkDefault->Value(), 1);
        d.cmdOK->click();
    });
    ASSERT_EQ(fonts_->presets.size(), 3u);
    EXPECT_EQ(fonts_->presets[0].FontSize, 7);
    EXPECT_FALSE(fonts_->presets[0].FontBold);
    EXPECT_EQ(MatrixFont.FontName, "DejaVu Serif");
    EXPECT_EQ(MatrixFont.FontColor, RGB(1, 2, 3));
    EXPECT_EQ(MatrixFont.FontSize, 7);
    EXPECT_FALSE(MatrixFont.FontBold);
    EXPECT_EQ(ErrorFont, chosen);
    EXPECT_EQ(TrmFont.FontName, "Courier New");
    EXPECT_EQ(fieldsOf(Stored()).mid(85, 7).join(','), "DejaVu Serif,14,True,False,True,False,197121");
}

TEST_F(OptionsDialogTest, AFontNameWithACommaIsRefusedOnItsButton)
{
    Start();
    readers::FontRec chosen = TextsFont;
    chosen.FontName = "Odd, Font";
    fonts_->answers = {chosen};
    const readers::FontRec before = TextsFont;
    WithDialog([](frmOptions& d) {
        d.fontsPage->cmdFont[0]->click();
        d.cmdOK->click();
    });
    EXPECT_EQ(TextsFont, before);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.startsWith("Texts: ")) << ui_->messages[0].text.toStdString();
    EXPECT_EQ(fieldsOf(Stored()).size(), options::FieldCount);
}

TEST_F(OptionsDialogTest, ExtensionsThatWouldBreakTheTextOrLeaveTheWorkFolderAreRefused)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    const QString stored = Stored();
    for (const char* bad : {".a,b", "../up", "/tmp/x", "sub\\x"}) {
        SCOPED_TRACE(bad);
        ui_->messages.clear();
        bool closed = true;
        WithDialog([&](frmOptions& d) {
            d.filesPage->txtLoops->setText(QString::fromLatin1(bad));
            d.cmdOK->click();
            closed = d.result() == QDialog::Accepted;
            EXPECT_EQ(d.tbsOptions->currentIndex(), 3);
            d.cmdCancel->click();
        });
        EXPECT_FALSE(closed);
        ASSERT_EQ(ui_->messages.size(), 1u);
        EXPECT_TRUE(ui_->messages[0].text.startsWith("Grammar after reducing indirect left recursion: "));
        EXPECT_EQ(Stored(), stored);
        EXPECT_EQ(ExtLoops, ".tmp");
    }
}

TEST_F(OptionsDialogTest, SavingNumbersResultExtensionsThatEqualTheSourceOne)
{
    Start();
    WithDialog([](frmOptions& d) {
        d.filesPage->txtSource->setText(".tmp");
        d.cmdApply->click();
        EXPECT_EQ(d.filesPage->txtNull->text(), ".tmp7");
        d.cmdCancel->click();
    });
    EXPECT_EQ(fieldsOf(Stored()).mid(33, 10).join(' '), ".tmp .tmp2 .tmp3 .tmp4 .tmp5 .tmp6 .tmp7 .tmp8 .tmp9 .tmp10");
    EXPECT_EQ(ExtSource, ".tmp");
    EXPECT_EQ(ExtSelect, ".tmp10");
}

TEST_F(OptionsDialogTest, ApplyHandsTheNotationToTheGrammarWithItsRuleEnds)
{
    Start();
    ASSERT_TRUE(active());
    WithDialog([](frmOptions& d) {
        d.languagesPage->optMSDNComma->click();
        d.languagesPage->optJava->click();
        d.cmdApply->click();
        EXPECT_EQ(RuleEnd1, ";");
        EXPECT_EQ(RuleEnd2, ";");
        d.languagesPage->optW3C->click();
        d.cmdOK->click();
    });
    EXPECT_EQ(active()->iGrmNotation, 2);
    EXPECT_EQ(active()->iGrmLanguage, 5);
    EXPECT_EQ(RuleEnd1, "\r");
    EXPECT_EQ(RuleEnd2, "\n");
    EXPECT_EQ(main()->ButtonImage("Notation"), "w3c");
    EXPECT_EQ(main()->ButtonImage("Build"), "java_");
    EXPECT_TRUE(Idle);
}

TEST_F(OptionsDialogTest, ANewTextsFontReachesTheLogAndEveryOpenGrammar)
{
    Start();
    main()->mnuFileNew_Click();
    ASSERT_EQ(OpenGrammars(), 2);
    readers::FontRec chosen = TextsFont;
    chosen.FontName = "DejaVu Sans Mono";
    chosen.FontSize = 15;
    chosen.FontItalic = true;
    fonts_->answers = {chosen};
    WithDialog([](frmOptions& d) {
        d.fontsPage->cmdFont[0]->click();
        d.cmdOK->click();
    });
    ASSERT_TRUE(LogWindow);
    EXPECT_EQ(LogWindow->editor->font().pointSize(), 15);
    EXPECT_TRUE(LogWindow->editor->font().italic());
    for (int k = 1; k <= GrammarCount; ++k) {
        frmGrammar* g = GrammarAt(k);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->editor->document()->defaultFont().pointSize(), 15) << k;
    }
}

TEST_F(OptionsDialogTest, CtrlTabWrapsAroundTheTabs)
{
    Start();
    WithDialog([](frmOptions& d) {
        EXPECT_EQ(d.tbsOptions->currentIndex(), 0);
        d.Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(d.tbsOptions->tabText(d.tbsOptions->currentIndex()), "Fonts");
        EXPECT_FALSE(d.fontsPage->Marker->pixmap().isNull());
        EXPECT_FALSE(d.picOptions[0]->isEnabled());
        d.Form_KeyDown(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(d.tbsOptions->tabText(d.tbsOptions->currentIndex()), "Languages");
        d.Form_KeyDown(Qt::Key_Tab, Qt::NoModifier);
        EXPECT_EQ(d.tbsOptions->currentIndex(), 0);
        d.cmdCancel->click();
    });
}

TEST_F(OptionsDialogTest, TheDialogShowsTheStringTableCaptions)
{
    Start();
    WithDialog([](frmOptions& d) {
        EXPECT_EQ(d.windowTitle(), "Options");
        EXPECT_EQ(d.cmdApply->text(), "&Apply");
        EXPECT_EQ(d.findChild<QGroupBox*>("fraTransformation")->title(), "Before parser code builder starts:");
        EXPECT_TRUE(d.filesPage->txtParserCode->isReadOnly());
        EXPECT_EQ(d.filesPage->txtParserCode->text(), " Auto");
        d.cmdCancel->click();
    });
    EXPECT_EQ(modal_->runs, 1);
}

TEST_F(OptionsDialogTest, ChosenOptionsReachTheCommandsThatUseThem)
{
    Start();
    WithDialog([](frmOptions& d) {
        d.filesPage->txtSource->setText(".gram");
        d.languagesPage->optDelphi->click();
        d.cmdOK->click();
    });
    main()->mnuFileOpen_Click();
    ASSERT_EQ(ui_->dialogs.size(), 1u);
    EXPECT_TRUE(ui_->dialogs[0].filter.startsWith("Grammars (*.gram)|*.gram|")) << ui_->dialogs[0].filter.toStdString();
    main()->mnuFileNew_Click();
    EXPECT_EQ(active()->iGrmLanguage, 7);
    // And they are read back over the start values.
    ExtSource = QStringLiteral(".grm");
    CurLanguage = 1;
    dialogs::OptionsInit();
    EXPECT_EQ(ExtSource, ".gram");
    EXPECT_EQ(CurLanguage, 7);
}

TEST_F(OptionsDialogTest, TheDefaultBoxIsStoredInTheFirstFieldAndShownAtTheNextOpening)
{
    Start();
    WithDialog([](frmOptions& d) {
        d.chkDefault->click();
        d.chkDefault->click();  // gray: the demonstration set
        d.cmdOK->click();
    });
    EXPECT_EQ(StoredField(1), "2");
    WithDialog([](frmOptions& d) {
        EXPECT_EQ(d.chkDefault->Value(), 2);
        // Cleared by the user, the box stays clear whatever the stored field says.
        d.chkDefault->click();
        EXPECT_EQ(d.chkDefault->Value(), 0);
        d.cmdCancel->click();
    });
    // A stored 1 opens the dialog with the box ticked.
    Store(withFields(Stored(), {{1, "1"}}));
    WithDialog([](frmOptions& d) {
        EXPECT_EQ(d.chkDefault->Value(), 1);
        d.cmdCancel->click();
    });
}

TEST_F(OptionsDialogTest, AnOptionsTextWrittenWithoutQuotesIsReadWhole)
{
    QString text = options::FormatOptions(options::DefaultSet());
    text = withFields(text, {{23, "False"}, {29, "True"}});
    {
        std::ofstream ini(iniFile_.toStdString(), std::ios::trunc);
        ini << "[Settings]\nOptions=" << text.toStdString() << "\n";
    }
    SetAppSettings(std::make_unique<Settings>(iniFile_));
    Start();
    EXPECT_EQ(CurLanguage, 7);
    EXPECT_FALSE(BuildTree);
    EXPECT_EQ(Stored(), text);
}

TEST_F(OptionsDialogTest, ApplyWithNoGrammarOpenStoresTheOptionsAndTouchesNoWindow)
{
    Start();
    main()->CloseAllGrammars();
    ASSERT_EQ(OpenGrammars(), 0);
    WithDialog([](frmOptions& d) {
        d.languagesPage->optMSDNComma->click();
        d.cmdOK->click();
    });
    EXPECT_EQ(StoredField(22), "True");
    EXPECT_EQ(CurNotation, 4);
    EXPECT_TRUE(Idle);
}

TEST_F(OptionsDialogTest, TheToolbarShowsTheChosenNotationAndLanguageOnceTheyAreApplied)
{
    Start();
    main()->CloseAllGrammars();
    const QString build = main()->ButtonImage("Build");
    WithDialog([&](frmOptions& d) {
        d.languagesPage->optJava->click();
        d.languagesPage->optW3C->click();
        // The program, toolbar included, keeps its options until they are applied.
        EXPECT_EQ(main()->ButtonImage("Build"), build);
        EXPECT_EQ(CurLanguage, 1);
        d.cmdOK->click();
    });
    EXPECT_EQ(main()->ButtonImage("Build"), "java_");
    EXPECT_EQ(main()->ButtonImage("Notation"), "w3c");
}

TEST_F(OptionsDialogTest, TheAlwaysRunRemovalsStayGrayAfterTheOptionsAreSaved)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    const auto gray = [](frmOptions& d) {
        for (OptionCheckBox* box : {d.buildPage->chkPreDead, d.buildPage->chkPreUnreach, d.showPage->chkShowDead, d.showPage->chkShowUnreach})
            EXPECT_EQ(box->Value(), 2) << box->objectName().toStdString();
    };
    WithDialog([&](frmOptions& d) {
        gray(d);
        d.buildPage->chkPreDead->click();
        d.showPage->chkShowUnreach->click();
        gray(d);
        d.cmdOK->click();
    });
    WithDialog([&](frmOptions& d) {
        gray(d);
        d.cmdCancel->click();
    });
}

TEST_F(OptionsDialogTest, ApplyKeepsTheGrammarsNotationAndLanguageUnlessTheUserChangedThem)
{
    Store(options::FormatOptions(options::DefaultSet()));
    Start();
    ASSERT_TRUE(active());
    active()->iGrmNotation = 2;
    active()->iGrmLanguage = 5;
    readers::FontRec chosen = TextsFont;
    chosen.FontSize = 12;
    fonts_->answers = {chosen};
    WithDialog([this](frmOptions& d) {
        d.tbsOptions->setCurrentIndex(4);
        d.fontsPage->cmdFont[0]->click();
        d.cmdApply->click();
        EXPECT_EQ(active()->iGrmNotation, 2);
        EXPECT_EQ(active()->iGrmLanguage, 5);
        d.cmdOK->click();
    });
    EXPECT_EQ(TextsFont.FontSize, 12);
    EXPECT_EQ(active()->iGrmNotation, 2);
    EXPECT_EQ(active()->iGrmLanguage, 5);
    EXPECT_EQ(main()->ButtonImage("Notation"), "w3c");
    EXPECT_EQ(main()->ButtonImage("Build"), "java_");
    // A choice made and taken back is no change either; one made is handed over.
    WithDialog([this](frmOptions& d) {
        d.languagesPage->optMSDN->click();
        d.languagesPage->optTypical->click();
        d.cmdApply->click();
        EXPECT_EQ(active()->iGrmNotation, 2);
        d.languagesPage->optDelphi->click();
        d.cmdOK->click();
    });
    EXPECT_EQ(active()->iGrmNotation, 2);
    EXPECT_EQ(active()->iGrmLanguage, 7);
}

namespace {

// The program's own font dialog, driven by `act` once it is up; a dialog still open a second
// later is closed and reported as stuck.
struct FontDialogRun {
    std::optional<readers::FontRec> result;
    QString shownFamily;
    bool stuck = false;
};

FontDialogRun RunFontDialog(const readers::FontRec& preset, const std::function<void(QDialog&, QFontDialog&)>& act)
{
    FontDialogRun run;
    QPointer<QDialog> outer;
    QTimer::singleShot(0, [&] {
        outer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!outer) return;
        auto* fonts = outer->findChild<QFontDialog*>();
        if (!fonts) return;
        run.shownFamily = fonts->currentFont().family();
        act(*outer, *fonts);
    });
    QTimer::singleShot(1000, [&] {
        if (!outer || !outer->isVisible()) return;
        run.stuck = true;
        outer->reject();
    });
    dialogs::SetFontPicker(nullptr);
    run.result = dialogs::Fonts().ChooseFont(nullptr, preset);
    return run;
}

void Key(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

} // namespace

TEST_F(OptionsDialogTest, TheFontDialogKeepsAMissingFontOnOKAndShowsItsFixedPitchStandIn)
{
    readers::FontRec preset = TextsFont;
    preset.FontName = "Tamberlix Missing Mono";
    preset.FontSize = 10;
    const FontDialogRun run = RunFontDialog(preset, [](QDialog&, QFontDialog& fonts) {
        auto* box = fonts.parentWidget()->findChild<QDialogButtonBox*>();
        ASSERT_TRUE(box);
        box->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_FALSE(run.stuck);
    ASSERT_TRUE(run.result);
    EXPECT_EQ(*run.result, preset);
    // Shown as what stands in for the missing font: a fixed-pitch family when there is one.
    QFont wanted(QString::fromStdString(preset.FontName));
    wanted.setStyleHint(QFont::TypeWriter);
    EXPECT_EQ(run.shownFamily, QFontInfo(wanted).family());
    if (QFontInfo(wanted).fixedPitch()) EXPECT_TRUE(QFontInfo(QFont(run.shownFamily)).fixedPitch());
}

TEST_F(OptionsDialogTest, EscInTheFontChooserCancelsTheDialogAndEnterIsOK)
{
    readers::FontRec preset = TextsFont;
    preset.FontName = "DejaVu Sans Mono";
    const auto list = [](QFontDialog& fonts) {
        const auto views = fonts.findChildren<QListView*>();
        return views.isEmpty() ? static_cast<QWidget*>(&fonts) : static_cast<QWidget*>(views.front());
    };
    const FontDialogRun esc = RunFontDialog(preset, [&](QDialog&, QFontDialog& fonts) { Key(list(fonts), Qt::Key_Escape); });
    EXPECT_FALSE(esc.stuck);
    EXPECT_FALSE(esc.result);
    const FontDialogRun enter = RunFontDialog(preset, [&](QDialog&, QFontDialog& fonts) { Key(list(fonts), Qt::Key_Return); });
    EXPECT_FALSE(enter.stuck);
    ASSERT_TRUE(enter.result);
    EXPECT_EQ(*enter.result, preset);
}
