#include "lang/languagemanager.h"

#include "langtestfolder.h"

#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

// Objects with declared Qt properties, translated by the QtCore-only writer:
// what any Qt object offers without the widget table.
class TCoreComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString caption MEMBER caption)
    Q_PROPERTY(int width MEMBER width)
    Q_PROPERTY(bool flag MEMBER flag)
    Q_PROPERTY(double ratio MEMBER ratio)
    Q_PROPERTY(TMode mode MEMBER mode)
    Q_PROPERTY(TOptions options READ Options WRITE SetOptions)
    Q_PROPERTY(QStringList items MEMBER items)
    Q_PROPERTY(QObject* child MEMBER child)
    Q_PROPERTY(int readOnly READ ReadOnly)
public:
    enum TMode { First, Second };
    Q_ENUM(TMode)
    enum TOption { OptA = 1, OptB = 2, OptC = 4 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

    using QObject::QObject;
    int ReadOnly() const { return 0; }
    TOptions Options() const { return options; }
    void SetOptions(TOptions value) { options = value; }

    QString caption;
    int width = 0;
    bool flag = false;
    double ratio = 0;
    TMode mode = First;
    TOptions options;
    QStringList items;
    QObject* child = nullptr;
};

class TfrmCore : public TCoreComponent {
    Q_OBJECT
public:
    using TCoreComponent::TCoreComponent;
};

namespace ryv {
namespace {

class LangVclTest : public ::testing::Test {
protected:
    LangVclTest()
        : manager(TLangFolders { { folder.Path() }, QString() })
    {
        form.setObjectName("frmCore");
        comp = new TCoreComponent(&form);
        comp->setObjectName("comp");
        nested = new TCoreComponent(comp);
        nested->setObjectName("nestedDeep");
        comp->child = new TCoreComponent(comp);
    }

    // Loads a language whose [TfrmCore] section holds entries.
    void LoadEntries(const QString& entries)
    {
        folder.Write("App.xx.lng", "[TfrmCore]\n" + entries);
        manager.SetLanguageCode("xx");
        ASSERT_EQ(manager.LastError(), QString());
    }

