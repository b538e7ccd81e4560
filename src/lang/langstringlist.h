#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace ryv {

// The items of a string list from a property entry's value, by the entry's
// pseudo-property (case ignored): "TEXT" one item per line (a final line
// break adds no empty item), "COMMATEXT" and "DELIMITEDTEXT" items separated
// by commas (string lists on Qt's side have no delimiter of their own).
// Nothing for any other name.
std::optional<QStringList> StringListFromText(const QString& pseudoProperty, const QString& value);

// Splits delimited text the way string lists always have: items are
// separated by the delimiter or, outside quotes, by blanks and control
// characters; an item in double quotes may hold both, and "" in it stands for
// one quote; a delimiter at the very end adds an empty item.
QStringList SplitDelimitedText(const QString& text, QChar delimiter = u',');

} // namespace ryv
