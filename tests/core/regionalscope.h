#pragma once

#include "core/regional.h"

namespace ryv {

// Runs a test under an explicit locale and gives the program back the
// system's regional settings afterwards.
class TRegionalScope final {
public:
    explicit TRegionalScope(const char* localeName)
    {
        SetRegional(QLocale(QString::fromLatin1(localeName)));
    }
    ~TRegionalScope() { SetRegional(QLocale::system()); }
    TRegionalScope(const TRegionalScope&) = delete;
    TRegionalScope& operator=(const TRegionalScope&) = delete;
};

} // namespace ryv
