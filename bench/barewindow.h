#pragma once

// The floor of the start-up: a bare Qt Widgets program that shows one main
// window of the program's first-start size and title, empty or with one line
// of text (a label with a date). Any window that shows text pays for the
// fonts (fontconfig's set-up, a font file, the glyphs) on its way to the
// first paint; the window with text is the floor of a program that shows
// text at all.

#include "ui/firstpaintwatch.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <functional>

enum class TBareWindow { Empty, WithText };

inline int RunBareWindow(
    int& argc, char* argv[], TBareWindow kind, const std::function<void(QWidget&)>& painted)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BareWindow"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    if (kind == TBareWindow::WithText)
        window.setCentralWidget(new QLabel(QStringLiteral("Thursday 10. December 2026"), &window));
    else
        window.setCentralWidget(new QWidget(&window));
    window.resize(488, 560);
    new ryv::TFirstPaintWatch(window, painted);
    window.show();
    return QApplication::exec();
}
