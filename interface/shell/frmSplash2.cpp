#include "frmSplash2.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "ui_services.h"

namespace {
const char* const kText = "Tamberlix";

// Nearest whole number, halves to the even one.
int nearest(double v) { return static_cast<int>(std::nearbyint(v)); }
} // namespace

frmSplash2::frmSplash2(QWidget* parent)
        : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash2"));
    setAttribute(Qt::WA_TranslucentBackground, false);
    timer_.setInterval(PassInterval);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (FadePass()) return;
        timer_.stop();
        repaint();
        if (closeWhenFaded_) close();
    });
}

int frmSplash2::NextFadeStep(int current, std::int64_t elapsedTotal)
{
    const std::int64_t ms = std::clamp<std::int64_t>(elapsedTotal, 0, 10000);
    const int target = nearest(255.0 * static_cast<double>(ms) / 1000.0);
    return current + std::clamp(target - current, 0, 10);
}

QRgb frmSplash2::RowColour(int k, int i)
{
    const int red = nearest((255.0 - i) * k / 255.0 + i);
    const int blue = nearest(k * static_cast<double>(i) / 255.0);
    return qRgb(std::clamp(red, 0, 255), std::clamp(k, 0, 255), std::clamp(blue, 0, 255));
}

void frmSplash2::Form_Load()
{
    QFont f(QStringLiteral("Times New Roman"), 80, QFont::Bold);
    f.setStyleHint(QFont::Serif);
    setFont(f);
    const QFontMetrics fm(f);
    const QString text = QString::fromLatin1(kText);
    const QSize size(std::max(1, fm.horizontalAdvance(text)), std::max(1, fm.height()));
    resize(size);

    // Only the letters remain visible and clickable.
    QBitmap mask(size);
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setFont(f);
        p.setPen(Qt::color1);
        p.drawText(QPoint(0, fm.ascent()), text);
    }
    setMask(mask);

    Canvas = QImage(size, QImage::Format_RGB32);
    Canvas.fill(palette().color(QPalette::Window));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - size.width()) / 2, s.top() + (s.height() - size.height()) / 2);
    }
    show();
    startFade();
    timer_.start();
}

void frmSplash2::startFade()
{
    Passes = 0;
    step_ = 0;
    painted_ = -1;
    stalled_ = 0;
    last_ = ui::Ui().tickCount();
    total_ = 0;
}

void frmSplash2::splashTail()
{
    timer_.stop();
    startFade();
    while (FadePass()) {}
    repaint();
}

bool frmSplash2::FadePass()
{
    if (FadeDone()) return false;
    ui::UiServices& u = ui::Ui();
    const int h = Canvas.height(), w = Canvas.width();
    // A window too low for the gradient's rows is left as it is, not divided by zero.
    const double step = (h - 44) / 255.0;
    if (step > 0 && step_ != painted_) {
        for (int y = RowsTop; y <= h - RowsBottomMargin && y < h; ++y) {
            const int k = static_cast<int>((y - RowsTop) / step);
            if (k < 1 || k > 255) continue;
            const QRgb c = RowColour(k, step_);
            auto* row = reinterpret_cast<QRgb*>(Canvas.scanLine(y));
            std::fill(row, row + w, c);
        }
        painted_ = step_;
    }
    update();
    ++Passes;
    // Only forward movement of the clock counts; one that stops or runs back adds nothing.
    const std::int64_t now = u.tickCount();
    if (now > last_) {
        total_ += now - last_;
        stalled_ = 0;
    } else {
        ++stalled_;
    }
    last_ = now;
    step_ = stalled_ >= StalledPassLimit ? FadeMax + 1 : NextFadeStep(step_, total_);
    return !FadeDone();
}

void frmSplash2::CloseWhenFaded()
{
    if (FadeDone()) {
        close();
        return;
    }
    closeWhenFaded_ = true;
}

void frmSplash2::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, Canvas);
}
