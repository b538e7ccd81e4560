#pragma once

#include "core/fakeports.h"
#include "qtprint.h"
#include "suggest/suggestsources.h"

#include <stdexcept>

namespace ryv::test {

class TFakeWindows final : public IWindowSource {
public:
    std::vector<TOpenWindow> OpenWindows() override
    {
        ++calls;
        if (fail)
            throw std::runtime_error("window list failed");
        return windows;
    }
    std::vector<TOpenWindow> windows;
    bool fail = false;
    int calls = 0;
};

class TFakeHistory final : public IBrowserHistory {
public:
    std::vector<TBrowserVisit> RecentVisits(TDateTime sinceTime) override
    {
        since = sinceTime;
        return visits;
    }
    std::vector<TBrowserVisit> visits;
    TDateTime since = 0;
};

inline TOpenWindow Window(
    const char* caption, const char* program, const char* name = "", bool withIcon = false)
{
    TOpenWindow w;
    w.caption = QString::fromUtf8(caption);
    w.programPath = QString::fromUtf8(program);
    w.programName = QString::fromUtf8(name);
    if (withIcon) {
        w.icon = QImage(16, 16, QImage::Format_ARGB32);
        w.icon.fill(Qt::red);
    }
    return w;
}

} // namespace ryv::test
