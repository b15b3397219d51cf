// The main window at its default size: every toolbar command can be reached and reads whole.
#include <QApplication>
#include <QToolBar>

#include "shell_fixture.h"

namespace {

// The widget of a toolbar command, in whichever part of the toolbar it is.
QWidget* ButtonOf(frmMain* m, QAction* a)
{
    for (QToolBar* bar : {m->ToolBar(), m->GrammarToolBar()})
        if (QWidget* w = bar->widgetForAction(a)) return w;
    return nullptr;
}

} // namespace

TEST_F(ShellTest, EveryToolbarCommandIsReachableAtTheDefaultSizeAndWhenWide)
{
    Start();
    main()->show();
    QApplication::processEvents();
    EXPECT_NEAR(main()->FrameTwips().width(), Settings::DefaultWidth, 20);
    const QList<QAction*> commands = main()->ToolbarActions();
    for (int width : {main()->width(), 1600}) {
        SCOPED_TRACE(width);
        main()->resize(width, main()->height());
        QApplication::processEvents();
        int count = 0;
        for (QAction* a : commands) {
            if (a->isSeparator()) continue;
            ++count;
            QWidget* w = ButtonOf(main(), a);
            ASSERT_TRUE(w) << a->objectName().toStdString();
            EXPECT_TRUE(w->isVisible()) << a->objectName().toStdString();
        }
        EXPECT_EQ(count, 20);
    }
    // Wide enough, the two parts share one row.
    EXPECT_FALSE(main()->toolBarBreak(main()->GrammarToolBar()));
    EXPECT_EQ(main()->ToolBar()->y(), main()->GrammarToolBar()->y());
}

TEST(ToolbarLabels, ButtonsWithoutAStandardIconShowTheirWholeWord)
{
    EXPECT_EQ(ButtonLabel("cpp"), "C++ class");
    EXPECT_EQ(ButtonLabel("cc"), "C++");
    EXPECT_EQ(ButtonLabel("pas"), "Pascal");
    EXPECT_EQ(ButtonLabel("Extra"), "Extra");
}
