#include "lang/shortcuttext.h"

namespace ryv {

namespace {

struct TKeyName {
    const char* name;
    Qt::Key key;
};

constexpr TKeyName KeyNames[] = {
    { "BkSp", Qt::Key_Backspace },
    { "Tab", Qt::Key_Tab },
    { "Esc", Qt::Key_Escape },
    { "Enter", Qt::Key_Enter },
    { "Space", Qt::Key_Space },
    { "PgUp", Qt::Key_PageUp },
    { "PgDn", Qt::Key_PageDown },
    { "End", Qt::Key_End },
    { "Home", Qt::Key_Home },
    { "Left", Qt::Key_Left },
    { "Up", Qt::Key_Up },
    { "Right", Qt::Key_Right },
    { "Down", Qt::Key_Down },
    { "Ins", Qt::Key_Insert },
    { "Del", Qt::Key_Delete },
};

struct TModifierName {
    const char* name;
    Qt::KeyboardModifier modifier;
};

// In the order shortcut texts are written.
constexpr TModifierName ModifierNames[] = {
    { "Shift+", Qt::ShiftModifier },
    { "Ctrl+", Qt::ControlModifier },
    { "Alt+", Qt::AltModifier },
};

std::optional<Qt::Key> KeyFromName(const QString& name)
{
    for (const TKeyName& k : KeyNames) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.key;
    }
    if (name.size() == 1) {
        const QChar c = name[0].toUpper();
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            return static_cast<Qt::Key>(c.unicode());
    }
    if (name.size() >= 2 && (name[0] == u'F' || name[0] == u'f') && name[1].isDigit()) {
        bool ok = false;
        const int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 24 && name[1] != u'0')
            return static_cast<Qt::Key>(Qt::Key_F1 + n - 1);
        return std::nullopt;
    }
    // Qt's own names and the symbol keys. Anything with a "+" or "," left
    // would be a second modifier or a second key: not one key.
    if (name.size() > 1 && (name.contains(u'+') || name.contains(u',')))
        return std::nullopt;
    const QKeySequence parsed = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (parsed.count() != 1)
        return std::nullopt;
    const QKeyCombination combination = parsed[0];
    if (combination.keyboardModifiers() != Qt::NoModifier || combination.key() == Qt::Key_unknown
        || combination.key() == 0)
        return std::nullopt;
    return combination.key();
}

} // namespace

std::optional<QKeySequence> ShortCutFromText(const QString& text)
{
    QString rest = text.trimmed();
    if (rest.isEmpty())
        return QKeySequence();
    Qt::KeyboardModifiers modifiers;
    for (bool found = true; found && rest.size() > 1;) {
        found = false;
        for (const TModifierName& m : ModifierNames) {
            const QLatin1String name(m.name);
            if (rest.size() > name.size() && rest.startsWith(name, Qt::CaseInsensitive)) {
                modifiers |= m.modifier;
                rest.remove(0, name.size());
                found = true;
            }
        }
    }
    const std::optional<Qt::Key> key = KeyFromName(rest);
    if (!key)
        return std::nullopt;
    return QKeySequence(QKeyCombination(modifiers, *key));
}

QString ShortCutToText(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return {};
    const QKeyCombination combination = shortcut[0];
    QString text;
    for (const TModifierName& m : ModifierNames) {
        if (combination.keyboardModifiers() & m.modifier)
            text += QLatin1String(m.name);
    }
    for (const TKeyName& k : KeyNames) {
        if (combination.key() == k.key)
            return text + QLatin1String(k.name);
    }
    if (combination.key() == Qt::Key_Return)
        return text + QStringLiteral("Enter");
    return text + QKeySequence(combination.key()).toString(QKeySequence::PortableText);
}

} // namespace ryv
