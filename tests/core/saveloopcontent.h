#pragma once

// The two versions of the list files that saveloophelper writes in turn,
// shared with the crash-safety test that checks what is on disk.

#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitemlist.h"
#include "core/textfile.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ryv::saveloop {

// Large enough that a kill often lands in the middle of a write.
constexpr int EntryCount = 400;

inline QString Title(int version, int i)
{
    return QStringLiteral("Version %1, entry %2: Käyttöliittymä €").arg(version).arg(i);
}

inline TEntries DayEntries(int version)
{
    TEntries entries;
    for (int i = 0; i < EntryCount; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->start = EncodeDateTime(2022, 1, 7, 8, 0) + i * OneMinute;
        e->stop = e->start + OneMinute / 2;
        e->title = Title(version, i);
        e->descr = QStringLiteral("line one\nline two");
        entries.push_back(std::move(e));
    }
    return entries;
}

inline void FillList(int version, TRyvItemList& list)
{
    list.Clear();
    for (int i = 0; i < EntryCount; ++i)
        list.AddOrUpdate(Title(version, i), QStringLiteral("https://example.org/%1").arg(i), {});
}

inline std::vector<const TRyvItem*> Pointers(const TEntries& entries)
{
    std::vector<const TRyvItem*> p;
    for (const auto& e : entries)
        p.push_back(e.get());
    return p;
}

// The bytes of each file as a save of version writes them.
inline QByteArray DayFileBytes(int version)
{
    const TEntries entries = DayEntries(version);
    return EncodeText(DayFileText(Pointers(entries)), TTextEncoding::Utf8, true);
}
inline QByteArray ListFileBytes(int version)
{
    TRyvItemList list;
    FillList(version, list);
    return EncodeText(ListFileText(list), TTextEncoding::Utf8, true);
}

} // namespace ryv::saveloop
