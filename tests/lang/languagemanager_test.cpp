#include "lang/languagemanager.h"

#include "core/regional.h"
#include "lang/langfile.h"

#include "langtestfolder.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace ryv {
namespace {

// A manager that searches one temporary folder only.
class LanguageManagerTest : public ::testing::Test {
protected:
    LanguageManagerTest()
        : manager(TLangFolders { { folder.Path() }, QString() })
    {
    }

    QString Load(const QString& code)
    {
        manager.SetLanguageCode(code);
        return manager.LastError();
    }

    TLangTestFolder folder;
    TLanguageManager manager;
};

TEST_F(LanguageManagerTest, UserFileOverridesBaseFile)
{
    folder.Write(
        "App.de.lng", LangHeader("Deutsch") + "[constants]\nstr_total=Summe:\nstr_pause=Pause\n");
    folder.Write("App.de.lngu", "[constants]\nstr_total=Gesamt:\nstr_new=Neu\n");

    EXPECT_EQ(Load("de"), QString());
    EXPECT_EQ(manager.LanguageCode(), "de");
    EXPECT_EQ(manager.LanguageName(), "Deutsch");
    EXPECT_EQ(manager.LangText("str_total", "TOTAL:"), "Gesamt:");
    EXPECT_EQ(manager.LangText("str_pause", "Break"), "Pause");
    EXPECT_EQ(manager.LangText("str_new", "New"), "Neu");
    EXPECT_EQ(manager.ActiveFiles(),
        QStringList({ folder.Path("App.de.lng"), folder.Path("App.de.lngu") }));
}

TEST_F(LanguageManagerTest, IdentifiersSectionsAndCodesIgnoreCase)
{
    folder.Write("App.DE.lng",
        LangHeader("Deutsch")
            + "[CONSTANTS]\nStr_Total=Summe:\n[tfrmryvtracker]\nLbTotCap.Caption=Gesamt\n");

    EXPECT_EQ(Load("De"), QString());
    EXPECT_EQ(manager.LangText("STR_TOTAL", "x"), "Summe:");
    EXPECT_EQ(manager.LangText("str_total", "x"), "Summe:");
    // A property entry can be read as a constant by its whole key.
    EXPECT_EQ(manager.LangText("TfrmRyvTracker.lbTotCap.Caption", "x"), "Gesamt");
    QList<TLanguageInfo> languages;
    ASSERT_TRUE(manager.GetAvailableLanguages(languages));
    EXPECT_EQ(languages, QList<TLanguageInfo>({ { "de", "Deutsch" } }));
}

TEST_F(LanguageManagerTest, EscapesDecodeLineBreakAndTabOnly)
{
    struct Case {
        const char* name;
        const char* written;
        QString expected;
    };
    const Case cases[] = {
        { "line break", R"(a\nb)", "a\nb" },
        { "tab", R"(a\tb)", "a\tb" },
        { "escaped backslash is no escape", R"(a\\nb)", "a\\\nb" },
        { "other backslashes stay", R"(C:\path\x\)", R"(C:\path\x\)" },
        { "both", R"(\t\n)", "\t\n" },
    };
    QString text = LangHeader("Test") + "[constants]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += QStringLiteral("c%1=%2\n").arg(i).arg(QString::fromUtf8(cases[i].written));
    folder.Write("App.xx.lng", text);
    ASSERT_EQ(Load("xx"), QString());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(manager.LangText(QStringLiteral("c%1").arg(i), "default"), cases[i].expected);
        // The default text of an identifier the language lacks is decoded
        // alike, also with an empty identifier.
        EXPECT_EQ(manager.LangText("", QString::fromUtf8(cases[i].written)), cases[i].expected);
    }
}

