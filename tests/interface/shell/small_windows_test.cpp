// The syntax-error, stop, splash and About windows.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <map>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include "dialogs.h"
#include "frmAbout.h"
#include "frmError.h"
#include "frmLog.h"
#include "frmSplash2.h"
#include "frmStop.h"
#include "shell_fixture.h"
#include "sysinfo.h"

using namespace ModuleMain;

// ---- syntax-error window ----

TEST_F(ShellTest, TheErrorWindowShowsTheWholeTextFromItsFirstColumn)
{
    Start();
    struct Case {
        const char* name;
        std::string text;
    };
    const std::string head = "Line 1, syntax error, found \"x\" when expecting \"=\"";
    // An expected set much wider than the window.
    std::string wide = "Line 3, syntax error, found \"x\" when expecting <Rule> with one of:";
    for (int i = 0; i < 40; ++i) wide += " \"terminal" + std::to_string(i) + "\"";
    const Case cases[] = {
        // The error at the line's first character, at its last, and past its end.
        {"first character", head + "\r\nx = a.\r\n!"},
        {"last character", head + "\r\n<a> = b x\r\n        !"},
        {"past the end", "Line 2, syntax error, found \"end marker\" when expecting \".\"\r\n<a> = b\r\n       !"},
        {"wide expected set", wide + "\r\n<a> ::= x\r\n        !"},
        // Texts a reader never gives: no line break, or one at the very start or end.
        {"no line break", "Line 1, syntax error"},
        {"break first", "\r\nabc"},
        {"break last", "abc\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string shown;
        RichText::Pos caret = -1;
        int scrolled = -1;
        modal_->script = [&](QDialog& d) {
            auto* w = qobject_cast<frmError*>(&d);
            ASSERT_TRUE(w);
            w->show();
            QApplication::processEvents();
            w->body->editor->ensureCursorVisible();
            shown = w->rtfText.Text();
            caret = w->rtfText.SelStart();
            scrolled = w->body->editor->horizontalScrollBar()->value();
            EXPECT_EQ(ActiveChild, w->body);
            EXPECT_EQ(w->windowTitle(), "Syntax error");
            EXPECT_TRUE(QFontInfo(w->body->editor->font()).fixedPitch());
            // Enter closes the window as its OK button does.
            QWidget* focus = w->focusWidget() ? w->focusWidget() : w->body->editor;
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(focus, &enter);
            EXPECT_EQ(w->result(), QDialog::Accepted);
            EXPECT_FALSE(w->isVisible());
            EXPECT_EQ(w->rtfText.Text(), shown);
        };
        dialogs::ShowErrorWindow(main(), c.text);
        std::string expected = c.text;
        for (size_t p = 0; (p = expected.find('\n', p)) != std::string::npos; p += 2)
            if (p == 0 || expected[p - 1] != '\r') expected.insert(p, "\r");
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(caret, 0);
        EXPECT_EQ(scrolled, 0);
        EXPECT_EQ(ActiveChild, ActiveGrammar);
    }
}

TEST(ErrorWindow, TheTextBoxFollowsTheWidthAndTheButtonStaysCentred)
{
    frmError w;
    const int margin = qRound(100 / frmMain::TwipsPerPixel());
    for (int width : {700, 300, 60, 3}) {
        SCOPED_TRACE(width);
        w.resize(width, 200);
        w.Form_Resize();
        EXPECT_EQ(w.body->width(), std::max(0, width - margin));
        EXPECT_EQ(w.Command1->x(), (width - w.Command1->width()) / 2);
        EXPECT_EQ(w.Command1->y(), 150);
    }
    w.Command1->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

// ---- stop window ----

TEST_F(ShellTest, TheStopWindowEndsALongStepThatLetsEventsRun)
{
    Start();
    frmStop stop(main());
    stop.show();
    StopRequested = false;
    QTimer::singleShot(20, stop.Command1, &QPushButton::click);
    QElapsedTimer clock;
    clock.start();
    long steps = 0;
    // A step that would otherwise run for ten seconds.
    while (!StopRequested && clock.elapsed() < 10000) {
        ++steps;
        QApplication::processEvents();
    }
    EXPECT_TRUE(StopRequested);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GT(steps, 0);
    stop.Command1->click();
    EXPECT_TRUE(StopRequested);
    EXPECT_EQ(stop.Label1->text(), "0  loops");
    EXPECT_EQ(stop.Label2->text(), "0  substitutions");
    EXPECT_EQ(stop.windowTitle(), "Transforming to LL1");
}

TEST_F(ShellTest, TheStopWindowSitsOverTheMiddleOfTheMainWindow)
{
    Start();
    for (const QPoint at : {QPoint(0, 0), QPoint(40, 30)}) {
        main()->move(at);
        frmStop stop(main());
        const QRect m = main()->frameGeometry();
        EXPECT_EQ(stop.x(), (m.width() + m.left() - stop.width()) / 2);
        EXPECT_EQ(stop.y(), (m.height() + m.top()) / 2 - stop.height());
        // Closing asks for a stop as the button does.
        StopRequested = false;
        stop.reject();
        EXPECT_TRUE(StopRequested);
    }
}

// ---- splash window ----

namespace {
// A clock that moves by a fixed step at every reading.
class SteppingClock final : public ui::UiServices {
public:
    explicit SteppingClock(std::int64_t step) : step_(step) {}
    ui::Answer messageBox(const QString&, const QString&, ui::Buttons, ui::Icon) override { return ui::Ok; }
    std::optional<QString> openFileName(const ui::FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const ui::FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&, const QString&, bool) override { return false; }
    std::int64_t tickCount() override { return now_ += step_; }
    void processEvents() override {}

private:
    std::int64_t step_;
    std::int64_t now_ = 1000;
};
} // namespace

TEST(SplashWindow, TheFadeEndsWhateverTheClockDoes)
{
    struct Case {
        std::int64_t step;  // milliseconds between two readings of the clock
        int passes;
    };
    // A pass of 40 ms or more advances ten steps; shorter passes add up to 255 steps a second,
    // even those shorter than a step; a clock that stands still or runs backwards ends the fade
    // after a bounded number of passes.
    const Case cases[] = {{40, 26},   {1000, 26}, {20, 51},
                          {1, 1002},  {0, frmSplash2::StalledPassLimit}, {-5, frmSplash2::StalledPassLimit}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        ui::SetUi(std::make_unique<SteppingClock>(c.step));
        frmSplash2 splash;
        splash.Form_Load();
        // Form_Load only starts the fade; here it is run to its end at once.
        EXPECT_FALSE(splash.FadeDone());
        splash.splashTail();
        EXPECT_TRUE(splash.FadeDone());
        EXPECT_EQ(splash.Passes, c.passes);
        EXPECT_TRUE(splash.isVisible());
        splash.close();
    }
    ui::SetUi(nullptr);
}

TEST(SplashWindow, RowsAreFilledWithTheGradientAndATooLowWindowIsLeftAlone)
{
    ui::SetUi(std::make_unique<SteppingClock>(40));
    frmSplash2 splash;
    splash.Form_Load();
    splash.splashTail();
    const QImage& c = splash.Canvas;
    ASSERT_GT(c.height(), 60);
    const QRgb background = c.pixel(0, 0);
    // The first rows of the range (k = 0) keep the background; the last has the full gradient.
    EXPECT_EQ(c.pixel(5, frmSplash2::RowsTop), background);
    const int last = c.height() - frmSplash2::RowsBottomMargin;
    const QRgb end = c.pixel(5, last);
    EXPECT_EQ(qRed(end), 255);
    EXPECT_GT(qGreen(end), 200);
    EXPECT_NEAR(qBlue(end), qGreen(end), 6);  // the fade's last pass: blue follows green

    splash.Canvas = QImage(300, 40, QImage::Format_RGB32);
    splash.Canvas.fill(Qt::black);
    splash.splashTail();
    EXPECT_EQ(splash.Canvas.pixel(10, 30), qRgb(0, 0, 0));
    ui::SetUi(nullptr);

    EXPECT_EQ(frmSplash2::RowColour(255, 0), qRgb(255, 255, 0));
    EXPECT_EQ(frmSplash2::RowColour(128, 255), qRgb(255, 128, 128));
    EXPECT_EQ(frmSplash2::RowColour(1, 128), qRgb(128, 1, 1));
}

TEST_F(ShellTest, TheMainWindowIsUpWhileTheSplashFadesAndTheSplashGoesWhenTheFadeEnds)
{
    ui_->clockStep = 40;
    Start();
    const auto splashShown = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmSplash2*>(w) && w->isVisible()) return true;
        return false;
    };
    // Start-up did not wait for the fade.
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(splashShown());
    QElapsedTimer t;
    t.start();
    while (splashShown() && t.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(splashShown());
}

// ---- About box ----

namespace {
class ScriptedSystem final : public sysinfo::SystemLayer {
public:
    std::map<std::pair<QString, QString>, sysinfo::KeyValue> values;
    std::vector<QString> files;
    std::vector<QString> started;
    bool startWorks = true;

    std::optional<sysinfo::KeyValue> ReadValue(std::uint32_t root, const QString& key, const QString& name) override
    {
        if (root != sysinfo::LocalMachine) return std::nullopt;
        const auto it = values.find({key, name});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool FileExists(const QString& path) override { return std::find(files.begin(), files.end(), path) != files.end(); }
    bool StartProgram(const QString& path) override
    {
        started.push_back(path);
        return startWorks;
    }
};

const QString kPathKey = QString::fromLatin1(sysinfo::PathKey);
const QString kFolderKey = QString::fromLatin1(sysinfo::FolderKey);
} // namespace

TEST_F(ShellTest, KeyValuesAreReadAsTextOrAsANumber)
{
    auto layer = std::make_unique<ScriptedSystem>();
    layer->values[{"K", "text"}] = {sysinfo::TextValue, QByteArray("/usr/bin/info\0junk", 18)};
    layer->values[{"K", "number"}] = {sysinfo::NumberValue, QByteArray("\x05\x00\x01\x00", 4)};
    layer->values[{"K", "binary"}] = {3, QByteArray("abc")};
    sysinfo::SetSystem(std::move(layer));
    struct Case {
        const char* name;
        bool read;
        QString value;
    };
    const Case cases[] = {
        {"text", true, "/usr/bin/info"},
        {"number", true, "65541"},  // the zero byte inside the number is one of its digits
        {"binary", true, "before"},
        {"missing", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString v = QStringLiteral("before");
        EXPECT_EQ(frmAbout::GetKeyValue(sysinfo::LocalMachine, "K", QString::fromLatin1(c.name), v), c.read);
        EXPECT_EQ(v, c.value);
    }
    QString v = QStringLiteral("before");
    EXPECT_FALSE(frmAbout::GetKeyValue(0x80000001u, "K", "text", v));
    sysinfo::SetSystem(nullptr);
}

TEST_F(ShellTest, TheSystemInformationProgramIsStartedFromTheFirstChoiceThenTheSecond)
{
    struct Case {
        const char* name;
        bool path, folder, file, startWorks;
        QString started;  // "" when nothing is started
        bool message;
    };
    const Case cases[] = {
        {"a path wins even when its file is missing", true, true, true, true, "/opt/info/run", false},
        {"the folder's program", false, true, true, true, "/opt/tools/MSINFO32.EXE", false},
        {"a folder without the program", false, true, false, true, "", true},
        {"neither", false, false, false, true, "", true},
        {"a program that does not start", true, false, false, false, "/opt/info/run", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto layer = std::make_unique<ScriptedSystem>();
        ScriptedSystem* system = layer.get();
        if (c.path) layer->values[{kPathKey, "PATH"}] = {sysinfo::TextValue, "/opt/info/run"};
        if (c.folder) layer->values[{kFolderKey, "MSINFO"}] = {sysinfo::TextValue, "/opt/tools"};
        if (c.file) layer->files.push_back("/opt/tools/MSINFO32.EXE");
        layer->startWorks = c.startWorks;
        sysinfo::SetSystem(std::move(layer));
        ui_->messages.clear();
        frmAbout about;
        about.StartSysInfo();
        EXPECT_EQ(system->started.empty() ? QString() : system->started.back(), c.started);
        ASSERT_EQ(ui_->messages.size(), c.message ? 1u : 0u);
        if (c.message) EXPECT_EQ(ui_->messages[0].text, "System Information Is Unavailable At This Time");
    }
    sysinfo::SetSystem(nullptr);
}

TEST_F(ShellTest, HelpAboutShowsTheBoxWhichClosesOnOK)
{
    Start();
    bool shown = false;
    modal_->script = [&](QDialog& d) {
        auto* about = qobject_cast<frmAbout*>(&d);
        ASSERT_TRUE(about);
        shown = true;
        EXPECT_EQ(about->windowTitle(), "About Tamberlix");
        EXPECT_EQ(about->cmdOK->text(), "OK");
        EXPECT_EQ(about->findChildren<QPushButton*>().size(), 1);
        about->cmdOK->click();
        EXPECT_EQ(about->result(), QDialog::Accepted);
    };
    main()->mnuHelpAbout_Click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(ui_->messages.empty());
}

// ---- Process window ----

TEST_F(ShellTest, TheLogFontReachesEveryLineAndKeepsTheirColours)
{
    Start();
    GrammarIsLL1 = false;
    main()->WriteLog("   - a line in the error colour\r\n");
    GrammarIsLL1 = true;
    main()->WriteLog("   - a plain line\r\n");
    ASSERT_TRUE(LogWindow);
    RichText& log = LogWindow->rtfText;
    // A reading styled part of the log in another font.
    log.SetSelStart(0);
    log.SetSelLength(5);
    log.SetSelFontName("DejaVu Serif");
    log.SetSelFontSize(20);
    TextsFont.FontName = "DejaVu Sans Mono";
    TextsFont.FontSize = 13;
    TextsFont.FontUnderline = true;
    LogWindow->SetLogFont();
    // The newest line is in view.
    EXPECT_EQ(LogWindow->editor->textCursor().position(), LogWindow->editor->document()->characterCount() - 1);
    log.SetSelStart(0);
    log.SetSelLength(log.TextLength());
    EXPECT_EQ(log.SelFontName(), std::optional<std::string>("DejaVu Sans Mono"));
    EXPECT_EQ(log.SelFontSize(), std::optional<std::int32_t>(13));
    EXPECT_EQ(log.SelUnderline(), std::optional<bool>(true));
    log.SetSelStart(3);
    log.SetSelLength(3);
    EXPECT_EQ(log.SelColor(), ErrorFont.FontColor);
}
