#include "lang/langpath.h"

#include <QList>

#include <limits>

namespace ryv {

namespace {

TLangPathStep::TKind ParseIndex(QStringView text, int* index)
{
    if (text.isEmpty())
        return TLangPathStep::TKind::NoItem;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return TLangPathStep::TKind::NoItem;
        // Saturates instead of overflowing; no list has that many items.
        if (value <= std::numeric_limits<int>::max())
            value = value * 10 + (c.unicode() - u'0');
    }
    *index = value <= std::numeric_limits<int>::max() ? static_cast<int>(value) : -1;
    return TLangPathStep::TKind::Item;
}

} // namespace

std::optional<std::vector<TLangPathStep>> ParseLangPath(QStringView path, QString* error)
{
    auto fail = [&](const QString& reason) -> std::optional<std::vector<TLangPathStep>> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    std::vector<TLangPathStep> steps;
    for (const QStringView part : path.split(u'.')) {
        if (static_cast<int>(steps.size()) >= MaxLangPathSteps)
            return fail(QStringLiteral("The path has more than %1 steps").arg(MaxLangPathSteps));
        if (part.isEmpty())
            return fail(QStringLiteral("The path has an empty step"));
        TLangPathStep step;
        const qsizetype open = part.indexOf(u'[');
        const qsizetype close = part.indexOf(u']');
        if (open < 0 && close < 0) {
            step.name = part.toString();
        } else if (open <= 0 || close < open || close != part.size() - 1
            || part.indexOf(u'[', open + 1) >= 0) {
            return fail(QStringLiteral("Invalid path step '%1'").arg(part));
        } else {
            step.name = part.left(open).toString();
            step.kind = ParseIndex(part.mid(open + 1, close - open - 1), &step.index);
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

} // namespace ryv