TEST_F(LanguageManagerTest, TextSyntax)
{
    folder.Write("App.xx.lng",
        "before=the first section is ignored\n"
        "  [ calbrix language file ]  \n"
        "languagename = Test Language \n"
        "; a comment\n"
        "\n"
        "[constants]\n"
        "  spaced   =   value with = inside  \n"
        ";commented=no\n"
        "a line without equals sign\n"
        "=empty name\n"
        "empty=\n"
        "[constants]\n"
        "second=merged\n"
        "[broken\n"
        "[messages]\n"
        "pattern * =  translation *\n"
        "Translation *\n"
        "dropped last pattern\n");
    ASSERT_EQ(Load("xx"), QString());
    EXPECT_EQ(manager.LanguageName(), "Test Language");
    EXPECT_EQ(manager.LangText("spaced", "x"), "value with = inside");
    EXPECT_EQ(manager.LangText("commented", "x"), "x");
    EXPECT_EQ(manager.LangText("before", "x"), "x");
    EXPECT_EQ(manager.LangText("empty", "x"), "");
    EXPECT_EQ(manager.LangText("second", "x"), "merged");
    EXPECT_EQ(manager.Constants().Count(), 3);
    // The blanks around the first "=" of a message line are removed too.
    EXPECT_EQ(manager.LangString("pattern 1=translation 2"), "Translation 2");
    EXPECT_EQ(manager.LangString("pattern 1 = translation 2"), "pattern 1 = translation 2");
    EXPECT_EQ(manager.LangString("dropped last pattern"), "dropped last pattern");
}

TEST_F(LanguageManagerTest, LanguageNotFound)
{
    folder.Write("App.de.lng", LangHeader("Deutsch") + "[constants]\nstr_total=Summe:\n");
    ASSERT_EQ(Load("de"), QString());

    // A failed load leaves nothing of the language before.
    EXPECT_EQ(Load("fr"), "Language not found (fr)");
    EXPECT_EQ(manager.LanguageCode(), QString());
    EXPECT_EQ(manager.LanguageName(), QString());
    EXPECT_TRUE(manager.Constants().IsEmpty());
    EXPECT_TRUE(manager.ActiveFiles().isEmpty());
    EXPECT_EQ(manager.LangText("str_total", "TOTAL:"), "TOTAL:");

    // An empty code only clears the error.
    EXPECT_EQ(Load(""), QString());
}

TEST_F(LanguageManagerTest, CodeThatIsNoPlainNameFindsNothing)
{
    folder.Write("App.de.lng", LangHeader("Deutsch"));
    folder.Write("App.en.lng", LangHeader("English"));
    folder.Write("sub/App.fr.lng", LangHeader("Français"));
    for (const char* code : { "*", "?e", "[d]e", "../sub/App.fr", "de.lng", "d e", "de/" }) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Load(code), QStringLiteral("Language not found (%1)").arg(code));
        EXPECT_TRUE(manager.ActiveFiles().isEmpty());
    }
}

TEST_F(LanguageManagerTest, LangsFolderWithoutFilesFallsBackToNextFolder)
{
    const QString langs = folder.MakeFolder("Langs");
    folder.Write(
        "App.en.lng", LangHeader("English") + "[constants]\nstr_total=Total in app folder\n");
    TLanguageManager m(TLangFolders { { langs, folder.Path() }, QString() });

    m.SetLanguageCode("en");
    EXPECT_EQ(m.LastError(), QString());
    EXPECT_EQ(m.LangText("str_total", "x"), "Total in app folder");

    // The folders are searched for the language asked for: one that holds
    // other languages only does not stop the search. The list of languages
    // comes from the first folder that holds any.
    folder.Write("Langs/App.de.lng", LangHeader("Deutsch"));
    m.SetLanguageCode("en");
    EXPECT_EQ(m.LastError(), QString());
    QList<TLanguageInfo> languages;
    ASSERT_TRUE(m.GetAvailableLanguages(languages));
    EXPECT_EQ(languages, QList<TLanguageInfo>({ { "de", "Deutsch" } }));
    m.SetLanguageCode("fr");
    EXPECT_EQ(m.LastError(), "Language not found (fr)");

    // An existing folder set explicitly replaces the search; a missing one
    // does not.
    m.SetFolder(langs);
    m.SetLanguageCode("en");
    EXPECT_EQ(m.LastError(), "Language not found (en)");
    m.SetFolder(folder.Path("missing"));
    m.SetLanguageCode("en");
    EXPECT_EQ(m.LastError(), QString());
}

