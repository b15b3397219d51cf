// One panel of the main window's status bar: a plain-text label that asks for room for its
// whole text, and when the bar cannot give it, shows the start with "..." and the whole text
// in its tool tip.
#pragma once

#include <QLabel>

class StatusPanel final : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // The width the panel keeps however little room there is.
    void SetLeastWidth(int pixels);
    // True when the text is wider than the panel shows.
    bool Cut() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int textWidth() const;
    int leastWidth_ = 0;
};
