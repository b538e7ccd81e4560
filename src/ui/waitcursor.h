#pragma once

#include "reports/reportports.h"

namespace ryv {

// The busy cursor over the whole program while an export is written.
class TWaitCursor final : public IBusyCursor {
public:
    void Begin() override;
    void End() override;

private:
    int FDepth = 0;
};

} // namespace ryv