TEST_F(LanguageManagerTest, PackedFilesAreListedButNotRead)
{
    folder.Write("App.zz.lngz", LangHeader("Packed") + "[constants]\nstr_total=packed\n");
    int changes = 0;
    manager.SetOnLanguageChanged([&](TLanguageManager*) { ++changes; });

    EXPECT_EQ(Load("zz"), QString());
    EXPECT_EQ(manager.LanguageCode(), "zz");
    EXPECT_EQ(manager.ActiveFiles(), QStringList({ folder.Path("App.zz.lngz") }));
    EXPECT_EQ(manager.LanguageName(), QString());
    EXPECT_EQ(manager.LangText("str_total", "TOTAL:"), "TOTAL:");
    EXPECT_EQ(changes, 1);

    QList<TLanguageInfo> languages;
    ASSERT_TRUE(manager.GetAvailableLanguages(languages));
    EXPECT_TRUE(languages.isEmpty());
}

TEST_F(LanguageManagerTest, NameAndReadingOrderFromTheFiles)
{
    // Files are read in name order within a kind: A before B.
    folder.Write("A.xx.lng", "[constants]\nx=1\n");
    folder.Write("B.xx.lng", LangHeader("Second"));
    ASSERT_EQ(Load("xx"), QString());
    EXPECT_EQ(manager.LanguageName(), "Second");

    struct Case {
        const char* rtl;
        TBiDiMode expected;
    };
    const Case cases[] = {
        { "1", TBiDiMode::bdRightToLeft },
        { "-1", TBiDiMode::bdRightToLeft },
        { "$1", TBiDiMode::bdRightToLeft },
        { "0x10", TBiDiMode::bdRightToLeft },
        { "0X1", TBiDiMode::bdRightToLeft },
        { "0", TBiDiMode::bdLeftToRight },
        { "$0", TBiDiMode::bdLeftToRight },
        { "", TBiDiMode::bdLeftToRight },
        { "yes", TBiDiMode::bdLeftToRight },
        { "1.5", TBiDiMode::bdLeftToRight },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtl);
        folder.Write("B.xx.lng", LangHeader("Second") + QStringLiteral("rtl=%1\n").arg(c.rtl));
        ASSERT_EQ(Load("xx"), QString());
        EXPECT_EQ(manager.BiDiMode(), c.expected);
    }
}

TEST_F(LanguageManagerTest, AFileThatFailsIsReportedAndTheOthersStillRead)
{
    const TRegionalScope locale("en_GB");
    folder.WriteBytes("A.de.lng", QByteArray("[constants]\nx=\0binary", 20));
    folder.Write("B.de.lng", LangHeader("Deutsch") + "[constants]\nstr_total=Summe:\n");
    folder.Write("C.de.lngu", "[constants]\nstr_pause=Pause\n");
    int changes = 0;
    manager.SetOnLanguageChanged([&](TLanguageManager*) { ++changes; });

    EXPECT_EQ(
        Load("de"), "Cannot read the language file \"A.de.lng\": this is not a language file");
    EXPECT_EQ(manager.LanguageCode(), "de");
    EXPECT_EQ(manager.LangText("str_total", "x"), "Summe:");
    EXPECT_EQ(manager.LangText("str_pause", "x"), "Pause");
    EXPECT_EQ(manager.ActiveFiles().size(), 3);
    // A load with any error never announces the language.
    EXPECT_EQ(changes, 0);

    folder.WriteBytes(
        "C.de.lngu", QByteArray(static_cast<qsizetype>(TLangFile::MaxFileSize + 1), 'x'));
    EXPECT_EQ(Load("de"),
        "Cannot read the language file \"A.de.lng\": this is not a language file\n"
        "Cannot read the language file \"C.de.lngu\": The file is larger than 8 MB.");
}

// A user file that is a link to an endless device is refused at once (a FIFO
// is not even taken for a file); the language loads from its other files.
TEST_F(LanguageManagerTest, UserFileThatIsNoRegularFileIsRefusedAtOnce)
{
    folder.Write("App.de.lng", LangHeader("Deutsch") + "[constants]\nstr_total=Summe:\n");
    ASSERT_TRUE(QFile::link("/dev/zero", folder.Path("App.de.lngu")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.Path("Pipe.de.lngu")).constData(), 0600), 0);
    const QString error = Load("de");
    EXPECT_EQ(error, "Cannot read the language file \"App.de.lngu\": This is not a regular file.");
    EXPECT_EQ(manager.LanguageCode(), "de");
    EXPECT_EQ(manager.LangText("str_total", "x"), "Summe:");
}

