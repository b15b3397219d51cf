// Kelvantroc's windows on the offscreen platform, with a scripted person answering messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <fstream>

#include "form1.h"
#include "form2.h"
#include "frm_message.h"
#include "qt_text.h"
#include "support/work_folder.h"
#include "Samples/kelvantroc/scripted_person.h"

namespace {

using namespace kelvantroc;


std::vector<QTreeWidgetItem*> Items(QTreeWidget* tree)
{
    std::vector<QTreeWidgetItem*> all;
    std::vector<QTreeWidgetItem*> todo;
    for (int i = tree->topLevelItemCount(); i-- > 0;) todo.push_back(tree->topLevelItem(i));
    while (!todo.empty()) {
        QTreeWidgetItem* item = todo.back();
        todo.pop_back();
        all.push_back(item);
        for (int i = item->childCount(); i-- > 0;) todo.push_back(item->child(i));
    }
    return all;
}

QTreeWidgetItem* Find(QTreeWidget* tree, const QString& text, int nth = 0)
{
    for (QTreeWidgetItem* item : Items(tree))
        if (item->text(0) == text && nth-- == 0) return item;
    return nullptr;
}

QString Selected(Form1& w) { return w.Source[0]->textCursor().selectedText(); }

TEST(KelvantrocWindow, NineButtonsInThreeFramesAndTheFileMenu)
{
    ScriptedPerson person;
    Form1 w(&person);
    const char* const captions[] = {"Reduced tree", "Full tree", "Упрощенное дерево", "Полное дерево",
                                    "Grammar", "Грамматика", "Reduced tree", "Full tree", "New grammar"};
    const char* const frames[] = {"Demo", "Demo", "Демо", "Демо", "Demo", "Демо", "Тест", "Тест", "Тест"};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(w.Command1[i]->text(), QString::fromUtf8(captions[i])) << i;
        auto* frame = qobject_cast<QGroupBox*>(w.Command1[i]->parentWidget());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QString::fromUtf8(frames[i])) << i;
    }
    EXPECT_EQ(w.MnuFile->title(), QString::fromUtf8("Файл"));
    EXPECT_EQ(w.mnuOpen->text(), QString::fromUtf8("Выбор файла"));
    EXPECT_EQ(w.mnuExit->text(), QString::fromUtf8("Выход"));
}

TEST(KelvantrocWindow, TreeNodesSelectTheTextTheyDerive)
{
    ScriptedPerson person;
    Form1 w(&person);
    EXPECT_EQ(w.windowTitle(), "Kelvantroc");
    w.Source[0]->setPlainText("  a +\n  bc  ");
    w.Command1[1]->click();  // full tree, English names
    EXPECT_TRUE(person.shown.empty());
    EXPECT_TRUE(w.TView->isVisible() || !w.isVisible());
    ASSERT_EQ(w.TView->topLevelItemCount(), 1);
    EXPECT_EQ(w.TView->topLevelItem(0)->text(0), "<expression>");

    QTreeWidgetItem* leaf = Find(w.TView, "bc");
    ASSERT_NE(leaf, nullptr);
    w.TView_NodeClick(leaf);
    EXPECT_EQ(Selected(w), "bc");
    QTreeWidgetItem* list = Find(w.TView, "<additive_expression_list>");
    ASSERT_NE(list, nullptr);
    w.TView_NodeClick(list);
    EXPECT_EQ(Selected(w), QString("+") + QChar(0x2029) + "  bc");  // the line break as the box gives it
    // A nonterminal that derived nothing selects nothing, at the place where it stands.
    QTreeWidgetItem* empty = Find(w.TView, "<expression_list>");
    ASSERT_NE(empty, nullptr);
    w.TView_NodeClick(empty);
    EXPECT_EQ(Selected(w), "");
    w.TView_NodeClick(w.TView->topLevelItem(0));
    EXPECT_EQ(Selected(w), QString("a +") + QChar(0x2029) + "  bc");

    // The reduced tree shows fewer nodes, none of them empty.
    const size_t full = Items(w.TView).size();
    w.Command1[0]->click();
    EXPECT_LT(Items(w.TView).size(), full);
    EXPECT_EQ(Find(w.TView, "<expression_list>"), nullptr);
    ASSERT_NE(Find(w.TView, "bc"), nullptr);
}

