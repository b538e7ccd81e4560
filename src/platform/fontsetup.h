#pragma once

#include <thread>

namespace ryv {

// Reads the desktop's font configuration (fontconfig: some hundred files of
// rules and the font caches, about 10 ms) on a thread of its own while the
// program connects to the display and builds its window, instead of on the
// way to the first paint, where the first text measured would wait for it.
// Later calls of fontconfig, Qt's included, find it read. Made before the
// application object; waits for the thread when it goes.
class TFontSetUp final {
public:
    TFontSetUp();
    ~TFontSetUp();
    TFontSetUp(const TFontSetUp&) = delete;
    TFontSetUp& operator=(const TFontSetUp&) = delete;

private:
    std::thread FThread;
};

} // namespace ryv
