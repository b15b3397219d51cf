// Under a real X server: a grammar is built in the program, its result documents and grids are
// shown beside the grammar window, and a screenshot is saved. Exit code 0 when the windows are
// all there and visible.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "frmDocument.h"
#include "frmGrammar.h"
#include "frmGrid.h"
#include "frmMain.h"
#include "workspace_state.h"
#include "module_main.h"
#include "settings.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s screenshot.png\n", argv[0]);
        return 2;
    }
    const QString shot = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }
    frmMain* w = ModuleMain::Main({});
    QDir::setCurrent(store.path());
    ModuleMain::UntitledWorkFolder = store.path();
    int failures = 0;
    QTimer::singleShot(300, [&] {
        frmGrammar* g = ModuleMain::ActiveGrammar;
        if (!g) {
            std::fprintf(stderr, "no grammar window\n");
            ++failures;
            QApplication::quit();
            return;
        }
        g->LoadFileBytes("<E> ::= <T> <E'>\n<E'> ::= + <T> <E'> |\n<T> ::= <F> <T'>\n"
                         "<T'> ::= * <F> <T'> |\n<F> ::= ( <E> ) | i\n");
        g->MarkSaved();
        w->tbToolBar_ButtonClick("Build");
        // The grammar window, the Begins-With grid and the parser code side by side.
        const auto sub = [](QWidget* x) { return x ? qobject_cast<QMdiSubWindow*>(x->parentWidget()) : nullptr; };
        frmGrid* grid = nullptr;
        for (frmGrid* x : g->Grids())
            if (x->windowTitle().endsWith("Begins-With")) grid = x;
        const QRect area = w->MdiArea()->viewport()->rect();
        const int third = area.width() / 3;
        if (QMdiSubWindow* s = g->subWindow()) {
            s->setGeometry(0, 0, third, area.height());
            s->raise();
        }
        if (QMdiSubWindow* s = sub(grid)) {
            s->setGeometry(third, 0, third, area.height());
            s->raise();
        }
        if (QMdiSubWindow* s = sub(g->frmParser)) {
            s->setGeometry(2 * third, 0, area.width() - 2 * third, area.height());
            s->raise();
        }
        QTimer::singleShot(500, [&, g, grid] {
            QApplication::processEvents();
            const QPixmap pixmap = w->screen()->grabWindow(w->winId());
            if (!pixmap.save(shot)) {
                std::fprintf(stderr, "the screenshot could not be saved to %s\n", qPrintable(shot));
                ++failures;
            }
            const auto visible = [](QWidget* x) { return x && x->isVisible(); };
            const size_t documents = g->Documents().size(), grids = g->Grids().size();
            std::printf("grammar \"%s\": %zu documents, %zu grids, parser %s, grid %s\n", qPrintable(g->GrammarName),
                        documents, grids, visible(g->frmParser) ? "shown" : "missing", visible(grid) ? "shown" : "missing");
            if (g->GrammarName != "E" || documents != 5 || grids != 3) ++failures;
            if (!visible(g) || !visible(grid) || !visible(g->frmParser)) ++failures;
            for (frmDocument* d : g->Documents())
                if (!visible(d)) ++failures;
            g->MarkSaved();
            w->close();
            QApplication::quit();
        });
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