// A translation must keep the placeholders of the program's text: one that
// lacks one (or has one more) would show a message without its values, so
// the program's text stands in and the load names the entry. A user file
// can mend a base file's entry; the last word counts.
TEST_F(LanguageManagerTest, TranslationWithOtherPlaceholdersGivesTheProgramsText)
{
    const QString away = "You were away from %1 to %2 (%3) while \"%4\" was running.";
    manager.SetReferenceTexts({ { "str_away_question", away }, { "str_away_stop", "Stop at %1" },
        { "str_file_cannotread", "Cannot read the file \"%1\": %2" }, { "str_total", "TOTAL:" } });
    folder.Write("App.de.lng",
        LangHeader("Deutsch")
            + "[constants]\nstr_away_question=Du warst weg.\nstr_away_stop=Um %L1 stoppen\n"
              "str_file_cannotread=%2 %1 %3\nstr_total=Summe:\n");
    const QString error = Load("de");
    EXPECT_EQ(manager.LanguageCode(), "de");
    EXPECT_EQ(manager.LangText("str_away_question", "x"), away);
    EXPECT_EQ(manager.LangText("str_away_stop", "x"), "Um %L1 stoppen");
    EXPECT_EQ(manager.LangText("str_file_cannotread", "x"), "Cannot read the file \"%1\": %2");
    EXPECT_EQ(manager.LangText("str_total", "x"), "Summe:");
    EXPECT_EQ(error,
        "The entry str_away_question has the placeholders none where the program's text has "
        "%1, %2, %3, %4; the program's text is used.\n"
        "The entry str_file_cannotread has the placeholders %1, %2, %3 where the program's text "
        "has %1, %2; the program's text is used.");

    folder.Write("App.de.lngu",
        "[constants]\nstr_away_question=Weg von %1 bis %2 (%3), \"%4\" lief.\n"
        "str_away_stop=Stopp\n");
    EXPECT_EQ(Load("de").count(u"The entry"_qs), 2);
    EXPECT_EQ(manager.LangText("str_away_question", "x"), "Weg von %1 bis %2 (%3), \"%4\" lief.");
    EXPECT_EQ(manager.LangText("str_away_stop", "x"), "Stop at %1");
}

// Values longer than the bound are not taken, in every section: the program's
// own text stays, and one line per file names them.
TEST_F(LanguageManagerTest, OverlongValuesAreNotTaken)
{
    const QString atBound(TLanguageManager::MaxValueLength, u'a');
    const QString overBound(TLanguageManager::MaxValueLength + 1, u'b');
    folder.Write("App.de.lng",
        LangHeader("Deutsch") + "[constants]\nstr_total=" + overBound + "\nstr_pause=" + atBound
            + "\n[TfrmX]\nlbX.Caption=" + overBound + "\n[messages]\nCannot*\n" + overBound
            + "\nGood\nGut\n");
    const QString error = Load("de");
    EXPECT_EQ(error,
        "The language file \"App.de.lng\": 3 entries are longer than 4096 characters and were "
        "not taken (str_total, lbX.Caption, "
            + overBound.left(40) + "...)");
    EXPECT_EQ(manager.LanguageCode(), "de");
    EXPECT_EQ(manager.LangText("str_total", "TOTAL:"), "TOTAL:");
    EXPECT_EQ(manager.LangText("str_pause", "x"), atBound);
    EXPECT_EQ(manager.LangText("TfrmX.lbX.Caption", "x"), "x");
    EXPECT_EQ(manager.LangString("Cannot go"), "Cannot go");
    EXPECT_EQ(manager.LangString("Good"), "Gut");
}

