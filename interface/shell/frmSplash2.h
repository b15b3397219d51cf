// The start-up splash: the product's name in large letters, the window shaped by the letters,
// centred on the screen, its letters filled with a colour gradient that fades in.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>

class frmSplash2 final : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash2(QWidget* parent = nullptr);

    static constexpr int FadeMax = 255;
    static constexpr int RowsTop = 24, RowsBottomMargin = 20;

    // Shapes, places and shows the window and starts the fade, which goes on on a timer while
    // start-up runs.
    void Form_Load();
    // The whole fade from its start at once; returns when the last step has been painted.
    void splashTail();
    // One pass of the fade; false once the last step has been painted.
    bool FadePass();
    bool FadeDone() const { return step_ > FadeMax; }
    // Start-up is done: the window closes as soon as the fade has ended.
    void CloseWhenFaded();
    // Milliseconds between two passes on the timer.
    static constexpr int PassInterval = 15;

    // The fade's next step after a pass: 255 steps a second of the time the fade has taken so
    // far (so passes shorter than the clock's resolution still add up), at most ten a pass.
    static int NextFadeStep(int current, std::int64_t elapsedTotal);
    // Passes in a row without the clock moving after which the fade ends: a stopped clock must
    // not hold up the start.
    static constexpr int StalledPassLimit = 100000;
    // The colour of a row at gradient row k (1 to 255) and fade step i.
    static QRgb RowColour(int k, int i);

    int Passes = 0; // passes of the last fade
    QImage Canvas; // what the window shows

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void startFade();

    QTimer timer_;
    int step_ = FadeMax + 1, painted_ = -1, stalled_ = 0;
    std::int64_t last_ = 0, total_ = 0;
    bool closeWhenFaded_ = false;
};