TEST(KelvantrocWindow, SyntaxErrorGoesToTheMessageDialogAndThePartialTreeStays)
{
    ScriptedPerson person;
    Form1 w(&person);
    w.Source[0]->setPlainText("a = b");
    w.Command1[3]->click();  // full tree, Russian names
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].caption, cp1251::fromUtf8("Синтаксическая ошибка"));
    EXPECT_EQ(person.shown[0].mode, OkOnly);
    EXPECT_EQ(person.shown[0].text.substr(0, 30), "Line 1, syntax error, found \"=");
    EXPECT_NE(Find(w.TView, "a"), nullptr);
    EXPECT_EQ(w.TView->topLevelItem(0)->text(0), "<expression_rus>");

    // A character the code page lacks is no operator.
    w.Source[0]->setPlainText(QString("a ") + QChar(0x263A) + " b");
    w.Command1[7]->click();
    ASSERT_EQ(person.shown.size(), 2u);
    EXPECT_EQ(person.shown[1].text.substr(0, 30), "Line 1, syntax error, found \"\x98");

    w.Source[0]->setPlainText("f(a, b)");
    w.Command1[7]->click();
    EXPECT_EQ(person.shown.size(), 2u);
    EXPECT_NE(Find(w.TView, "<arguments>"), nullptr);
}

// What the person sees of a syntax error holds the characters as typed where the code page has
// none for them; the text itself stays in the code page.
TEST(KelvantrocWindow, SyntaxErrorsShowTheCharactersAsTyped)
{
    ScriptedPerson person;
    Form1 w(&person);
    const QString smile = QString::fromUtf8("\u263A");
    w.Source[0]->setPlainText("  a +\n  b " + smile + " c");
    w.Command1[7]->click();
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text.substr(0, 30), "Line 2, syntax error, found \"\x98");
    const QStringList lines = QString::fromStdU16String(person.shown[0].shown).split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Line 2, syntax error, found \"" + smile + "\"")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "  b " + smile + " c");
    EXPECT_EQ(lines[2], "    !");

    // Nothing to show otherwise.
    w.Source[0]->setPlainText("a b");
    w.Command1[7]->click();
    ASSERT_EQ(person.shown.size(), 2u);
    EXPECT_TRUE(person.shown[1].shown.empty());
}

// A word longer than the source box is not broken up (which costs the box time that grows with
// the square of its length) but scrolls; lines still wrap between words.
TEST(KelvantrocWindow, TheSourceBoxBreaksLinesBetweenWordsOnly)
{
    ScriptedPerson person;
    Form1 w(&person);
    w.show();
    w.SetSourceText(std::string(5000, 'c') + " + a");
    QApplication::processEvents();
    const QTextBlock block = w.Source[0]->document()->firstBlock();
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_EQ(block.layout()->lineAt(0).textLength(), 5001);
    EXPECT_GT(w.Source[0]->horizontalScrollBar()->maximum(), 0);
}

TEST(KelvantrocWindow, GrammarButtonsShowTheirDocuments)
{
    ScriptedPerson person;
    Form1 w(&person);
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(KELVANTROC_DOCUMENTS));
    w.Command1[5]->click();
    EXPECT_FALSE(w.TView->isVisibleTo(&w));
    EXPECT_TRUE(w.RichTextBox1->isVisibleTo(&w));
    EXPECT_TRUE(w.RichTextBox1->toPlainText().contains(QString::fromUtf8("<выражение> ::= ")));
    w.Command1[8]->click();
    EXPECT_TRUE(w.RichTextBox1->toPlainText().contains("<cpp_grammar> ::= <expression>"));
    w.resize(900, 640);
    w.show();
    w.grab().save("kelvantroc_grammar.png");

    // A missing document leaves the box as it was.
    test_support::WorkFolder empty("kelvantroc-docs");
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(empty.Path().string())));
    w.Command1[4]->click();
    EXPECT_TRUE(w.RichTextBox1->toPlainText().contains("<cpp_grammar>"));
    QDir::setCurrent(old);
}

