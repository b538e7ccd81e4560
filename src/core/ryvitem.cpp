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

std::unique_ptr<TRyvItem> NewBreak(TDateTime start, TDateTime stop)
{
    auto e = std::make_unique<TRyvItem>();
    e->kind = ryvkPause;
    e->start = start;
    e->stop = stop;
    return e;
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