// Whatever a file holds, loading it ends with the language loaded or an
// error, and the manager stays usable.
TEST_F(LanguageManagerTest, MalformedFilesNeverCrash)
{
    QByteArray noise;
    quint32 seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += static_cast<char>((seed >> 16) & 0xFF);
    }
    QByteArray brackets;
    for (int i = 0; i < 5000; ++i)
        brackets += "[[[]]]=[\n";
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        { "empty", "" },
        { "mark only", "\xEF\xBB\xBF" },
        { "UTF-16 mark with an odd byte", "\xFF\xFE[\0" },
        { "random bytes", noise },
        { "random bytes after a header", "[calbrix language file]\nlanguagename=x\n" + noise },
        { "brackets and equals signs", brackets },
        { "invalid UTF-8 and controls", "[constants]\n\xC3\x28=\xFF\xFE\x01\x02\n" },
        { "only sections", "[]\n[ ]\n[[]]\n[constants\n]\n" },
        { "a very long line", "[constants]\nkey=" + QByteArray(1 << 20, 'v') + "\n" },
        { "a very long key", "[TfrmX]\n" + QByteArray(100000, '.') + "=x\n" },
        { "escapes at the end", "[constants]\na=\\\n[messages]\n\\\n\\t\n" },
        { "lone carriage returns", "[constants]\ra=1\rb=2\r" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.WriteBytes("App.xx.lng", c.bytes);
        manager.SetLanguageCode("xx");
        EXPECT_TRUE(manager.LanguageCode() == "xx" || !manager.LastError().isEmpty());
        manager.LangText("a", "b");
        manager.LangString(QString::fromLatin1(c.bytes.left(200)));
        QList<TLanguageInfo> languages;
        EXPECT_TRUE(manager.GetAvailableLanguages(languages));
        QObject owner;
        manager.LangVCL(&owner, "TfrmX");
    }

    // A folder named like a language file is no file.
    QDir(folder.Path()).remove("App.xx.lng");
    folder.MakeFolder("Dir.xx.lng");
    EXPECT_EQ(Load("xx"), "Language not found (xx)");
}

TEST_F(LanguageManagerTest, EncodingByMarkElseUtf8ElseWindows1252)
{
    const QString text = LangHeader("Test") + "[constants]\nword=Grüße €\n";
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    auto utf16 = [&](QSysInfo::Endian endian, const char* mark) {
        QByteArray bytes(mark);
        for (const QChar c : text) {
            const ushort u = c.unicode();
            const char hi = static_cast<char>(u >> 8);
            const char lo = static_cast<char>(u & 0xFF);
            bytes.append(endian == QSysInfo::LittleEndian ? lo : hi);
            bytes.append(endian == QSysInfo::LittleEndian ? hi : lo);
        }
        return bytes;
    };
    const Case cases[] = {
        { "UTF-8 with mark", "\xEF\xBB\xBF" + text.toUtf8() },
        { "UTF-8 without mark", text.toUtf8() },
        { "UTF-16 LE", utf16(QSysInfo::LittleEndian, "\xFF\xFE") },
        { "UTF-16 BE", utf16(QSysInfo::BigEndian, "\xFE\xFF") },
        { "Windows-1252", text.toLatin1().replace('?', '\x80') },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.WriteBytes("App.xx.lng", c.bytes);
        ASSERT_EQ(Load("xx"), QString());
        EXPECT_EQ(manager.LangText("word", "x"), "Grüße €");
    }
}

TEST_F(LanguageManagerTest, FirstDefinitionOfTheBaseFilesWinsAndUserFilesReplaceIt)
{
    folder.Write("A.xx.lng", "[constants]\nword=first\nWORD=same file again\n");
    folder.Write(
        "B.xx.lng", "[constants]\nword=second file\n[messages]\nhello\nfirst\nhello\nsecond\n");
    ASSERT_EQ(Load("xx"), QString());
    EXPECT_EQ(manager.LangText("word", "x"), "first");
    EXPECT_EQ(manager.LangString("hello"), "first");

    folder.Write("C.xx.lngu", "[constants]\nword=user\n[messages]\nHELLO\nuser\nnew\nnew text\n");
    ASSERT_EQ(Load("xx"), QString());
    EXPECT_EQ(manager.LangText("word", "x"), "user");
    EXPECT_EQ(manager.LangString("hello"), "user");
    EXPECT_EQ(manager.LangString("new"), "new text");
}

TEST_F(LanguageManagerTest, FileNamesRestrictTheFiles)
{
    folder.Write("RyvTracker.de.lng", LangHeader("Deutsch") + "[constants]\na=ryv\n");
    folder.Write("Other.de.lng", "[constants]\nb=other\n");
    folder.Write("Other.fr.lng", LangHeader("Français"));

    manager.FileNames() << "ryv*";
    ASSERT_EQ(Load("de"), QString());
    EXPECT_EQ(manager.ActiveFiles(), QStringList({ folder.Path("RyvTracker.de.lng") }));
    EXPECT_EQ(manager.LangText("b", "none"), "none");
    EXPECT_EQ(Load("fr"), "Language not found (fr)");

    // A mask that is not one (an unclosed "[") admits nothing.
    manager.FileNames() = QStringList { "Ryv[" };
    EXPECT_EQ(Load("de"), "Language not found (de)");
}

