#include "core/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const QString Sample = QStringLiteral("; written by hand\r\n"
                                      "stray=before any section\r\n"
                                      "[Window]\r\n"
                                      "Max = 1\r\n"
                                      "left=100\r\n"
                                      "\r\n"
                                      "[MISC]\r\n"
                                      "; the language\r\n"
                                      "langCode = fi\r\n"
                                      "future=kept\r\n"
                                      "not a key line\r\n"
                                      ";spendToClip=9\r\n"
                                      "\r\n"
                                      "\r\n"
                                      "[plugins]\r\n"
                                      "x=1\r\n");

TEST(IniFile, Read_IgnoresCaseBlanksCommentsAndPreamble)
{
    TIniFile ini;
    ini.SetText(Sample);
    EXPECT_TRUE(ini.SectionExists(u"window"_qs));
    EXPECT_TRUE(ini.ValueExists(u"WINDOW"_qs, u"max"_qs));
    EXPECT_EQ(ini.ReadString(u"misc"_qs, u"LANGCODE"_qs, u"?"_qs), u"fi"_qs);
    EXPECT_EQ(ini.ReadInteger(u"window"_qs, u"left"_qs, -1), 100);
    EXPECT_FALSE(ini.ValueExists(u"misc"_qs, u"spendToClip"_qs)) << "comment read as key";
    EXPECT_FALSE(ini.ValueExists(QString(), u"stray"_qs));
    EXPECT_FALSE(ini.SectionExists(u"taskDlg"_qs));
    EXPECT_EQ(ini.ReadSectionValues(u"misc"_qs),
        (QList<std::pair<QString, QString>> {
            { u"langCode"_qs, u"fi"_qs }, { u"future"_qs, u"kept"_qs } }));
}

