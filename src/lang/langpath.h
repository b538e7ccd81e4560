#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace ryv {

// One step of a property entry's path ("lvList", "Columns[2]", "Lines").
struct TLangPathStep {
    enum class TKind {
        Object, // a name: a component or an object-valued property
        Item, // name[number]: an item of a collection
        NoItem, // name[x] where x is no non-negative number: selects nothing new
    };
    QString name;
    TKind kind = TKind::Object;
    // For Item: the index; -1 when the number is too large for any list.
    int index = -1;
};

// A path is short in every real file; anything longer is refused, so a
// hostile file cannot make the walk costly.
inline constexpr int MaxLangPathSteps = 32;

// Splits the path part of a property entry at its dots. Nothing, with the
// reason, for an empty step, a "[" without "]", a "]" without "[", text after
// the "]", a bracket without a name before it or too many steps.
std::optional<std::vector<TLangPathStep>> ParseLangPath(QStringView path, QString* error);

} // namespace ryv