    TLangTestFolder folder;
    TLanguageManager manager;
    TfrmCore form;
    TCoreComponent* comp = nullptr;
    TCoreComponent* nested = nullptr;
};

TEST_F(LangVclTest, PropertiesConvertToTheirTypes)
{
    LoadEntries("self.Caption=Window\n"
                "COMP.CAPTION=Component\n"
                "comp.width=12\n"
                "comp.flag=TRUE\n"
                "comp.ratio=1.5\n"
                "comp.mode=second\n"
                "comp.options=[OptA, optc]\n"
                "comp.child.caption=Nested\n"
                "NestedDeep.caption=Found at any depth\n"
                "comp.items.text=a\\nb\\n\n"
                "form.items.commatext=ignored, no such component\n"
                "Caption=an entry without a path does nothing\n");
    EXPECT_TRUE(manager.LangVCL(&form)) << manager.LastError().toStdString();
    EXPECT_EQ(form.caption, "Window");
    EXPECT_EQ(comp->caption, "Component");
    EXPECT_EQ(comp->width, 12);
    EXPECT_TRUE(comp->flag);
    EXPECT_EQ(comp->ratio, 1.5);
    EXPECT_EQ(comp->mode, TCoreComponent::Second);
    EXPECT_EQ(comp->options, TCoreComponent::TOptions(TCoreComponent::OptA | TCoreComponent::OptC));
    EXPECT_EQ(static_cast<TCoreComponent*>(comp->child)->caption, "Nested");
    EXPECT_EQ(nested->caption, "Found at any depth");
    EXPECT_EQ(comp->items, QStringList({ "a", "b" }));
}

TEST_F(LangVclTest, StringListPseudoProperties)
{
    struct Case {
        const char* entry;
        QStringList expected;
    };
    const Case cases[] = {
        { R"(comp.items.TEXT=one\ntwo)", { "one", "two" } },
        { R"(comp.items.Text=)", {} },
        { R"(comp.items.CommaText="a b",c d,"say ""hi""",)",
            { "a b", "c", "d", "say \"hi\"", "" } },
        { R"(comp.items.DelimitedText=x,,y)", { "x", "", "y" } },
        // Other names on a string list are ignored.
        { R"(comp.items.Count=5)", { "unchanged" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        comp->items = QStringList { "unchanged" };
        LoadEntries(QString::fromUtf8(c.entry) + "\n");
        EXPECT_TRUE(manager.LangVCL(&form)) << manager.LastError().toStdString();
        EXPECT_EQ(comp->items, c.expected);
    }
}

TEST_F(LangVclTest, FailingEntriesAreReportedAndTheRestApplies)
{
    LoadEntries("comp.caption=applied\n"
                "comp.unknown=1\n"
                "comp.width=abc\n"
                "comp.readOnly=1\n"
                "comp.objectName=renamed\n"
                "comp.mode=Third\n");
    EXPECT_FALSE(manager.LangVCL(&form));
    EXPECT_EQ(comp->caption, "applied");
    EXPECT_EQ(comp->objectName(), "comp");
    // Entries come in key order.
    EXPECT_EQ(manager.LastError(),
        "\n\nTLanguageManager (TFRMCORE.COMP.MODE):\n      Invalid value 'Third' for property MODE"
        "\n\nTLanguageManager (TFRMCORE.COMP.OBJECTNAME):\n      Property OBJECTNAME cannot be set "
        "from a language file"
        "\n\nTLanguageManager (TFRMCORE.COMP.READONLY):\n      Property READONLY is read-only"
        "\n\nTLanguageManager (TFRMCORE.COMP.UNKNOWN):\n      Property UNKNOWN does not exist"
        "\n\nTLanguageManager (TFRMCORE.COMP.WIDTH):\n      Invalid value 'abc' for property "
        "WIDTH");

    // A later pass starts with an empty error.
    LoadEntries("comp.caption=fine\n");
    EXPECT_TRUE(manager.LangVCL(&form));
    EXPECT_EQ(manager.LastError(), QString());
}

// No path, however malformed, crashes the walk or applies anything; each is
// reported (or skipped where the file names nothing this window has).
TEST_F(LangVclTest, MalformedPathsNeverCrash)
{
    QString deep = "comp";
    for (int i = 0; i < 40; ++i)
        deep += ".child";
    struct Case {
        QString entry;
        bool reported;
    };
    const Case cases[] = {
        { "comp..caption=x", true },
        { ".caption=x", true },
        { "comp.=x", true },
        { "comp[.caption=x", true },
        { "comp].caption=x", true },
        { "comp[1].caption=x", true },
        { "comp.child[.caption=x", true },
        { "comp.child[1.caption=x", true },
        { "comp.child]1[.caption=x", true },
        { "comp.child[1]x.caption=x", true },
        { "comp.child[1][2].caption=x", true },
        { "comp.child[99999999999999999999999].caption=x", true },
        { "comp.Columns[2].caption=x", true },
        { "comp.child[0].x.caption=x", true },
        { "comp.caption.caption=x", true },
        { "comp.width.caption=x", true },
        { "comp.nothing.caption=x", true },
        { deep + ".caption=x", true },
        { "comp.Columns[x].caption=x", false },
        { "comp.Columns[].caption=x", false },
        { "comp.Columns[-1].caption=x", false },
        { "missing.caption=x", false },
        { "missing[.caption=x", true },
        { "self.=x", true },
        { "[].x=x", true },
        { "...=x", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        comp->caption = "unchanged";
        LoadEntries(c.entry + "\n");
        EXPECT_EQ(manager.LangVCL(&form), !c.reported) << manager.LastError().toStdString();
        EXPECT_EQ(comp->caption, "unchanged");
    }
}

TEST_F(LangVclTest, OnlyComponentAndClassName)
{
    folder.Write("App.xx.lng",
        "[TfrmCore]\ncomp.caption=one\ncomp.child.caption=child\nnestedDeep.caption=nested\n"
        "[TOther]\ncomp.caption=other\n");
    manager.SetLanguageCode("xx");

    // The object reached before the last step is compared, so
    // comp.child.caption belongs to comp.
    EXPECT_TRUE(manager.LangVCL(&form, QString(), comp));
    EXPECT_EQ(comp->caption, "one");
    EXPECT_EQ(static_cast<TCoreComponent*>(comp->child)->caption, "child");
    EXPECT_EQ(nested->caption, "");
    EXPECT_TRUE(manager.LangVCL(&form, QString(), nested));
    EXPECT_EQ(nested->caption, "nested");

    EXPECT_TRUE(manager.LangForm(&form, "tother"));
    EXPECT_EQ(comp->caption, "other");

    EXPECT_FALSE(manager.LangVCL(nullptr));
    EXPECT_EQ(manager.LastError(), "\n\nTLanguageManager:\n      There is no window to translate");
}

} // namespace
} // namespace ryv

#include "langvcl_test.moc"
