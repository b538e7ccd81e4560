#pragma once

// Start-up measurements end at the first paint of a window: once its first
// paint event has been handled and the painting of that update (children
// included) is done, the callback runs from the event loop.

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

class TFirstPaintCallback final : public QObject {
public:
    TFirstPaintCallback(QWidget& window, std::function<void()> painted)
        : QObject(&window)
        , FWindow(window)
        , FPainted(std::move(painted))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &FWindow && event->type() == QEvent::Paint) {
            FWindow.removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { FPainted(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& FWindow;
    std::function<void()> FPainted;
};
