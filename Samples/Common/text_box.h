#pragma once
// A dialog whose read-only text box takes the size of its text, up to a bound within the screen;
// beyond it the text scrolls.

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <algorithm>

namespace samples {

// The available part of the screen that `owner` is on, or of the primary screen.
inline QRect ScreenOf(const QWidget* owner)
{
    QScreen* on = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    return on ? on->availableGeometry() : QRect(0, 0, 800, 600);
}

// Sizes `box` to its text, at most 9/10 of the screen's width and half its height, and the dialog
// around it. The person may make the dialog larger, and smaller where the text scrolls.
inline void FitToText(QDialog& dialog, QPlainTextEdit& box, const QRect& screen)
{
    const QFontMetrics metrics(box.font());
    int widest = 0;
    int lines = 0;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next(), ++lines)
        widest = std::max(widest, metrics.horizontalAdvance(b.text()));
    // The document's margins, the frame, and the cursor's room at the end of the widest line.
    const int margins =
        2 * static_cast<int>(box.document()->documentMargin()) + 2 * box.frameWidth() + metrics.averageCharWidth();
    const int scrollBar = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int maxWidth = screen.width() * 9 / 10, maxHeight = screen.height() / 2;
    // Half a line to spare: the box shows a scroll bar as soon as its last line is cut at all.
    int width = widest + margins,
        height = std::max(lines, 1) * metrics.lineSpacing() + metrics.lineSpacing() / 2 + margins;
    const bool across = width > maxWidth, down = height > maxHeight;
    if (across) {
        width = maxWidth;
        height += scrollBar;
    }
    if (down) {
        height = maxHeight;
        width = std::min(width + scrollBar, maxWidth);
    }
    // A bar only where the text is cut: the box's own guess may show one a pixel too soon.
    box.setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    box.setVerticalScrollBarPolicy(down ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    box.setFixedSize(width, height);
    dialog.adjustSize();
    // Smaller only where a scroll bar reaches the rest.
    box.setMinimumSize(across ? 0 : width, down ? 0 : height);
    box.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    box.horizontalScrollBar()->setValue(0);
}

} // namespace samples
