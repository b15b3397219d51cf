#include "status_panel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent)
{
    // Panels show grammar names and run reports: plain text, whatever brackets they hold.
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void StatusPanel::SetLeastWidth(int pixels)
{
    leastWidth_ = std::max(0, pixels);
    updateGeometry();
}

int StatusPanel::textWidth() const
{
    const QMargins m = contentsMargins();
    return fontMetrics().horizontalAdvance(text()) + m.left() + m.right() + 2 * margin() + 4;
}

bool StatusPanel::Cut() const { return textWidth() > width(); }

QSize StatusPanel::sizeHint() const { return {std::max(textWidth(), leastWidth_), QLabel::sizeHint().height()}; }

QSize StatusPanel::minimumSizeHint() const { return {leastWidth_, QLabel::minimumSizeHint().height()}; }

bool StatusPanel::event(QEvent* event)
{
    // A cut text is read whole in the tool tip, above any tip of the panel's own.
    if (event->type() == QEvent::ToolTip && Cut()) {
        const QString own = toolTip();
        QString tip = text().toHtmlEscaped();
        if (!own.isEmpty()) tip += QStringLiteral("<br>") + own.toHtmlEscaped();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           QStringLiteral("<p style='white-space:pre'>") + tip + QStringLiteral("</p>"), this);
        return true;
    }
    return QLabel::event(event);
}

void StatusPanel::paintEvent(QPaintEvent* event)
{
    if (!Cut()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect r = contentsRect().adjusted(margin() + 2, 0, -margin() - 2, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}
