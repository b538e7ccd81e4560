#include "core/ryvitem.h"

namespace ryv {

void TRyvItem::Clear()
{
    kind = ryvkTask;
    start = 0;
    stop = 0;
    state = ryvsNone;
    title.clear();
    url.clear();
    descr.clear();
}

void TRyvItem::Assign(const TRyvItem* source)
{
    if (!source) {
        Clear();
        return;
    }
    *this = *source;
}

} // namespace ryv
