// Kelvantroc: the derivation trees of a C++ expression under three grammars.
//   Kelvantroc [--screenshot FILE]   with --screenshot: show the reduced tree of a sample
//                                    expression, save the window as a PNG image and quit.
#include <QApplication>

#include "form1.h"
#include "screenshot.h"

namespace {

// Answers every message at once, for a run that nobody watches.
struct Unattended : kelvantroc::MessagePresenter {
    kelvantroc::MessageReply Present(const kelvantroc::MessageRequest&) override { return {}; }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf("--screenshot");
    if (at < 0) {
        kelvantroc::Form1 window;
        window.show();
        return app.exec();
    }
    if (at + 1 >= args.size()) return 2;
    Unattended unattended;
    kelvantroc::Form1 window(&unattended);
    window.show();
    window.SetSourceText("f(a, b) + v[i] * 0.5");
    window.Command1_Click(6);
    return samples::SaveScreenshotAndQuit(app, window, args[at + 1]);
}
