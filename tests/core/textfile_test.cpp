#include "core/textfile.h"

#include "core/regional.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
        // One stray byte in UTF-8 text: only that byte reads as Windows-1252,
        // and the file is written back as UTF-8.
        { "utf8 with a stray byte", QByteArray("K\xC3\xA4ytt\xC3\xB6 caf\xE9 \xE2\x82\xAC"),
            u"Käyttö café €"_qs, TTextEncoding::Utf8, false },
        // Overlong forms, surrogates and sequences cut short are no UTF-8.
        { "malformed sequences", QByteArray("\xC0\xAF \xED\xA0\x80 \xE2\x82 \xC3\xA9"),
            QString::fromUtf16(u"\u00C0\u00AF \u00ED\u00A0\u20AC \u00E2\u201A é"),
            TTextEncoding::Utf8, false },
        // Half a surrogate pair is no character: it reads as the replacement
        // character, which any later write keeps.
        { "utf16le lone surrogate",
            QByteArray("\xFF\xFE"
                       "a\0\x00\xD8"
                       "b\0",
                8),
            QString::fromUtf16(u"a\uFFFDb"), TTextEncoding::Utf16LE, true },
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
        const auto read = ReadTextFile(path, 1 << 20, &format);
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
    EXPECT_EQ(ReadTextFile(path, 1 << 20, &format), u"café Ж"_qs);
    EXPECT_EQ(format.encoding, TTextEncoding::Utf8);
}

TEST_F(TextFileTest, EmptyText_LeavesEmptyFileWithoutMark)
{
    const QString path = Path(u"e.lst"_qs);
    WriteBytes(path, "old content");
    ASSERT_TRUE(WriteTextFile(QString(), path, TTextEncoding::Utf8, true));
    EXPECT_EQ(ReadBytes(path), QByteArray());
    EXPECT_EQ(ReadTextFile(path, 1 << 20), QString());
}

TEST_F(TextFileTest, MissingFileOrFolder_FailsWithReason)
{
    QString error;
    EXPECT_FALSE(ReadTextFile(Path(u"none.txt"_qs), 1 << 20, nullptr, &error).has_value());
    EXPECT_FALSE(error.isEmpty());

    error.clear();
    EXPECT_FALSE(WriteTextFile(
        u"x"_qs, Path(u"no/such/folder/f.txt"_qs), TTextEncoding::Utf8, false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QDir(Path(u"no"_qs)).exists()) << "creating folders is the caller's job";
}

// A write that fails (here: the file size limit is hit, which also works when
// the tests run as root) must leave the previous file whole and no temporary
// file behind, whether the text is larger than any write buffer or so small
// that a buffered writer would first write it on closing.
// Whatever stands under a file's name, a read ends at once and takes at most
// the limit: a link to an endless device, a FIFO without a writer (an open
// that waited for one would hang the program), a folder, and files larger
// than the limit, also those whose size the system does not know (/proc).
TEST_F(TextFileTest, ReadFileBytes_RegularFilesUpToTheLimitOnly)
{
    const TRegionalScope regional("en_GB");
    const QString zero = Path(u"zero.lngu"_qs);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_qs, zero));
    const QString fifo = Path(u"fifo.lst"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = Path(u"folder.ini"_qs);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString atLimit = Path(u"limit.lst"_qs);
    WriteBytes(atLimit, QByteArray(100, 'a'));
    const QString overLimit = Path(u"over.lst"_qs);
    WriteBytes(overLimit, QByteArray(101, 'a'));
    const QString empty = Path(u"empty.lst"_qs);
    WriteBytes(empty, QByteArray());

    const struct {
        const char* name;
        QString path;
        std::optional<qsizetype> size; // nothing: refused
        QString reason;
    } cases[] = {
        { "link to /dev/zero", zero, std::nullopt, u"This is not a regular file."_qs },
        { "FIFO", fifo, std::nullopt, u"This is not a regular file."_qs },
        { "folder", folder, std::nullopt, u"This is not a regular file."_qs },
        { "exactly the limit", atLimit, 100, QString() },
        { "one byte more", overLimit, std::nullopt, u"The file is larger than 100 bytes."_qs },
        { "empty", empty, 0, QString() },
        { "size unknown to the system", u"/proc/self/status"_qs, std::nullopt,
            u"The file is larger than 100 bytes."_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString reason;
        const std::optional<QByteArray> bytes = ReadFileBytes(c.path, 100, &reason);
        ASSERT_EQ(bytes.has_value(), c.size.has_value());
        if (bytes)
            EXPECT_EQ(bytes->size(), *c.size);
        else
            EXPECT_EQ(reason, c.reason);
    }
    // A file of /proc within the limit is read whole.
    const std::optional<QByteArray> status = ReadFileBytes(u"/proc/self/status"_qs, 1 << 20);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->startsWith("Name:")) << status->left(40).toStdString();
}

