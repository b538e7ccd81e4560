#include "ui/guardedplaintextedit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Text on the clipboard pastes as in any text field; data without text
// (here: none at all) leaves the field as it was.
TEST(GuardedPlainTextEdit, PastesTextIgnoresDataWithoutText)
{
    TGuardedPlainTextEdit field;
    field.setPlainText(QStringLiteral("a"));
    field.moveCursor(QTextCursor::End);

    QApplication::clipboard()->setText(QStringLiteral("b\nc"));
    EXPECT_TRUE(field.canPaste());
    field.paste();
    EXPECT_EQ(field.toPlainText(), QStringLiteral("ab\nc"));

    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QApplication::clipboard()->setMimeData(image);
    EXPECT_FALSE(field.canPaste());
    field.paste();
    QApplication::clipboard()->setMimeData(new QMimeData);
    field.paste();
    EXPECT_EQ(field.toPlainText(), QStringLiteral("ab\nc"));
}

} // namespace
} // namespace ryv
