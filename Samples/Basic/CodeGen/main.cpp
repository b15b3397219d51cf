// Zentrav: a formula in, numbered three-address steps out.
//   Zentrav [--screenshot FILE]   with --screenshot: compile the formula shown, save the window
//                                 as a PNG image and quit.
#include <QApplication>

#include "form1.h"
#include "screenshot.h"

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
    return samples::SaveScreenshotAndQuit(app, window, file);
}
