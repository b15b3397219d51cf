// Under a real X server: the options dialog (its first and last page) and the About box are
// shown over the main window and screenshots of them are saved. Exit code 0 when every picture
// was saved and shows more than one colour.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <set>

#include "frmAbout.h"
#include "frmGrammar.h"
#include "frmMain.h"
#include "frmOptions.h"
#include "modal.h"
#include "module_main.h"
#include "settings.h"

namespace {

int failures = 0;

void waitExposed(QWidget* w)
{
    QElapsedTimer waited;
    waited.start();
    while ((!w->windowHandle() || !w->windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    // Let the first paint finish.
    for (int k = 0; k < 10; ++k) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void shoot(QWidget* w, const QString& file)
{
    const QPixmap pixmap = w->screen()->grabWindow(w->winId());
    const QImage image = pixmap.toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 3; y += 7)
        for (int x = 0; x < image.width() && colours.size() < 3; x += 7) colours.insert(image.pixel(x, y));
    const bool saved = pixmap.save(file);
    std::printf("%s: %dx%d, %s\n", qPrintable(file), pixmap.width(), pixmap.height(), saved ? "saved" : "NOT saved");
    if (!saved || colours.size() < 2) ++failures;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder-for-screenshots\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }

    auto modal = std::make_unique<dialogs::ScriptedModal>();
    modal->script = [&folder](QDialog& d) {
        d.show();
        waitExposed(&d);
        if (auto* options = qobject_cast<frmOptions*>(&d)) {
            shoot(&d, folder + "/tamberlix_options.png");
            options->tbsOptions->setCurrentIndex(options->tbsOptions->count() - 1);
            waitExposed(&d);
            shoot(&d, folder + "/tamberlix_options_fonts.png");
            options->cmdCancel_Click();
        } else if (auto* about = qobject_cast<frmAbout*>(&d)) {
            shoot(&d, folder + "/tamberlix_about.png");
            about->cmdOK_Click();
        }
    };
    dialogs::SetModalRunner(std::move(modal));

    frmMain* w = ModuleMain::Main({});
    waitExposed(w);
    w->mnuToolsOptions_Click();
    w->mnuHelpAbout_Click();
    if (ModuleMain::ActiveGrammar) ModuleMain::ActiveGrammar->MarkSaved();
    w->close();
    dialogs::SetModalRunner(nullptr);
    return failures == 0 ? 0 : 1;
}
