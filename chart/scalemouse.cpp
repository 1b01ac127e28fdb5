// TScale as a widget of its own: the toolkit's mouse and context-menu events.

#include "chart/scale.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace chart {

void TScale::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        FClickPending = true;
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TScale::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
    // A click is a left press and release that both fall on the scale.
    if (event->button() == Qt::LeftButton && FClickPending) {
        FClickPending = false;
        if (rect().contains(p) && OnClick)
            OnClick(this);
    }
}

void TScale::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    mousePressEvent(event);
}

void TScale::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), p.x(), p.y());
}

void TScale::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, event->pos(), handled);
    if (handled)
        event->accept();
    else
        QWidget::contextMenuEvent(event);
}

} // namespace chart
