#pragma once

// Tells once that a window has been painted: after its first paint event,
// when the painting of that update (the window's children included) is done
// and on screen. The program starts its desktop parts then, and the start-up
// measurements end there. Header-only and on Qt alone, so the bare window the
// start-up is measured against can use it without the program's libraries.

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

namespace ryv {

class TFirstPaintWatch final : public QObject {
public:
    // Owned by the window; the callback runs once, from the event loop.
    TFirstPaintWatch(QWidget& window, std::function<void(QWidget&)> painted)
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
                this, [this] { FPainted(FWindow); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& FWindow;
    std::function<void(QWidget&)> FPainted;
};

} // namespace ryv
