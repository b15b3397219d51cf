// Zentrav's window: a press of "Compile" shows the steps, and a syntax error in its own window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "form1.h"
#include "frm_error.h"

namespace {

TEST(ZentravWindow, CompileShowsTheStepsAndErrorsInTheirWindow)
{
    zentrav::Form1 window;
    QStringList shown;
    window.SetErrorShower([&](QWidget* owner, const QString& message) {
        EXPECT_EQ(owner, &window);
        shown << message;
    });
    EXPECT_EQ(window.windowTitle(), "Zentrav");
    EXPECT_EQ(window.Command1->text(), "Compile");
    EXPECT_EQ(window.Text1->toolTip(), "All parameters must have length one symbol");
    EXPECT_EQ(window.Text2->toolTip(),
              "The string    A    *    k    -->   101  is read as:  \"A\"  is multiplied by  \"k\"  "
              "and the result is sent to the address \"101\"");

    window.Command1->click();
    EXPECT_TRUE(shown.isEmpty());
    const QStringList lines = window.Text2->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.front(), "   A   *   k   -> 101");
    EXPECT_EQ(lines.back(), " 112   - 113   -> 114");

    window.Text1->setText("A*B+");
    window.Command1->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), "Line 1, syntax error, found \"end marker\" when expecting <Term> with one of: "
                             "( 0-9 A-Z a-z\nA*B+\n    !");
    EXPECT_EQ(window.Text2->toPlainText(), "   A   *   B   -> 101\n");
}

TEST(ZentravWindow, ALongFormulaIsCompiledWhole)
{
    zentrav::Form1 window;
    QStringList shown;
    window.SetErrorShower([&](QWidget*, const QString& message) { shown << message; });
    QString formula = "a";
    for (int i = 0; i < 20001; ++i) formula += "+a";  // 40,003 characters
    window.Text1->setText(formula);
    EXPECT_EQ(window.Text1->text().size(), 40003);
    window.Command1->click();
    EXPECT_TRUE(shown.isEmpty());
    const QStringList lines = window.Text2->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20001);
    EXPECT_TRUE(lines.back().endsWith("->20101")) << lines.back().toStdString();
}

// A character that the code page lacks is shown as typed in the error text, not as "?".
TEST(ZentravWindow, TheErrorShowsTheCharactersAsTyped)
{
    const QString smile = QString::fromUtf8("\u263A");
    QString longFormula = "a";
    for (int i = 0; i < 100; ++i) longFormula += "+a";
    longFormula += "+" + smile;
    const struct {
        QString formula;
        QString found, context;
    } cases[] = {
        {"A+" + smile, smile, "A+" + smile},
        {"A+?", "?", "A+?"},
        {longFormula, smile, longFormula.right(41)},  // a long line is cut around the error
    };
    for (const auto& tc : cases) {
        zentrav::Form1 window;
        QStringList shown;
        window.SetErrorShower([&](QWidget*, const QString& message) { shown << message; });
        window.Text1->setText(tc.formula);
        window.Command1->click();
        ASSERT_EQ(shown.size(), 1);
        const QStringList lines = shown.front().split('\n');
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(lines[0].startsWith("Line 1, syntax error, found \"" + tc.found + "\"")) << lines[0].toStdString();
        EXPECT_EQ(lines[1].toStdString(), tc.context.toStdString());
        EXPECT_EQ(lines[2].size(), lines[1].size());  // the "!" under the last character
    }
}

// The error window of a real run, looked at while it is shown: as wide as its first line, or as
// wide as the screen allows and scrolling.
TEST(ZentravWindow, TheErrorWindowTakesTheWidthOfItsText)
{
    zentrav::Form1 window;
    window.show();
    window.Text1->setText("A*B+");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* error = qobject_cast<zentrav::frmError*>(QApplication::activeModalWidget());
        ASSERT_NE(error, nullptr);
        seen = true;
        const QRect screen = window.screen()->availableGeometry();
        const QString first = error->Text1->toPlainText().section('\n', 0, 0);
        EXPECT_TRUE(first.startsWith("Line 1, syntax error")) << first.toStdString();
        const int needed = QFontMetrics(error->Text1->font()).horizontalAdvance(first);
        EXPECT_TRUE(error->Text1->viewport()->width() >= needed || error->width() >= screen.width() * 9 / 10 - 2)
            << error->width() << " of " << screen.width() << " for " << needed;
        EXPECT_FALSE(error->Text1->verticalScrollBar()->isVisible());
        EXPECT_LE(error->width(), screen.width());
        error->Command1->click();
    });
    window.Command1->click();
    EXPECT_TRUE(seen);
}

TEST(ZentravWindow, ErrorWindowShowsTheMessageAndClosesOnOk)
{
    zentrav::frmError error(nullptr);
    EXPECT_EQ(error.windowTitle(), "Syntax error");
    EXPECT_EQ(error.Command1->text(), "OK");
    error.show();
    error.Command1->click();
    EXPECT_FALSE(error.isVisible());
    EXPECT_EQ(error.result(), QDialog::Accepted);
}

}  // namespace