TEST_F(LanguageManagerTest, SubfoldersOnlyWhenRecursive)
{
    folder.Write("B.de.lng", LangHeader("Deutsch") + "[constants]\nword=top\n");
    folder.Write("sub/A.de.lng", LangHeader("Deutsch (sub)") + "[constants]\nword=sub\n");
    folder.Write("sub/deeper/A.fr.lng", LangHeader("Français"));

    ASSERT_EQ(Load("de"), QString());
    EXPECT_EQ(manager.ActiveFiles().size(), 1);

    manager.SetRecursiveFolder(true);
    ASSERT_EQ(Load("de"), QString());
    // Subfolders first, so their name and their first definitions win.
    EXPECT_EQ(manager.ActiveFiles(),
        QStringList({ folder.Path("sub/A.de.lng"), folder.Path("B.de.lng") }));
    EXPECT_EQ(manager.LanguageName(), "Deutsch (sub)");
    EXPECT_EQ(Load("fr"), QString());
}

TEST_F(LanguageManagerTest, UserFolderAddsUserFilesOnly)
{
    const QString base = folder.MakeFolder("base");
    const QString user = folder.MakeFolder("user");
    folder.Write(
        "base/RyvTracker.de.lng", LangHeader("Deutsch") + "[constants]\nword=base\nkept=base\n");
    folder.Write("user/Mine.de.lngu", "[constants]\nword=user\n");
    folder.Write("user/Mine.de.lng", "[constants]\nkept=a base file here is not read\n");
    folder.Write("user/Mine.it.lngu", LangHeader("Italiano (mio)") + "[constants]\nword=mio\n");
    TLanguageManager m(TLangFolders { { base }, user });

    m.SetLanguageCode("de");
    EXPECT_EQ(m.LastError(), QString());
    EXPECT_EQ(m.LangText("word", "x"), "user");
    EXPECT_EQ(m.LangText("kept", "x"), "base");

    // A language of user files alone is a language too.
    m.SetLanguageCode("it");
    EXPECT_EQ(m.LastError(), QString());
    EXPECT_EQ(m.LangText("word", "x"), "mio");
    QList<TLanguageInfo> languages;
    ASSERT_TRUE(m.GetAvailableLanguages(languages));
    EXPECT_EQ(languages, QList<TLanguageInfo>({ { "de", "Deutsch" }, { "it", "Italiano (mio)" } }));

    // The same folder as base and user folder counts its files once.
    TLanguageManager same(TLangFolders { { user }, user });
    same.SetLanguageCode("de");
    EXPECT_EQ(same.ActiveFiles().size(), 2);
}

TEST_F(LanguageManagerTest, AvailableLanguages)
{
    folder.Write("App.DE.lng", "[constants]\nx=no name in the first file\n");
    folder.Write("Other.de.lng", LangHeader("Deutsch"));
    folder.Write("App.en.lng", LangHeader("English"));
    folder.Write("App.fr.lng", "[constants]\nx=never named\n");
    folder.WriteBytes("App.it.lng", QByteArray("\0\0\0", 3));
    folder.Write("App.lng", LangHeader("No code"));
    folder.Write("App.es.txt", LangHeader("Not a language file"));

    QList<TLanguageInfo> languages { { "old", "Old" } };
    ASSERT_TRUE(manager.GetAvailableLanguages(languages));
    EXPECT_EQ(languages, QList<TLanguageInfo>({ { "en", "English" }, { "de", "Deutsch" } }));
    EXPECT_EQ(manager.LastError(), QString());
}

