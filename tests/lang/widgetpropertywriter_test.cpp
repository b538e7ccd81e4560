#include "lang/languagemanager.h"
#include "lang/widgetpropertywriter.h"

#include "langtestfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

// A window with one widget of every kind the table knows.
class TfrmWidgets : public QWidget {
    Q_OBJECT
public:
    TfrmWidgets()
    {
        setObjectName("frmWidgets");
        acStart = Make<QAction>("acStart", this);
        acStart->setShortcuts({ QKeySequence("Ins"), QKeySequence("Ctrl+T") });
        menu = Make<QMenu>("pumMain", this);
        menu->menuAction()->setObjectName("miMain");
        button = Make<QPushButton>("sbStart", this);
        check = Make<QCheckBox>("cbRepDaily", this);
        label = Make<QLabel>("lbTotCap", this);
        group = Make<QGroupBox>("gbGroup", this);
        inGroup = Make<QLabel>("lbInGroup", group);
        tabs = Make<QTabWidget>("tabs", this);
        page = Make<QWidget>("tsPage", static_cast<QWidget*>(nullptr));
        tabs->addTab(page, "old tab");
        edit = Make<QLineEdit>("edTitle", this);
        memo = Make<QPlainTextEdit>("mmDescr", this);
        combo = Make<QComboBox>("cbKind", this);
        combo->addItem("one", 1);
        combo->addItem("two", 2);
        combo->addItem("three", 3);
        combo->setCurrentIndex(1);
        list = Make<QListWidget>("lbxItems", this);
        list->addItems({ "a", "b" });
        tree = Make<QTreeWidget>("lvSuggest", this);
        tree->setHeaderLabels({ "Task", "Source" });
        table = Make<QTableWidget>("tblPlans", this);
        table->setColumnCount(2);
        plainView = Make<QTreeView>("lvPlain", this);
        plainModel = new QStringListModel(QStringList { "x" }, plainView);
        plainView->setModel(plainModel);
        emptyView = Make<QTreeView>("lvEmpty", this);
    }

    template <typename T, typename P> static T* Make(const char* name, P* parent)
    {
        auto* w = new T(parent);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }

    QAction* acStart;
    QMenu* menu;
    QPushButton* button;
    QCheckBox* check;
    QLabel* label;
    QGroupBox* group;
    QLabel* inGroup;
    QTabWidget* tabs;
    QWidget* page;
    QLineEdit* edit;
    QPlainTextEdit* memo;
    QComboBox* combo;
    QListWidget* list;
    QTreeWidget* tree;
    QTableWidget* table;
    QTreeView* plainView;
    QStringListModel* plainModel;
    QTreeView* emptyView;
};

namespace ryv {
namespace {

class WidgetPropertyWriterTest : public ::testing::Test {
protected:
    WidgetPropertyWriterTest()
        : manager(TLangFolders { { folder.Path() }, QString() })
    {
    }

    // Loads [TfrmWidgets] entries and applies them; true when none failed.
    bool Apply(const QString& entries)
    {
        folder.Write("App.xx.lng", "[TfrmWidgets]\n" + entries);
        manager.SetLanguageCode("xx");
        EXPECT_EQ(manager.LastError(), QString());
        return manager.LangVCL(&form, QString(), nullptr, &writer);
    }

