#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace ryv {
namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
    TTextEncoding encoding;
    bool withMark;
};

TEST(TextFileDecode, ByMarkOrContent)
{
    const DecodeCase cases[] = {
        { "utf8 mark",
            QByteArray("\xEF\xBB\xBF"
                       "caf\xC3\xA9"),
            u"café"_qs, TTextEncoding::Utf8, true },
        { "utf16le mark",
            QByteArray("\xFF\xFE"
                       "a\0\xE9\0",
                6),
            u"aé"_qs, TTextEncoding::Utf16LE, true },
        { "utf16be mark",
            QByteArray("\xFE\xFF"
                       "\0a\0\xE9",
                6),
            u"aé"_qs, TTextEncoding::Utf16BE, true },
        // Without a mark valid UTF-8 wins ...
        { "utf8 plain", QByteArray("K\xC3\xA4ytt\xC3\xB6 \xE2\x82\xAC"), u"Käyttö €"_qs,
            TTextEncoding::Utf8, false },
        { "ascii", QByteArray("a=1\r\n"), u"a=1\r\n"_qs, TTextEncoding::Utf8, false },
        // ... and anything else is Windows-1252, the 0x80..0x9F range included.
        { "cp1252", QByteArray("caf\xE9 \x80 \x93q\x94 \x9F \x81"),
            QString::fromUtf16(u"café € “q” Ÿ \u0081"), TTextEncoding::Windows1252, false },
        // A truncated UTF-8 sequence is not UTF-8.
        { "broken utf8", QByteArray("ab\xC3"), u"abÃ"_qs, TTextEncoding::Windows1252, false },
        { "empty", QByteArray(), QString(), TTextEncoding::Utf8, false },
        { "mark only", QByteArray("\xEF\xBB\xBF"), QString(), TTextEncoding::Utf8, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTextFileFormat format { TTextEncoding::Utf16BE, false };
        EXPECT_EQ(DecodeText(c.bytes, &format), c.text);
        EXPECT_EQ(format.encoding, c.encoding);
        EXPECT_EQ(format.withMark, c.withMark);
    }
}

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(TextFileTest, WriteThenRead_KeepsTextAndFormat)
{
    const QString text = u"Zeile 1\r\n\"Größe\";€;日本\r\n"_qs;
    const struct {
        const char* name;
        TTextEncoding encoding;
        bool withMark;
        QByteArray lead;
    } cases[] = {
        { "UTF-8 with mark", TTextEncoding::Utf8, true, "\xEF\xBB\xBF" },
        { "UTF-8 without mark", TTextEncoding::Utf8, false, "Z" },
        { "UTF-16 LE", TTextEncoding::Utf16LE, true, "\xFF\xFE" },
        { "UTF-16 BE", TTextEncoding::Utf16BE, true, "\xFE\xFF" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(u"t.txt"_qs);
        QString error;
        ASSERT_TRUE(WriteTextFile(text, path, c.encoding, c.withMark, &error))
            << error.toStdString();
        EXPECT_TRUE(ReadBytes(path).startsWith(c.lead));
        TTextFileFormat format;
        const auto read = ReadTextFile(path, &format);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, text);
        EXPECT_EQ(format.encoding, c.encoding);
        EXPECT_EQ(format.withMark, c.withMark);
    }
}

TEST_F(TextFileTest, Windows1252_WrittenAsSuchOrAsUtf8WhenTextDoesNotFit)
{
    const QString path = Path(u"w.ini"_qs);
    ASSERT_TRUE(WriteTextFile(u"café €"_qs, path, TTextEncoding::Windows1252, true));
    EXPECT_EQ(ReadBytes(path), QByteArray("caf\xE9 \x80"));

    // Cyrillic has no Windows-1252 code: the text must survive, so UTF-8 it is.
    ASSERT_TRUE(WriteTextFile(u"café Ж"_qs, path, TTextEncoding::Windows1252, false));
    TTextFileFormat format;
    EXPECT_EQ(ReadTextFile(path, &format), u"café Ж"_qs);
    EXPECT_EQ(format.encoding, TTextEncoding::Utf8);
}

TEST_F(TextFileTest, EmptyText_LeavesEmptyFileWithoutMark)
{
    const QString path = Path(u"e.lst"_qs);
    WriteBytes(path, "old content");
    ASSERT_TRUE(WriteTextFile(QString(), path, TTextEncoding::Utf8, true));
    EXPECT_EQ(ReadBytes(path), QByteArray());
    EXPECT_EQ(ReadTextFile(path), QString());
}

TEST_F(TextFileTest, MissingFileOrFolder_FailsWithReason)
{
    QString error;
    EXPECT_FALSE(ReadTextFile(Path(u"none.txt"_qs), nullptr, &error).has_value());
    EXPECT_FALSE(error.isEmpty());

    error.clear();
    EXPECT_FALSE(WriteTextFile(
        u"x"_qs, Path(u"no/such/folder/f.txt"_qs), TTextEncoding::Utf8, false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QDir(Path(u"no"_qs)).exists()) << "creating folders is the caller's job";
}

// A write that fails half-way (here: the file size limit is hit, which also
// works when the tests run as root) must leave the previous file whole and no
// temporary file behind.
TEST_F(TextFileTest, FailedWrite_LeavesOldFileUntouched)
{
    const QString path = Path(u"current.lst"_qs);
    const QByteArray old = "\xEF\xBB\xBF"
                           "kind;state\r\n0;0;old entry";
    WriteBytes(path, old);

    struct rlimit saved { };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    QString error;
    const bool ok = WriteTextFile(QString(100000, u'x'), path, TTextEncoding::Utf8, true, &error);

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"current.lst"_qs });
}

} // namespace
} // namespace ryv
