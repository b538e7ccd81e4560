#pragma once

#include "core/datetime.h"

namespace ryv {

class TRyvItem;
class TSuggestList;
struct TSuggestSources;

// Pages visited within this time before now are suggested on their own.
constexpr TDateTime RecentPageAge = 600 * OneSecond;
// Older visits, back to this age, only give an open browser window whose
// caption is the page's title its link: the tab on show was often opened
// long before.
constexpr TDateTime WindowPageAge = 1.0; // a day

// Appends the suggestions of every source to list, in this order: previous
// (when given, as "Recently used"), the open windows front to back, the
// favourites, the pages of the last ten minutes, the recent tasks newest
// first, the clipboard's text. Sources are not de-duplicated against each
// other. An error ends the gathering quietly; what was added stays.
void GatherSuggestions(
    TSuggestList& list, const TRyvItem* previous, const TSuggestSources& sources);

} // namespace ryv