    TLangTestFolder folder;
    TLanguageManager manager;
    TWidgetPropertyWriter writer;
    TfrmWidgets form;
};

TEST_F(WidgetPropertyWriterTest, CaptionReachesEveryKindOfWidget)
{
    EXPECT_TRUE(Apply("self.Caption=Ryv Tracker\n"
                      "acStart.Caption=&Start\n"
                      "miMain.Caption=Main menu item\n"
                      "pumMain.Caption=Main menu\n"
                      "sbStart.Caption=Start button\n"
                      "cbRepDaily.Caption=Daily\n"
                      "lbTotCap.Caption=Total:\n"
                      "gbGroup.Caption=Group\n"
                      "lbInGroup.Caption=Nested label\n"
                      "tsPage.Caption=New tab\n"))
        << manager.LastError().toStdString();
    EXPECT_EQ(form.windowTitle(), "Ryv Tracker");
    EXPECT_EQ(form.acStart->text(), "&Start");
    EXPECT_EQ(form.menu->title(), "Main menu");
    EXPECT_EQ(form.button->text(), "Start button");
    EXPECT_EQ(form.check->text(), "Daily");
    EXPECT_EQ(form.label->text(), "Total:");
    EXPECT_EQ(form.group->title(), "Group");
    EXPECT_EQ(form.inGroup->text(), "Nested label");
    EXPECT_EQ(form.tabs->tabText(0), "New tab");

    // Caption on a widget that shows none is an error.
    EXPECT_FALSE(Apply("edTitle.Caption=x\n"));
    EXPECT_EQ(manager.LastError(),
        "\n\nTLanguageManager (TFRMWIDGETS.EDTITLE.CAPTION):\n      Property CAPTION does not "
        "exist");
}

TEST_F(WidgetPropertyWriterTest, HintGivesToolTipAndStatusTip)
{
    EXPECT_TRUE(Apply("acStart.Hint=Start a new task\nsbStart.Hint=Short|Long hint\n"));
    EXPECT_EQ(form.acStart->toolTip(), "Start a new task");
    EXPECT_EQ(form.acStart->statusTip(), "Start a new task");
    EXPECT_EQ(form.button->toolTip(), "Short");
    EXPECT_EQ(form.button->statusTip(), "Long hint");
}

TEST_F(WidgetPropertyWriterTest, ShortCutOnlyWithSpecialProperties)
{
    EXPECT_TRUE(Apply("acStart.ShortCut=Ctrl+N\nsbStart.ShortCut=Alt+S\n"));
    // The first shortcut is replaced; the others stay.
    EXPECT_EQ(form.acStart->shortcuts(),
        QList<QKeySequence>({ QKeySequence("Ctrl+N"), QKeySequence("Ctrl+T") }));
    EXPECT_EQ(form.button->shortcut(), QKeySequence("Alt+S"));

    EXPECT_FALSE(Apply("acStart.ShortCut=Nonsense\n"));
    EXPECT_EQ(manager.LastError(),
        "\n\nTLanguageManager (TFRMWIDGETS.ACSTART.SHORTCUT):\n      'Nonsense' is not a shortcut");
    EXPECT_EQ(form.acStart->shortcut(), QKeySequence("Ctrl+N"));

    EXPECT_TRUE(Apply("acStart.ShortCut=\n"));
    EXPECT_EQ(form.acStart->shortcuts(), QList<QKeySequence>({ QKeySequence("Ctrl+T") }));

    manager.SetAllowSpecialProps(false);
    EXPECT_FALSE(Apply("acStart.ShortCut=Ctrl+N\n"));
    EXPECT_EQ(manager.LastError(),
        "\n\nTLanguageManager (TFRMWIDGETS.ACSTART.SHORTCUT):\n      Invalid value 'Ctrl+N' for "
        "property SHORTCUT");
    EXPECT_EQ(form.acStart->shortcuts(), QList<QKeySequence>({ QKeySequence("Ctrl+T") }));
}

TEST_F(WidgetPropertyWriterTest, ColumnsByIndex)
{
    struct Case {
        const char* entry;
        bool ok;
    };
    const Case cases[] = {
        { "lvSuggest.Columns[1].Caption=Quelle", true },
        { "lvSuggest.Columns[0].Width=120", true },
        { "tblPlans.Columns[1].Caption=Plan", true },
        { "lvSuggest.Columns[x].Caption=nothing, no error", true },
        { "lvSuggest.Columns[2].Caption=no third column", false },
        { "lvSuggest.Columns[4294967296].Caption=huge", false },
        { "lvSuggest.Columns[99999999999999999999999999].Caption=huge", false },
        { "lvSuggest.Columns[0].Colour=red", false },
        { "lvSuggest.Columns[0].Width=wide", false },
        { "lvEmpty.Columns[0].Caption=no model", false },
        { "lvPlain.Columns[0].Caption=a model without header texts", false },
        { "edTitle.Columns[0].Caption=no columns", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(Apply(QString::fromUtf8(c.entry) + "\n"), c.ok)
            << manager.LastError().toStdString();
    }
    EXPECT_EQ(form.tree->headerItem()->text(0), "Task");
    EXPECT_EQ(form.tree->headerItem()->text(1), "Quelle");
    EXPECT_EQ(form.tree->header()->sectionSize(0), 120);
    EXPECT_EQ(form.table->horizontalHeaderItem(1)->text(), "Plan");
}

TEST_F(WidgetPropertyWriterTest, LinesAndItems)
{
    EXPECT_TRUE(Apply("mmDescr.Lines.Text=first\\nsecond\n"
                      "cbKind.Items.CommaText=eins,\"zwei drei\"\n"
                      "lbxItems.Items.Text=x\\ny\\nz\n"
                      "lbxItems.Items.Count=ignored\n"))
        << manager.LastError().toStdString();
    EXPECT_EQ(form.memo->toPlainText(), "first\nsecond");
    // Items are replaced in place: their data and the current item stay.
    ASSERT_EQ(form.combo->count(), 2);
    EXPECT_EQ(form.combo->itemText(0), "eins");
    EXPECT_EQ(form.combo->itemText(1), "zwei drei");
    EXPECT_EQ(form.combo->itemData(1), 2);
    EXPECT_EQ(form.combo->currentIndex(), 1);
    ASSERT_EQ(form.list->count(), 3);
    EXPECT_EQ(form.list->item(2)->text(), "z");
}

TEST_F(WidgetPropertyWriterTest, OtherNamesAreQtProperties)
{
    EXPECT_TRUE(Apply("edTitle.placeholderText=Task title\n"
                      "edTitle.maxLength=40\n"
                      "cbRepDaily.checked=true\n"
                      "lbTotCap.alignment=AlignRight|AlignVCenter\n"
                      "lbTotCap.wordWrap=1\n"))
        << manager.LastError().toStdString();
    EXPECT_EQ(form.edit->placeholderText(), "Task title");
    EXPECT_EQ(form.edit->maxLength(), 40);
    EXPECT_TRUE(form.check->isChecked());
    EXPECT_EQ(form.label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_TRUE(form.label->wordWrap());

    EXPECT_FALSE(Apply("edTitle.noSuchProperty=1\nedTitle.maxLength=many\n"));
    EXPECT_EQ(manager.LastError(),
        "\n\nTLanguageManager (TFRMWIDGETS.EDTITLE.MAXLENGTH):\n      Invalid value 'many' for "
        "property MAXLENGTH"
        "\n\nTLanguageManager (TFRMWIDGETS.EDTITLE.NOSUCHPROPERTY):\n      Property NOSUCHPROPERTY "
        "does not exist");
}

// A language file cannot turn a text into markup, links or styles.
TEST_F(WidgetPropertyWriterTest, TextsStayPlain)
{
    form.label->setTextFormat(Qt::RichText);
    EXPECT_TRUE(Apply("lbTotCap.Caption=<b>bold</b> <a href='file:///etc'>link</a>\n"
                      "lbInGroup.text=<img src='x.png'>\n"
                      "sbStart.Hint=<b>Start</b>\n"
                      "edTitle.toolTip=<i>tip</i>\n"));
    EXPECT_EQ(form.label->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.label->text(), "<b>bold</b> <a href='file:///etc'>link</a>");
    EXPECT_EQ(form.inGroup->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.button->toolTip(), TWidgetPropertyWriter::PlainToolTip("<b>Start</b>"));
    EXPECT_TRUE(form.button->toolTip().contains("&lt;b&gt;"));
    EXPECT_TRUE(form.edit->toolTip().contains("&lt;i&gt;"));
    EXPECT_EQ(form.button->statusTip(), "<b>Start</b>");

    form.label->setTextFormat(Qt::PlainText);
    for (const char* entry : { "lbTotCap.textFormat=RichText", "lbTotCap.openExternalLinks=true",
             "lbTotCap.textInteractionFlags=TextBrowserInteraction",
             "sbStart.styleSheet=color: white", "sbStart.objectName=acStart" }) {
        SCOPED_TRACE(entry);
        EXPECT_FALSE(Apply(QString::fromUtf8(entry) + "\n"));
    }
    EXPECT_EQ(form.label->textFormat(), Qt::PlainText);
    EXPECT_FALSE(form.label->openExternalLinks());
    EXPECT_EQ(form.button->styleSheet(), QString());
    EXPECT_EQ(form.button->objectName(), "sbStart");
}

// Random entries built from the characters that matter to the path walker
// and the table: none may crash, whatever it reports.
TEST_F(WidgetPropertyWriterTest, RandomEntriesNeverCrash)
{
    const QStringList words { "self", "acStart", "sbStart", "lvSuggest", "cbKind", "mmDescr",
        "Columns", "Items", "Lines", "Caption", "Hint", "ShortCut", "Text", "CommaText", "Width",
        "text", "x", "", "[", "]", "[0]", "[1]", "[x]", "[99999999999]", ".", "..", "=" };
    quint32 seed = 4711;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<quint32>(n));
    };
    QString entries;
    for (int i = 0; i < 400; ++i) {
        QString key;
        const int parts = 1 + next(6);
        for (int p = 0; p < parts; ++p)
            key += words[next(static_cast<int>(words.size()))] + (next(3) ? "." : "");
        entries += key + "=" + words[next(static_cast<int>(words.size()))] + "\n";
    }
    Apply(entries);
    SUCCEED();
}

} // namespace
} // namespace ryv

#include "widgetpropertywriter_test.moc"
