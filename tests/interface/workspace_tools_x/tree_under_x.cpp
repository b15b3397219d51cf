// Under a real X server: the derivation tree of the example grammar is built with the Tree
// button through the program's own reading, a node is clicked, and a screenshot of the main
// window is saved. Exit code 0 when the tree has its nodes and the click selected the node's
// text.
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "frmGrammar.h"
#include "frmMain.h"
#include "frmTree.h"
#include "module_main.h"
#include "settings.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s grammar.grm screenshot.png\n", argv[0]);
        return 2;
    }
    QFile grammar(QString::fromLocal8Bit(argv[1]));
    if (!grammar.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const QByteArray bytes = grammar.readAll();
    const QString shot = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }

    frmMain* w = ModuleMain::Main({});
    frmGrammar* g = ModuleMain::ActiveGrammar;
    g->rtfText.SetText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    g->MarkSaved();
    int failures = 0;
    QTimer::singleShot(300, [&] {
        w->tbToolBar_ButtonClick(QStringLiteral("Tree"));
        frmTree* t = g->DerivTree;
        if (!t || t->NodeCount() < 100) {
            std::fprintf(stderr, "no tree was built\n");
            ++failures;
        } else {
            if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(t->parentWidget())) {
                sub->resize(w->MdiArea()->width() / 2, w->MdiArea()->height() - 10);
                sub->move(w->MdiArea()->width() / 2, 0);
            }
            if (QMdiSubWindow* sub = g->subWindow()) {
                sub->resize(w->MdiArea()->width() / 2, w->MdiArea()->height() - 10);
                sub->move(0, 0);
            }
            // The second rule's node: its whole text is selected in the grammar window.
            QTreeWidgetItem* node = nullptr;
            for (int i = 0; i < t->NodeCount() && !node; ++i)
                if (frmTree::KeyOf(t->NodeAt(i)).contains("Rule") && !frmTree::TagOf(t->NodeAt(i)).isEmpty())
                    node = t->NodeAt(i);
            if (node) {
                t->TView->setCurrentItem(node);
                t->TView_NodeClick(node);
            }
            const std::string selected = g->rtfText.SelText();
            std::printf("%d nodes, selected \"%s\"\n", t->NodeCount(), selected.c_str());
            if (!node || selected.empty()) ++failures;
        }
        QApplication::processEvents();
        QTimer::singleShot(300, [&] {
            // The click brought the grammar window forward over the tree; the tree on top for
            // the picture.
            // Placed again here: the tree's window is laid out by the area once it is shown,
            // which puts it back over the grammar.
            if (g->DerivTree)
                if (auto* sub = qobject_cast<QMdiSubWindow*>(g->DerivTree->parentWidget())) {
                    sub->move(w->MdiArea()->width() / 2, 0);
                    w->MdiArea()->setActiveSubWindow(sub);
                }
            QApplication::processEvents();
            const QPixmap pixmap = w->screen()->grabWindow(w->winId());
            if (!pixmap.save(shot)) {
                std::fprintf(stderr, "the screenshot could not be saved to %s\n", qPrintable(shot));
                ++failures;
            }
            g->MarkSaved();
            w->close();
            QApplication::quit();
        });
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
