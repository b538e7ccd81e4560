#include "lang/shortcuttext.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(ShortCutText, ReadsTheLanguageFilesNotation)
{
    struct Case {
        const char* text;
        QKeyCombination expected;
    };
    const Case cases[] = {
        { "Ctrl+Enter", Qt::ControlModifier | Qt::Key_Enter },
        { "Enter", QKeyCombination(Qt::Key_Enter) },
        { "Ins", QKeyCombination(Qt::Key_Insert) },
        { "Ctrl+Ins", Qt::ControlModifier | Qt::Key_Insert },
        { "Del", QKeyCombination(Qt::Key_Delete) },
        { "BkSp", QKeyCombination(Qt::Key_Backspace) },
        { "Esc", QKeyCombination(Qt::Key_Escape) },
        { "PgUp", QKeyCombination(Qt::Key_PageUp) },
        { "PgDn", QKeyCombination(Qt::Key_PageDown) },
        { "Shift+Ctrl+Left", Qt::ShiftModifier | Qt::ControlModifier | Qt::Key_Left },
        { "ctrl+SHIFT+left", Qt::ShiftModifier | Qt::ControlModifier | Qt::Key_Left },
        { "Ctrl+Alt+Up", Qt::ControlModifier | Qt::AltModifier | Qt::Key_Up },
        { "Shift+Ctrl+Tab", Qt::ShiftModifier | Qt::ControlModifier | Qt::Key_Tab },
        { "Ctrl+Space", Qt::ControlModifier | Qt::Key_Space },
        { "Home", QKeyCombination(Qt::Key_Home) },
        { "End", QKeyCombination(Qt::Key_End) },
        { "Right", QKeyCombination(Qt::Key_Right) },
        { "Down", QKeyCombination(Qt::Key_Down) },
        { "Ctrl+N", Qt::ControlModifier | Qt::Key_N },
        { "ctrl+n", Qt::ControlModifier | Qt::Key_N },
        { "Alt+1", Qt::AltModifier | Qt::Key_1 },
        { "F2", QKeyCombination(Qt::Key_F2) },
        { "Alt+F4", Qt::AltModifier | Qt::Key_F4 },
        { "F24", QKeyCombination(Qt::Key_F24) },
        { "Ctrl+-", Qt::ControlModifier | Qt::Key_Minus },
        { "Ctrl++", Qt::ControlModifier | Qt::Key_Plus },
        { "  Ctrl+E  ", Qt::ControlModifier | Qt::Key_E },
        // Qt's own names are understood as well.
        { "Backspace", QKeyCombination(Qt::Key_Backspace) },
        { "Ctrl+PgDown", Qt::ControlModifier | Qt::Key_PageDown },
        { "Print", QKeyCombination(Qt::Key_Print) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QKeySequence> shortcut = ShortCutFromText(QString::fromUtf8(c.text));
        ASSERT_TRUE(shortcut.has_value());
        ASSERT_EQ(shortcut->count(), 1);
        EXPECT_EQ((*shortcut)[0], c.expected);
    }
}

TEST(ShortCutText, EmptyIsNoShortcutAndNonsenseIsRefused)
{
    EXPECT_EQ(ShortCutFromText(""), QKeySequence());
    EXPECT_EQ(ShortCutFromText("   "), QKeySequence());
    for (const char* text : { "Ctrl+", "Ctrl+Foo", "Hyper+X", "Ctrl+A+B", "F0", "F25", "F01",
             "Ctrl+A, Ctrl+B", "A,B", "Shift+", "Strg+N", "\t\n" }) {
        SCOPED_TRACE(text);
        if (QString::fromUtf8(text).trimmed().isEmpty())
            continue;
        EXPECT_FALSE(ShortCutFromText(QString::fromUtf8(text)).has_value());
    }
}

TEST(ShortCutText, WritesTheSameNotation)
{
    for (const char* text : { "Ctrl+Enter", "Ins", "Del", "BkSp", "Esc", "PgUp", "PgDn",
             "Shift+Ctrl+Left", "Ctrl+Alt+Down", "F2", "Ctrl+N", "Shift+Ctrl+C", "Ctrl+Space" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(
            ShortCutToText(*ShortCutFromText(QString::fromUtf8(text))), QString::fromUtf8(text));
    }
    EXPECT_EQ(ShortCutToText(QKeySequence(Qt::ControlModifier | Qt::Key_Return)), "Ctrl+Enter");
    EXPECT_EQ(ShortCutToText(QKeySequence()), QString());
}

} // namespace
} // namespace ryv