// A deep tree is wider than the view: the column takes the width of its deepest node and the view
// scrolls sideways, and a new tree shows its root again.
TEST(KelvantrocWindow, TheTreeViewScrollsSideways)
{
    ScriptedPerson person;
    Form1 w(&person);
    w.show();
    w.Source[0]->setPlainText("(a + b) * c");
    w.Command1[7]->click();  // the full C++ tree
    QApplication::processEvents();
    QTreeWidgetItem* leaf = Find(w.TView, "a");
    ASSERT_NE(leaf, nullptr);
    for (QTreeWidgetItem* item : Items(w.TView))
        EXPECT_GE(w.TView->visualItemRect(item).width(), QFontMetrics(item->font(0)).horizontalAdvance(item->text(0)))
            << item->text(0).toStdString() << " is elided";
    EXPECT_GT(w.TView->horizontalScrollBar()->maximum(), 0);

    w.TView->horizontalScrollBar()->setValue(w.TView->horizontalScrollBar()->maximum());
    w.TView->verticalScrollBar()->setValue(w.TView->verticalScrollBar()->maximum());
    w.Command1[7]->click();
    QApplication::processEvents();
    EXPECT_EQ(w.TView->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(w.TView->verticalScrollBar()->value(), 0);
    EXPECT_EQ(w.TView->itemAt(5, 5), w.TView->topLevelItem(0));
}

TEST(KelvantrocWindow, TheTreeViewStopsAtItsNodeLimit)
{
    ScriptedPerson person;
    Form1 w(&person);
    QString text = "a";
    for (int i = 0; i < 2200; ++i) text += "+a";
    w.Source[0]->setPlainText(text);
    w.Command1[7]->click();
    EXPECT_TRUE(person.shown.empty());
    EXPECT_EQ(static_cast<int>(Items(w.TView).size()), Form1::NodeLimit);
    EXPECT_EQ(w.Status->text(),
              ". TreeView Control can not support more then 32767 nodes. Process interrupted by system.");
}

TEST(KelvantrocFileChooser, SavesAndLoadsTheSourceText)
{
    test_support::WorkFolder folder("kelvantroc-chooser");
    ScriptedPerson person;
    Form1 w(&person);
    const QString file = QString::fromStdString((folder.Path() / "e.cpp").string());
    w.Source[0]->setPlainText("a +\nb");
    {
        Form2 chooser(w);
        EXPECT_EQ(chooser.windowTitle(), QString::fromUtf8("Выбор файла"));
        chooser.Text1->setText(file);
        chooser.cmdLoad[1]->click();
    }
    std::ifstream in(file.toStdString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "a +\r\nb\r\n");
    EXPECT_EQ(Form2::fileSourceName, file);

    w.Source[0]->setPlainText("other");
    {
        Form2 chooser(w);
        chooser.Dir1_Change(QString::fromStdString(folder.Path().string()));
        ASSERT_EQ(chooser.File1->count(), 1);
        chooser.File1_DblClick(chooser.File1->item(0));
    }
    EXPECT_EQ(w.Source[0]->toPlainText(), "a +\nb");
    EXPECT_TRUE(person.shown.empty());
    EXPECT_EQ(Form2::SourcePath, QString::fromStdString(folder.Path().string()) + "/");
}

// The chooser shows the folder it lists, takes a bare name in that folder and does not save under
// its initial pattern "*.cpp".
TEST(KelvantrocFileChooser, ShowsItsFolderAndRefusesThePattern)
{
    test_support::WorkFolder folder("kelvantroc-chooser");
    const QString path = QString::fromStdString(folder.Path().string());
    ScriptedPerson person;
    Form1 w(&person);
    w.Source[0]->setPlainText("a + b");
    {
        Form2 chooser(w);
        chooser.Dir1_Change(path);
        EXPECT_EQ(chooser.lblFolder->text(), QDir::toNativeSeparators(QDir(path).canonicalPath()));
        chooser.Text1->setText("*.cpp");
        chooser.cmdLoad[1]->click();
    }
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text.substr(0, 16), cp1251::fromUtf8("Неправильное имя"));
    EXPECT_TRUE(QDir(path).entryList(QDir::Files).isEmpty());
    {
        Form2 chooser(w);  // opens in the folder of the last file clicked, or the current one
        chooser.Dir1_Change(path);
        chooser.Text1->setText("e.cpp");
        chooser.cmdLoad[1]->click();
    }
    EXPECT_EQ(QDir(path).entryList(QDir::Files), QStringList("e.cpp"));
    EXPECT_EQ(person.shown.size(), 1u);
}

// A UTF-8 file shows its characters, also those the code page lacks, and is saved back as UTF-8;
// a code-page file stays in the code page.
TEST(KelvantrocFileChooser, ReadsUtf8FilesAsUtf8AndSavesThemSo)
{
    test_support::WorkFolder folder("kelvantroc-chooser");
    const QString file = QString::fromStdString((folder.Path() / "u.cpp").string());
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"s == \"\xD0\xB6\xD1\x91\xD0\xBB\xD1\x82\xD1\x8B\xD0\xB9\" + \xE2\x86\x92\r\n",
         QString::fromUtf8("s == \"жёлтый\" + →")},
        {"s == \"\xE6\xB8\xEB\xF2\xFB\xE9\"\r\n", QString::fromUtf8("s == \"жёлтый\"")},
    };
    for (const auto& tc : cases) {
        std::ofstream(file.toStdString(), std::ios::binary) << tc.bytes;
        ScriptedPerson person;
        person.replies = {{true, false}};  // overwrite
        Form1 w(&person);
        {
            Form2 chooser(w);
            chooser.Text1->setText(file);
            chooser.cmdLoad[0]->click();
        }
        EXPECT_EQ(w.Source[0]->toPlainText().toStdString(), tc.shown.toStdString());
        {
            Form2 chooser(w);
            chooser.Text1->setText(file);
            chooser.cmdLoad[1]->click();
        }
        std::ifstream in(file.toStdString(), std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), tc.bytes);
    }
}

