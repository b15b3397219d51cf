// The start-up splash: the product's name in large letters, the window shaped by the letters,
// centred on the screen, its letters filled with a colour gradient that fades in.
#pragma once

#include <QImage>
#include <QWidget>

class frmSplash2 final : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash2(QWidget* parent = nullptr);

    static constexpr int FadeMax = 255;
    static constexpr int RowsTop = 24, RowsBottomMargin = 20;

    // Shapes, places and shows the window, then runs the fade to its end.
    void Form_Load();
    // The fade; returns when the last step has been painted.
    void splashTail();

    // The fade's next step after a pass: 255 steps a second of the time the fade has taken so
    // far (so passes shorter than the clock's resolution still add up), at most ten a pass.
    static int NextFadeStep(int current, std::int64_t elapsedTotal);
    // Passes in a row without the clock moving after which the fade ends: a stopped clock must
    // not hold up the start.
    static constexpr int StalledPassLimit = 100000;
    // The colour of a row at gradient row k (1 to 255) and fade step i.
    static QRgb RowColour(int k, int i);

    int Passes = 0;          // passes of the last fade
    QImage Canvas;           // what the window shows

protected:
    void paintEvent(QPaintEvent* event) override;
};
