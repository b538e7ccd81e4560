#include "core/csvreader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

QString Show(const TCsvTable& t)
{
    QStringList rows;
    for (const QStringList& r : t)
        rows << QLatin1Char('[') + r.join(QLatin1Char('|')) + QLatin1Char(']');
    QString s = rows.join(QString());
    s.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return s;
}

struct ParseCase {
    const char* name;
    const char* text;
    const char* table; // rows as [a|b], line breaks as \r and \n
};

TEST(CsvParse, TableOfCases)
{
    const ParseCase cases[] = {
        { "plain", "a;b\r\nc;d", "[a|b][c|d]" },
        { "line break at the end adds no row", "a;b\r\nc;d\r\n", "[a|b][c|d]" },
        { "empty line inside gives one empty field", "a;b\r\n\r\nc;d", "[a|b][|][c|d]" },
        { "short rows are filled up", "a;b;c\r\nd", "[a|b|c][d||]" },
        { "lone CR ends a row", "a\rb", "[a][b]" },
        { "lone LF ends a row", "kind;x\nline;1\n", "[kind|x][line|1]" },
        { "quoted delimiter and quotes", "\"x;y\";\"say \"\"hi\"\"\"", "[x;y|say \"hi\"]" },
        { "CR LF inside quotes reads as LF", "\"one\r\ntwo\";z", "[one\\ntwo|z]" },
        { "lone LF inside quotes is kept", "\"one\ntwo\";z\r\nn;m", "[one\\ntwo|z][n|m]" },
        { "lone CR inside quotes is kept", "\"one\rtwo\"", "[one\\rtwo]" },
        { "a quote not before a delimiter or line end is text", "\"ab\"cd\";e", "[ab\"cd|e]" },
        { "stray quote in a title keeps the next lines",
            "\"Stray \"quote\";\"u\";\"d\"\r\n\"next\";\"\";\"\"", "[Stray \"quote|u|d][next||]" },
        { "blanks after the closing quote are dropped", "\"ab\"  ;c\r\n\"x\" ", "[ab|c][x|]" },
        { "quote inside a field that is not quoted", "ab\"c;d\r\ne;f", "[ab\"c|d][e|f]" },
        { "doubled quote before the delimiter", "\"a\"\"\";b", "[a\"|b]" },
        { "quoted field holding only a doubled quote", "\"\"\"\";b", "[\"|b]" },
        { "unclosed quote takes the rest", "\"ab;c", "[ab;c]" },
        { "a stray quote does not close", "\"ab\"cd;e", "[ab\"cd;e]" },
        { "blanks kept outside quotes", " a ; \"b\" ", "[ a | \"b\" ]" },
        { "empty quoted field", "\"\";x", "[|x]" },
        { "tabs and other control chars dropped", "a\tb;c\x01", "[ab|c]" },
        { "empty fields", ";;", "[||]" },
        { "trailing lone CR keeps the last row", "a;b\rc;d\r", "[a|b][c|d]" },
        { "only a line break", "\r\n", "[]" },
        { "only a CR", "\r", "" },
        { "comma delimiter", "\"a,b\",c", "[a,b|c]" },
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCsvTable t;
        const QChar delim = QString::fromLatin1(c.name).startsWith(QLatin1String("comma"))
            ? QLatin1Char(',')
            : QLatin1Char(';');
        EXPECT_TRUE(ParseCsvText(QString::fromUtf8(c.text), QLatin1Char('"'), delim, t));
        EXPECT_EQ(Show(t), QString::fromUtf8(c.table));
    }
}

TEST(CsvParse, UnclosedQuote_TellsRowAndLine)
{
    TCsvTable t;
    TCsvParseInfo info;
    ASSERT_TRUE(ParseCsvText(QStringLiteral("\"a\";\"b\"\r\n\"two\r\nlines\";x\r\n\"open;x\r\ny;z"),
        QLatin1Char('"'), QLatin1Char(';'), t, &info));
    EXPECT_EQ(t.size(), 3);
    EXPECT_EQ(info.unclosedRow, 2);
    EXPECT_EQ(info.unclosedLine, 4);

    ASSERT_TRUE(ParseCsvText(
        QStringLiteral("\"a\";\"b\"\r\n"), QLatin1Char('"'), QLatin1Char(';'), t, &info));
    EXPECT_EQ(info.unclosedRow, -1);
}

TEST(CsvParse, EmptyTextFails)
{
    TCsvTable t { QStringList { QStringLiteral("stale") } };
    EXPECT_FALSE(ParseCsvText(QString(), QLatin1Char('"'), QLatin1Char(';'), t));
    EXPECT_TRUE(t.isEmpty());
}

TEST(CsvReadFile, EmptyMissingOrMarkOnly_FailWithReasonNamingTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString markOnly = dir.filePath(QStringLiteral("mark.lst"));
    const QString empty = dir.filePath(QStringLiteral("empty.lst"));
    for (const auto& [path, bytes] :
        { std::pair { markOnly, QByteArray("\xEF\xBB\xBF") }, std::pair { empty, QByteArray() } }) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    for (const QString& path : { markOnly, empty, dir.filePath(QStringLiteral("missing.lst")) }) {
        SCOPED_TRACE(path.toStdString());
        TCsvTable t;
        QString reason = QStringLiteral("stale");
        EXPECT_FALSE(ReadCsvFile(path, 1 << 20, QLatin1Char('"'), QLatin1Char(';'), t, &reason));
        EXPECT_TRUE(reason.contains(path)) << reason.toStdString();
    }
}

// A file that ends inside a quoted text fails with a reason naming the file
// and the line; the rows before that text are good and are kept.
TEST(CsvReadFile, UnclosedQuote_FailsKeepingTheRowsBefore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("favorites.lst"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"title\";\"url\"\r\n\"A\";\"\"\r\n\"B\r\nC;D");
    f.close();
    TCsvTable t;
    QString reason;
    EXPECT_FALSE(ReadCsvFile(path, 1 << 20, QLatin1Char('"'), QLatin1Char(';'), t, &reason));
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[1], (QStringList { QStringLiteral("A"), QString() }));
    EXPECT_TRUE(reason.contains(path)) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("line 3"))) << reason.toStdString();
}

TEST(CsvReadFile, DecodesMarkedUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.lst"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF\"title\";\"url\"\r\n\"Caf\xC3\xA9\";\"\"");
    f.close();
    TCsvTable t;
    QString reason;
    ASSERT_TRUE(ReadCsvFile(path, 1 << 20, QLatin1Char('"'), QLatin1Char(';'), t, &reason));
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0], (QStringList { QStringLiteral("title"), QStringLiteral("url") }));
    EXPECT_EQ(t[1], (QStringList { QStringLiteral("Café"), QString() }));
}

} // namespace
} // namespace ryv
