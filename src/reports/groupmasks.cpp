#include "reports/groupmasks.h"

#include "core/texthelpers.h"

namespace ryv {

namespace {

QString TrimTrailingBlanks(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1).unicode() <= 0x20)
        --n;
    return text.left(n);
}

} // namespace

TGroupEntry SplitGroupEntry(const QString& entry)
{
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    return { entry.left(eq), entry.mid(eq + 1) };
}

QString JoinGroupEntry(const QString& name, const QString& mask)
{
    return name + QLatin1Char('=') + mask;
}

TGroupMasks::TGroupMasks(const QStringList& groupMasks)
{
    FGroups.reserve(static_cast<size_t>(groupMasks.size()));
    for (const QString& entry : groupMasks) {
        const TGroupEntry g = SplitGroupEntry(entry);
        const QString trimmed = TrimTrailingBlanks(g.mask);
        QStringList pieces;
        SplitDelimited(g.mask, QLatin1Char('*'), pieces);
        pieces.removeAll(QString());
        FGroups.push_back({ g.name, TFileMask(trimmed), pieces, !trimmed.isEmpty() });
    }
}

bool TGroupMasks::Apply(const QString& title, QString& result, QString* errorText) const
{
    for (const TGroup& group : FGroups) {
        if (!group.active)
            continue;
        if (!group.mask.IsValid()) {
            if (errorText)
                *errorText = group.mask.ErrorText();
            return false;
        }
        if (!group.mask.Matches(title))
            continue;
        QString rest = title;
        for (const QString& piece : group.pieces) {
            const qsizetype at = rest.indexOf(piece, 0, Qt::CaseInsensitive);
            if (at >= 0)
                rest.remove(at, piece.size());
        }
        result = group.name + QStringLiteral(" - ") + rest;
        return true;
    }
    result = title;
    return true;
}

bool ApplyGroupMasks(
    const QStringList& groupMasks, const QString& title, QString& result, QString* errorText)
{
    return TGroupMasks(groupMasks).Apply(title, result, errorText);
}

} // namespace ryv