TEST_F(LanguageManagerTest, ChangeHandlerRefreshAndClear)
{
    folder.Write("App.de.lng",
        LangHeader("Deutsch")
            + "[constants]\nword=eins\n@Vcl.Consts.SMsgDlgCancel=Abbrechen\n"
              "[TfrmX]\nlb.Caption=Text\n[messages]\nhello\nhallo\n");
    QStringList seen;
    manager.SetOnLanguageChanged([&](TLanguageManager* sender) {
        EXPECT_EQ(sender, &manager);
        seen << sender->LangText("word", "x");
    });
    ASSERT_EQ(Load("de"), QString());
    EXPECT_EQ(manager.LangText("@vcl.consts.smsgdlgcancel", "Cancel"), "Abbrechen");
    // Resource texts are not constants, and constants are no resource texts.
    EXPECT_EQ(manager.LangText("vcl.consts.smsgdlgcancel", "Cancel"), "Cancel");
    EXPECT_EQ(manager.Constants().Count(), 1);

    folder.Write("App.de.lng", LangHeader("Deutsch") + "[constants]\nword=zwei\n");
    manager.Refresh();
    EXPECT_EQ(seen, QStringList({ "eins", "zwei" }));

    ASSERT_EQ(Load("de"), QString());
    folder.Write("App.de.lng",
        LangHeader("Deutsch")
            + "[constants]\nword=eins\n@x=y\n[TfrmX]\nlb.Caption=Text\n[messages]\nhello\nhallo\n");
    ASSERT_EQ(Load("de"), QString());
    manager.Clear(true, false, false, false);
    EXPECT_TRUE(manager.Constants().IsEmpty());
    EXPECT_TRUE(manager.ResourceStrings().IsEmpty());
    EXPECT_EQ(manager.Properties().Count(), 1);
    EXPECT_EQ(manager.LangString("hello"), "hallo");
    EXPECT_EQ(manager.LanguageCode(), "de");
    manager.Clear(false, true, true, true);
    EXPECT_TRUE(manager.Properties().IsEmpty());
    EXPECT_TRUE(manager.ActiveFiles().isEmpty());
    EXPECT_EQ(manager.LangString("hello"), "hello");
    EXPECT_EQ(manager.LanguageName(), "Deutsch");
}

TEST_F(LanguageManagerTest, LangStringSubstitutesWildcardsFromTheRight)
{
    folder.Write("App.xx.lng",
        "[messages]\n"
        "Cannot copy * to *\n"
        "Copying * to * failed\n"
        "File ? of *\n"
        "* is file ?\n"
        "Swap * and *\n"
        "* then *\n"
        "Three * * *\n"
        "Only the last: *\n"
        "One *\n"
        "Uno *, * e *\n"
        "Exact text\n"
        "Translated with * left over\n"
        "Bad [pattern *\n"
        "never used *\n"
        "Cannot copy*\n"
        "never reached\n"
        "[constants]\n"
        "Some Constant=from constants\n"
        "[TfrmX]\n"
        "lb.Caption=from properties\n");
    ASSERT_EQ(Load("xx"), QString());
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        { "Cannot copy a to b", "Copying a to b failed" },
        { "cannot COPY x y to z", "Copying x y to z failed" },
        { "Cannot copy a to b to c", "Copying a to b to c failed" },
        // Wildcards go by position, not by kind.
        { "File 7 of 9", "7 is file 9" },
        { "Swap 1 and 2", "1 then 2" },
        // Fewer wildcards in the translation: they take the rightmost.
        { "Three a b c", "Only the last: c" },
        // More wildcards in the translation: the extra ones on the left
        // take nothing.
        { "One x", "Uno ,  e x" },
        { "Exact text", "Translated with  left over" },
        { "Bad [pattern x", "Bad [pattern x" },
        { "Some constant", "from constants" },
        { "tfrmx.lb.caption", "from properties" },
        { "Unknown message", "Unknown message" },
        { "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(manager.LangString(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected));
        EXPECT_EQ(manager.LangMess(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected));
    }
}

} // namespace
} // namespace ryv

namespace ryv {
namespace {

TEST(LangFolders, InstalledFolderFirstThenBesideTheExecutable)
{
    TLangTestFolder root;
    const QString bin = root.MakeFolder("prefix/bin");
    const QString user = root.Path("home/.local/share/RyvTracker");

    TLangFolders portable = LangFoldersFor(bin, user);
    EXPECT_EQ(portable.baseFolders, QStringList({ bin + "/Langs", bin }));
    EXPECT_EQ(portable.userFolder, user + "/Langs");

    const QString installed = root.MakeFolder("prefix/share/RyvTracker/Langs");
    EXPECT_EQ(
        LangFoldersFor(bin, user).baseFolders, QStringList({ installed, bin + "/Langs", bin }));
    EXPECT_EQ(LangFoldersFor(bin, QString()).userFolder, QString());
}

} // namespace
} // namespace ryv
