// Zentrav: a formula in, numbered three-address steps out.
//   Zentrav [--screenshot FILE]   with --screenshot: compile the formula shown, save the window
//                                 as a PNG image and quit.
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zentrav::Form1 window;
    window.show();
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf("--screenshot");
    if (at < 0) return app.exec();
    if (at + 1 >= args.size()) return 2;
    const QString file = args[at + 1];
    window.SetErrorShower([](QWidget*, const QString&) {});
    window.Command1_Click();
    int status = 1;
    QTimer::singleShot(300, [&] {
        status = window.grab().save(file, "PNG") ? 0 : 1;
        app.quit();
    });
    app.exec();
    return status;
}
