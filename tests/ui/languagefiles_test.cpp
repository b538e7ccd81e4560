// The shipped language files against the program itself: every text of
// every window, every application and dialog text, nothing else; the English
// file exactly the program's built-in texts. Run with
// RYV_WRITE_ENGLISH_LANGUAGE=<file> to write the English file from the
// program (scripts/update-english-language.sh).

#include "languageworld.h"

#include "lang/langfile.h"
#include "lang/widgetpropertywriter.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace ryv::langtest {
namespace {

QString Upper(const QString& s)
{
    return s.toUpper();
}

// The placeholders of a text ("%1", "%2"), which a translation must keep.
QSet<QString> Placeholders(const QString& text)
{
    QSet<QString> found;
    static const QRegularExpression pattern(QStringLiteral("%\\d"));
    for (const QRegularExpressionMatch& m : pattern.globalMatch(text))
        found.insert(m.captured());
    return found;
}

class LanguageFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    TRegionalScope locale { "en_US" };
    QTemporaryDir folder;
};

TEST_F(LanguageFilesTest, EnglishFileIsTheProgramsOwnTexts)
{
    TProgramWindows windows(folder.path());
    const QString expected = EnglishLanguageFileText(windows);
    const QString target = qEnvironmentVariable("RYV_WRITE_ENGLISH_LANGUAGE");
    if (!target.isEmpty()) {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(expected.toUtf8());
        return;
    }
    QFile file(ShippedLangs() + QStringLiteral("/RyvTracker.en.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), expected)
        << "Langs/RyvTracker.en.lng differs from the program's texts: run "
           "scripts/update-english-language.sh, then give the German file the same entries";
    for (const auto& [section, window] : windows.Sections()) {
        SCOPED_TRACE(section.toStdString());
        EXPECT_TRUE(DuplicateTextObjectNames(window).isEmpty())
            << "objects named alike: "
            << DuplicateTextObjectNames(window).join(QStringLiteral(", ")).toStdString();
    }
}

TEST_F(LanguageFilesTest, EveryShippedLanguageIsComplete)
{
    // What a complete language has: the English file's sections and keys.
    TProgramWindows english(folder.path() + QStringLiteral("/en"));
    QMap<QString, QSet<QString>> expected; // upper-cased section -> keys
    QSet<QString> constants;
    TAppTexts appTexts;
    for (const auto& [id, value] : appTexts.Table())
        constants << Upper(id);
    TDialogTexts dialogTexts;
    for (const auto& [id, value] : dialogTexts.Table())
        constants << Upper(id);
    constants << Upper(QString::fromLatin1(CancelTextId));
    expected.insert(QStringLiteral("CONSTANTS"), constants);
    for (const auto& [section, window] : english.Sections()) {
        QSet<QString>& keys = expected[Upper(section)];
        for (const TLangTemplateEntry& entry : LangTemplateEntries(window))
            keys << Upper(entry.key);
    }
    QMap<QString, QString> englishConstants;
    for (const auto& [id, value] : appTexts.Table())
        englishConstants.insert(Upper(id), *value);

    const struct {
        const char* code;
        const char* name;
    } languages[] = { { "en", "English" }, { "de", "Deutsch" } };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.code);
        const QString path
            = ShippedLangs() + QStringLiteral("/RyvTracker.%1.lng").arg(language.code);
        QString error;
        const std::optional<TLangFile> file = TLangFile::Load(path, &error);
        ASSERT_TRUE(file) << error.toStdString();
        EXPECT_EQ(file->Value(u"calbrix language file", u"languagename"),
            QString::fromUtf8(language.name));

        QMap<QString, QSet<QString>> found;
        for (const TLangSection& section : file->Sections()) {
            const QString name = Upper(section.name);
            if (name == QLatin1String("CALBRIX LANGUAGE FILE") || name == QLatin1String("MESSAGES"))
                continue;
            EXPECT_TRUE(expected.contains(name))
                << "a section for no window: " << section.name.toStdString();
            for (const TLangLine& line : section.lines) {
                SCOPED_TRACE(line.name.toStdString());
                ASSERT_TRUE(line.isEntry) << line.value.toStdString();
                EXPECT_FALSE(found[name].contains(Upper(line.name))) << "written twice";
                found[name] << Upper(line.name);
                EXPECT_FALSE(line.value.isEmpty());
                // Values with placeholders keep them.
                if (name == QLatin1String("CONSTANTS")
                    && englishConstants.contains(Upper(line.name))) {
                    EXPECT_EQ(Placeholders(line.value),
                        Placeholders(englishConstants.value(Upper(line.name))));
                }
            }
        }
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            SCOPED_TRACE(it.key().toStdString());
            const QSet<QString> have = found.value(it.key());
            for (const QString& key : it.value())
                EXPECT_TRUE(have.contains(key)) << "missing: " << key.toStdString();
            for (const QString& key : have)
                EXPECT_TRUE(it.value().contains(key))
                    << "names nothing of the program: " << key.toStdString();
        }

        // Every entry applies to the windows made in that language.
        TTestLanguage program(ShippedLangs());
        program.manager.SetLanguageCode(QString::fromLatin1(language.code));
        ASSERT_EQ(program.manager.LastError(), QString());
        TProgramWindows windows(folder.path() + QLatin1Char('/') + language.code);
        TWidgetPropertyWriter writer;
        for (const auto& [section, window] : windows.Sections()) {
            SCOPED_TRACE(section.toStdString());
            EXPECT_TRUE(program.manager.LangVCL(window, section, nullptr, &writer))
                << program.manager.LastError().toStdString();
        }
    }
}

} // namespace
} // namespace ryv::langtest