TEST_F(TextFileTest, FailedWrite_LeavesOldFileUntouched)
{
    const struct {
        const char* name;
        qsizetype length;
    } cases[] = { { "large text", 100000 }, { "text below any write buffer", 200 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(u"current.lst"_qs);
        const QByteArray old = "\xEF\xBB\xBF"
                               "kind;state\r\n0;0;old entry";
        WriteBytes(path, old);

        struct rlimit saved { };
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 16;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

        QString error;
        const bool ok
            = WriteTextFile(QString(c.length, u'x'), path, TTextEncoding::Utf8, true, &error);

        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        EXPECT_FALSE(ok);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"current.lst"_qs });
    }
}

// A small file system of its own, filled up to the last block. Needs the
// right to mount (root outside a restricted container); the test is skipped
// otherwise.
class FullDisk final {
public:
    explicit FullDisk(const QString& folder)
        : FFolder(QFile::encodeName(folder))
    {
        FMounted = ::mount("tmpfs", FFolder.constData(), "tmpfs", 0, "size=64k") == 0;
        if (!FMounted)
            FError = qt_error_string(errno);
    }
    ~FullDisk()
    {
        if (FMounted)
            ::umount2(FFolder.constData(), MNT_DETACH);
    }
    bool Mounted() const { return FMounted; }
    const QString& Error() const { return FError; }
    // Writes a filler file until no block is left.
    void Fill() const
    {
        QFile filler(QString::fromLocal8Bit(FFolder) + u"/filler"_qs);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) { }
    }

private:
    QByteArray FFolder;
    bool FMounted = false;
    QString FError;
};

TEST_F(TextFileTest, FullDisk_FailsAndLeavesOldFileByteForByte)
{
    const QString folder = Path(u"disk"_qs);
    ASSERT_TRUE(QDir().mkpath(folder));
    const FullDisk disk(folder);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << disk.Error().toStdString();

    const QString path = folder + u"/favorites.lst"_qs;
    ASSERT_TRUE(WriteTextFile(u"\"title\";\"url\";\"descr\"\r\n\"Old favourite\";\"\";\"\""_qs,
        path, TTextEncoding::Utf8, true));
    const QByteArray old = ReadBytes(path);
    disk.Fill();

    QString error;
    EXPECT_FALSE(WriteTextFile(u"\"title\";\"url\";\"descr\"\r\n\"New favourite\";\"\";\"\""_qs,
        path, TTextEncoding::Utf8, true, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(
        QDir(folder).entryList(QDir::Files), (QStringList { u"favorites.lst"_qs, u"filler"_qs }));
}

TEST_F(TextFileTest, WriteSeveral_OneFails_TheOthersAreWritten)
{
    WriteBytes(Path(u"a.lst"_qs), "old a");
    const std::vector<TTextFileWrite> files {
        { Path(u"a.lst"_qs), u"new ä"_qs, TTextEncoding::Utf8, true },
        { Path(u"no/such/folder/b.lst"_qs), u"b"_qs, TTextEncoding::Utf8, false },
        { Path(u"c.lst"_qs), u"c"_qs, TTextEncoding::Utf16LE, true },
    };
    std::vector<QString> errors;
    EXPECT_FALSE(WriteTextFiles(files, &errors));

    ASSERT_EQ(errors.size(), 3u);
    EXPECT_TRUE(errors[0].isEmpty()) << errors[0].toStdString();
    EXPECT_FALSE(errors[1].isEmpty());
    EXPECT_TRUE(errors[2].isEmpty()) << errors[2].toStdString();
    EXPECT_EQ(ReadBytes(Path(u"a.lst"_qs)), QByteArray("\xEF\xBB\xBFnew \xC3\xA4"));
    EXPECT_EQ(ReadTextFile(Path(u"c.lst"_qs), 1 << 20).value_or(QString()), u"c"_qs);
    EXPECT_TRUE(ReadBytes(Path(u"c.lst"_qs)).startsWith("\xFF\xFE"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList { u"a.lst"_qs, u"c.lst"_qs }));
    EXPECT_TRUE(WriteTextFiles({ files[0], files[2] }));
}

TEST_F(TextFileTest, LeftoverTempFiles_OnlyOursAreRemoved)
{
    const QStringList ours { u"current.lst.ryvsave-a1b2c3"_qs,
        u"2026-12-09.lst.ryvsave-zz9900"_qs };
    const QStringList others { u"current.lst"_qs, u"favorites.lst.backup"_qs,
        u"current.lst.AbC123"_qs, u"notes.ryvsave-abc"_qs, u"x.ryvsave-abcdefg"_qs };
    for (const QString& name : ours + others)
        WriteBytes(Path(name), "x");
    EXPECT_EQ(RemoveLeftoverTempFiles(dir.path()), ours.size());
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    QStringList expected = others;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}

} // namespace
} // namespace ryv
