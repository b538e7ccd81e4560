#pragma once

#include "reports/filemask.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

// One entry of TRyvOptions::GroupMasks, "name=mask": the name is the part
// before the first "=", the mask the rest. An entry without "=" has neither.
struct TGroupEntry final {
    QString name;
    QString mask;
};
TGroupEntry SplitGroupEntry(const QString& entry);
QString JoinGroupEntry(const QString& name, const QString& mask);

// The groups of the options, parsed once for a report or a list of
// suggestions. A title that matches a group's mask is renamed to the group's
// name, " - " and what remains of the title once the mask's literal pieces
// are taken out of it; the first matching group, in list order, wins.
class TGroupMasks final {
public:
    explicit TGroupMasks(const QStringList& groupMasks);

    // The renamed title, or title unchanged when no group matches. Returns
    // false with the error text when the first group whose mask the title is
    // tested against is invalid (an unclosed "["); groups after a matching
    // one are never looked at, so their faults do not count.
    bool Apply(const QString& title, QString& result, QString* errorText = nullptr) const;

private:
    struct TGroup {
        QString name;
        TFileMask mask; // trailing blanks and control characters cut off
        QStringList pieces; // the stored mask split at "*", empty pieces left out
        bool active = false; // false for a mask of blanks only
    };
    std::vector<TGroup> FGroups;
};

// ApplyGroupMasks of the options' groups to one title. Parses the masks on
// every call: for many titles keep a TGroupMasks instead.
bool ApplyGroupMasks(const QStringList& groupMasks, const QString& title, QString& result,
    QString* errorText = nullptr);

} // namespace ryv
