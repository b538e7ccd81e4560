#include "platform/fontsetup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace ryv {

TFontSetUp::TFontSetUp()
{
    try {
        // fontconfig sets its configuration up once for every thread; a
        // caller that comes meanwhile reads it as well or waits for it.
        FThread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first text reads the fonts, as usual.
    }
}

TFontSetUp::~TFontSetUp()
{
    if (FThread.joinable())
        FThread.join();
}

} // namespace ryv
