// Kelvantroc with long sources: a one-line source put into the source box and shown, and a long
// sum parsed with its tree shown. Medians of five runs, in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "form1.h"

namespace {

struct Unattended : kelvantroc::MessagePresenter {
    kelvantroc::MessageReply Present(const kelvantroc::MessageRequest&) override { return {}; }
};

double Median(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Unattended unattended;
    kelvantroc::Form1 w(&unattended);
    w.show();
    QApplication::processEvents();

    const struct {
        const char* what;
        std::string text;
    } sources[] = {
        {"200 KB of one word", std::string(200000, 'c')},
        {"846 KB of a + a + ...", [] {
             std::string s;
             while (s.size() < 846000) s += "a + ";
             return s;
         }()},
    };
    for (const auto& s : sources) {
        const double ms = Median([&] {
            w.Source[0]->clear();
            QApplication::processEvents();
            w.SetSourceText(s.text);
            QApplication::processEvents();
        });
        std::printf("source box, %-24s %9.1f ms\n", s.what, ms);
    }

    std::string sum = "a";
    for (int i = 0; i < 4000; ++i) sum += " + a";
    w.SetSourceText(sum);
    const double ms = Median([&] {
        w.Command1[7]->click();
        QApplication::processEvents();
    });
    std::printf("full C++ tree of a 4,001-term sum %9.1f ms\n", ms);
    return 0;
}
