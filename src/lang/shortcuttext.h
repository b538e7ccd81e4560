#pragma once

#include <QKeySequence>
#include <QString>

#include <optional>

namespace ryv {

// Shortcut texts as language files write them: modifiers "Shift+", "Ctrl+"
// and "Alt+" (any order, case ignored) before one key, named as "BkSp",
// "Tab", "Esc", "Enter", "Space", "PgUp", "PgDn", "End", "Home", "Left",
// "Up", "Right", "Down", "Ins", "Del", "F1".."F24", a letter, a digit or a
// symbol; Qt's own key names ("Backspace", "PgDown", "Print") are understood
// too. "Enter" is the Return key, which the windows treat as one key with
// the keypad's Enter. An empty text is no shortcut; nothing for a text that
// names no key.
std::optional<QKeySequence> ShortCutFromText(const QString& text);

// The text of a single-key shortcut in the same notation ("Shift+Ctrl+Left");
// empty for no shortcut.
QString ShortCutToText(const QKeySequence& shortcut);

} // namespace ryv