TEST(IniFile, ReadIntegerAndBool_HexAndDefaults)
{
    const struct {
        QString value;
        int asInt; // default -7
        bool asBool; // default true
    } cases[] = {
        { u"42"_qs, 42, true },
        { u"-3"_qs, -3, true },
        { u"0"_qs, 0, false },
        { u"2"_qs, 2, true }, // any value but 0 is true
        { u"0x1F"_qs, 31, true },
        { u"0X10"_qs, 16, true },
        { u"0x"_qs, -7, true },
        { u"12abc"_qs, -7, true },
        { u"yes"_qs, -7, true },
        { QString(), -7, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        TIniFile ini;
        ini.SetText(u"[s]\r\nk="_qs + c.value + u"\r\n"_qs);
        EXPECT_EQ(ini.ReadInteger(u"s"_qs, u"k"_qs, -7), c.asInt);
        EXPECT_EQ(ini.ReadBool(u"s"_qs, u"k"_qs, true), c.asBool);
    }
    TIniFile ini;
    EXPECT_FALSE(ini.ReadBool(u"s"_qs, u"missing"_qs, false));
}

TEST(IniFile, Write_KeepsEverythingElseInPlace)
{
    TIniFile ini;
    ini.SetText(Sample);
    ini.WriteString(u"misc"_qs, u"LangCode"_qs, u"de"_qs); // existing key, other case
    ini.WriteInteger(u"misc"_qs, u"winTitle"_qs, 1); // new key: after the last key
    ini.WriteBool(u"window"_qs, u"max"_qs, true); // unchanged value
    ini.WriteInteger(u"taskDlg"_qs, u"width"_qs, 0x20); // new section at the end
    ini.WriteString(u"misc"_qs, u"repTit"_qs, u" two\r\nlines "_qs);
    const QString expected = QStringLiteral("; written by hand\r\n"
                                            "stray=before any section\r\n"
                                            "\r\n"
                                            "[Window]\r\n"
                                            "Max = 1\r\n"
                                            "left=100\r\n"
                                            "\r\n"
                                            "[MISC]\r\n"
                                            "; the language\r\n"
                                            "langCode=de\r\n"
                                            "future=kept\r\n"
                                            "winTitle=1\r\n"
                                            "repTit=two lines\r\n"
                                            "not a key line\r\n"
                                            ";spendToClip=9\r\n"
                                            "\r\n"
                                            "[plugins]\r\n"
                                            "x=1\r\n"
                                            "\r\n"
                                            "[taskDlg]\r\n"
                                            "width=32\r\n"
                                            "\r\n");
    EXPECT_EQ(ini.Text(), expected);
    // Reading back what was written changes nothing, however often.
    TIniFile again;
    again.SetText(ini.Text());
    EXPECT_EQ(again.Text(), expected);
}

TEST(IniFile, ReplaceAndEraseSection)
{
    TIniFile ini;
    ini.SetText(u"[a]\r\nk=1\r\n[List]\r\n;old\r\n7=x\r\n[b]\r\nk=2\r\n[list]\r\n9=y\r\n"_qs);
    ini.ReplaceSection(u"list"_qs, { { u"0"_qs, u"p"_qs }, { u"1"_qs, u"q"_qs } });
    EXPECT_EQ(ini.Text(), u"[a]\r\nk=1\r\n\r\n[List]\r\n0=p\r\n1=q\r\n\r\n[b]\r\nk=2\r\n\r\n"_qs);
    ini.ReplaceSection(u"LIST"_qs, {});
    EXPECT_FALSE(ini.SectionExists(u"list"_qs));
    ini.EraseSection(u"A"_qs);
    ini.DeleteKey(u"b"_qs, u"K"_qs);
    EXPECT_EQ(ini.Text(), u"[b]\r\n\r\n"_qs);
}

class IniFileOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

// The file is written back in the encoding it was read in.
TEST_F(IniFileOnDisk, SaveKeepsTheEncodingItWasReadIn)
{
    const QString text = u"[misc]\r\nrepTit=Größe €\r\n\r\n"_qs;
    const struct {
        const char* name;
        TTextEncoding encoding;
        bool withMark;
    } cases[] = {
        { "UTF-8 with mark", TTextEncoding::Utf8, true },
        { "UTF-8 without mark", TTextEncoding::Utf8, false },
        { "UTF-16 LE", TTextEncoding::Utf16LE, true },
        { "UTF-16 BE", TTextEncoding::Utf16BE, true },
        { "Windows-1252", TTextEncoding::Windows1252, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(u"RyvTracker.ini"_qs);
        ASSERT_TRUE(WriteTextFile(text, path, c.encoding, c.withMark));
        TIniFile ini(path);
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.ReadString(u"misc"_qs, u"repTit"_qs, QString()), u"Größe €"_qs);
        ini.WriteString(u"misc"_qs, u"langCode"_qs, u"fi"_qs);
        ASSERT_TRUE(ini.Save());
        const QString expected = u"[misc]\r\nrepTit=Größe €\r\nlangCode=fi\r\n\r\n"_qs;
        EXPECT_EQ(Bytes(path), EncodeText(expected, c.encoding, c.withMark));
    }
}

TEST_F(IniFileOnDisk, NewFile_Utf8WithoutMarkInANewFolder)
{
    const QString path = Path(u"new/folder/RyvTracker.ini"_qs);
    TIniFile ini(path);
    ASSERT_TRUE(ini.Load()) << "a missing file reads as empty";
    ini.WriteString(u"misc"_qs, u"repTit"_qs, u"Työ"_qs);
    QString error;
    ASSERT_TRUE(ini.Save(&error)) << error.toStdString();
    EXPECT_EQ(Bytes(path), QByteArray("[misc]\r\nrepTit=Ty\xC3\xB6\r\n\r\n"));
}

// Every reason names the file (or the folder) it is about.
TEST_F(IniFileOnDisk, UnreadableOrUnwritable_FailsWithReason)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.ini"_qs));
    TIniFile ini(Path(u"folder.ini"_qs));
    QString error;
    EXPECT_FALSE(ini.Load(&error));
    EXPECT_TRUE(error.contains(Path(u"folder.ini"_qs))) << error.toStdString();
    error.clear();
    ini.WriteString(u"a"_qs, u"b"_qs, u"c"_qs);
    EXPECT_FALSE(ini.Save(&error));
    EXPECT_TRUE(error.contains(Path(u"folder.ini"_qs))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(Path(u"folder.ini"_qs)).isDir());

    // A write that fails after a good read reports why as well.
    TIniFile blocked(Path(u"folder.ini/sub/x.ini"_qs));
    ASSERT_TRUE(
        QFile(Path(u"folder.ini/sub"_qs)).open(QIODevice::WriteOnly)); // a file, not a folder
    ASSERT_TRUE(blocked.Load());
    blocked.WriteString(u"a"_qs, u"b"_qs, u"c"_qs);
    error.clear();
    EXPECT_FALSE(blocked.Save(&error));
    EXPECT_TRUE(error.contains(Path(u"folder.ini/sub"_qs))) << error.toStdString();

    // A file the program cannot replace (a folder stands in its way).
    TIniFile occupied(Path(u"occupied.ini"_qs));
    ASSERT_TRUE(occupied.Load());
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"occupied.ini/x"_qs));
    occupied.WriteString(u"a"_qs, u"b"_qs, u"c"_qs);
    error.clear();
    EXPECT_FALSE(occupied.Save(&error));
    EXPECT_TRUE(error.contains(Path(u"occupied.ini"_qs))) << error.toStdString();
}

// A temporary file beside the settings may be the running window's save in
// progress, read by a report from the command line: reading removes nothing.
TEST_F(IniFileOnDisk, Load_LeavesTemporaryFilesBesideItAlone)
{
    const QString path = Path(u"RyvTracker.ini"_qs);
    const QStringList names { u"RyvTracker.ini"_qs, u"RyvTracker.ini.ryvsave-abc123"_qs,
        u"other.ini.ryvsave-abc123"_qs };
    for (const QString& name : names)
        ASSERT_TRUE(WriteTextFile(u"[a]\r\nb=c\r\n"_qs, Path(name)));
    TIniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString(u"a"_qs, u"b"_qs, {}), u"c"_qs);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), names);
}

// A file that exists but cannot be read is never overwritten by a save that
// would hold only the keys the program knows.
TEST_F(IniFileOnDisk, UnreadableFile_IsNotOverwritten)
{
    const QString path = Path(u"RyvTracker.ini"_qs);
    ASSERT_TRUE(WriteTextFile(u"[custom]\r\nkeep=me\r\n"_qs, path));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    TIniFile ini(path);
    const bool readable = ini.Load();
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    if (readable)
        GTEST_SKIP() << "running with rights that read any file";
    ini.WriteString(u"misc"_qs, u"langCode"_qs, u"fi"_qs);
    QString error;
    EXPECT_FALSE(ini.Save(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadTextFile(path, 1 << 20), u"[custom]\r\nkeep=me\r\n"_qs);
}

} // namespace
} // namespace ryv