TEST(KelvantrocMessageDialog, CaptionsAndButtons)
{
    frmMessage ok(nullptr);
    ok.ShowIt("text", "Caption", OkOnly);
    EXPECT_EQ(ok.windowTitle(), "Caption");
    EXPECT_EQ(ok.Command1[0]->text(), "OK");
    EXPECT_TRUE(ok.Command1[1]->isHidden());
    EXPECT_EQ(ok.Check1->text(), QString::fromUtf8("Больше не показывать"));

    frmMessage question(nullptr);
    question.ShowIt("text", "Caption", ContinueCancel);
    EXPECT_EQ(question.Command1[0]->text(), QString::fromUtf8("Продолжить"));
    EXPECT_EQ(question.Command1[1]->text(), QString::fromUtf8("Отменить"));
    EXPECT_FALSE(question.Command1[1]->isHidden());
}

// The syntax-error dialog of a real run, looked at while it is shown: it stands whole on the
// owner's screen, its buttons within it, whatever the length of the line at fault.
TEST(KelvantrocMessageDialog, SyntaxErrorsStayOnTheScreen)
{
    std::string binary;  // a file that is no text: every byte, many times over
    for (int i = 0; i < 20000; ++i) binary += static_cast<char>(i * 7 % 256);
    const struct {
        std::string source;
        int button;
    } cases[] = {
        {"f() + g(x, y)[i]", 6},
        {binary, 7},
        {"a b" + std::string(50000, 'c'), 1},  // the error at the start of a very long line
        {std::string(50000, 'c') + " b", 1},   // and at its end
    };
    for (const auto& tc : cases) {
        Form1 w;
        w.move(0, 0);
        w.show();
        w.SetSourceText(tc.source);
        QRect dialogRect, screen;
        QString text;
        bool buttonsInside = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmMessage*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialogRect = dialog->frameGeometry();
            screen = w.screen()->availableGeometry();
            text = dialog->Text1->toPlainText();
            const QRect inside = dialog->rect();
            buttonsInside = inside.contains(QRect(dialog->Command1[0]->mapTo(dialog, QPoint()), dialog->Command1[0]->size())) &&
                            inside.contains(QRect(dialog->Check1->mapTo(dialog, QPoint()), dialog->Check1->size()));
            dialog->Command1[0]->click();
        });
        w.Command1[static_cast<size_t>(tc.button)]->click();
        EXPECT_TRUE(screen.contains(dialogRect)) << tc.source.substr(0, 20) << ": " << dialogRect.x() << ","
                                                  << dialogRect.y() << " " << dialogRect.width() << "x"
                                                  << dialogRect.height();
        EXPECT_TRUE(buttonsInside) << tc.source.substr(0, 20);
        EXPECT_TRUE(text.startsWith("Line 1, syntax error")) << text.left(40).toStdString();
        EXPECT_LT(text.size(), 400) << tc.source.substr(0, 20);
    }
}

TEST(KelvantrocMessageDialog, ButtonsCloseBoxAndCheckBox)
{
    QWidget owner;
    QtMessagePresenter presenter(&owner);
    auto answerWith = [](std::function<void(frmMessage*)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<frmMessage*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
    };
    answerWith([](frmMessage* d) { d->close(); });
    MessageReply r = presenter.Present({"q", "Save", ContinueCancel});
    EXPECT_FALSE(r.answer);  // the close box is Cancel

    answerWith([](frmMessage* d) {
        d->Check1->click();
        d->Command1[0]->click();
    });
    r = presenter.Present({"q", "Save", ContinueCancel});
    EXPECT_TRUE(r.answer);
    EXPECT_TRUE(r.dontShowAgain);

    answerWith([](frmMessage* d) { d->Command1[1]->click(); });
    r = presenter.Present({"q", "Save", ContinueCancel});
    EXPECT_FALSE(r.answer);
    EXPECT_FALSE(r.dontShowAgain);
}

}  // namespace
