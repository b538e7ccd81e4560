// Speed of the language machinery on a synthetic window (the whole
// program's switch: programlang_bench.cpp): reading a language of realistic size (about
// 600 entries: window texts, application texts, message patterns) and
// applying it to a window of about 150 widgets and actions. Both together
// must stay well under one frame (16 ms), since a switch re-translates every
// open window at once.

#include "lang/languagemanager.h"
#include "lang/widgetpropertywriter.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int Actions = 80; // caption, hint, shortcut each
constexpr int Buttons = 60; // caption, hint each
constexpr int Labels = 40; // caption each
constexpr int Checks = 2;
constexpr int Constants = 150;
constexpr int MessagePairs = 20;

class TfrmBench final : public QWidget {
public:
    TfrmBench()
    {
        setObjectName("frmBench");
        auto* layout = new QVBoxLayout(this);
        for (int i = 0; i < Actions; ++i) {
            auto* a = new QAction(QStringLiteral("Action %1").arg(i), this);
            a->setObjectName(QStringLiteral("acCommand%1").arg(i));
        }
        for (int i = 0; i < Buttons; ++i) {
            auto* b = new QPushButton(QStringLiteral("Button %1").arg(i), this);
            b->setObjectName(QStringLiteral("sbButton%1").arg(i));
            layout->addWidget(b);
        }
        for (int i = 0; i < Labels; ++i) {
            auto* l = new QLabel(QStringLiteral("Label %1").arg(i), this);
            l->setObjectName(QStringLiteral("lbLabel%1").arg(i));
            layout->addWidget(l);
        }
        for (int i = 0; i < Checks; ++i) {
            auto* c = new QCheckBox(QStringLiteral("Check %1").arg(i), this);
            c->setObjectName(QStringLiteral("cbCheck%1").arg(i));
            layout->addWidget(c);
        }
        auto* list = new QTreeWidget(this);
        list->setObjectName("lvList");
        list->setHeaderLabels({ "Time", "Task", "Hours" });
        layout->addWidget(list);
    }
};

// Writes the German language file of the bench window into folder.
void WriteLanguage(const QString& folder)
{
    QString text = QStringLiteral("[calbrix language file]\nlanguagename=Deutsch\n\n[TfrmBench]\n");
    text += QStringLiteral("self.Caption=Ryv Tracker\n");
    for (int i = 0; i < Actions; ++i) {
        text += QStringLiteral("acCommand%1.Caption=Befehl %1\n").arg(i);
        text += QStringLiteral("acCommand%1.Hint=Führt den Befehl %1 aus|Führt den Befehl %1 "
                               "für die markierte Aufgabe aus\n")
                    .arg(i);
        text += QStringLiteral("acCommand%1.ShortCut=Shift+Ctrl+F%2\n").arg(i).arg(i % 12 + 1);
    }
    for (int i = 0; i < Buttons; ++i) {
        text += QStringLiteral("sbButton%1.Caption=Schaltfläche %1\n").arg(i);
        text += QStringLiteral("sbButton%1.Hint=Hinweis zur Schaltfläche %1\n").arg(i);
    }
    for (int i = 0; i < Labels; ++i)
        text += QStringLiteral("lbLabel%1.Caption=Beschriftung %1:\n").arg(i);
    for (int i = 0; i < Checks; ++i)
        text += QStringLiteral("cbCheck%1.Caption=Auswahl %1\n").arg(i);
    text += QStringLiteral("lvList.Columns[0].Caption=Zeit\nlvList.Columns[1].Caption=Aufgabe\n"
                           "lvList.Columns[2].Caption=Stunden\n");
    text += QStringLiteral("\n[constants]\n");
    for (int i = 0; i < Constants; ++i)
        text += QStringLiteral("str_text%1=Ein übersetzter Text Nummer %1\\nmit zweiter Zeile\n")
                    .arg(i);
    text += QStringLiteral("@Vcl.Consts.SMsgDlgCancel=Abbrechen\n\n[messages]\n");
    for (int i = 0; i < MessagePairs; ++i)
        text += QStringLiteral("Cannot copy * to * (%1)\nKopieren von * nach * gescheitert (%1)\n")
                    .arg(i);
    QFile file(folder + QStringLiteral("/Bench.de.lng"));
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
}

// The section the bench window reads (it has no meta-object of its own).
const QString ClassName = QStringLiteral("TfrmBench");

struct TLangBench {
    TLangBench()
        : manager(ryv::TLangFolders { { dir.path() }, QString() })
    {
        WriteLanguage(dir.path());
    }
    QTemporaryDir dir;
    ryv::TLanguageManager manager;
    ryv::TWidgetPropertyWriter writer;
    TfrmBench form;
};

void BM_LoadLanguage(benchmark::State& state)
{
    TLangBench b;
    for (auto _ : state) {
        b.manager.SetLanguageCode("de");
        b.manager.SetLanguageCode(QString());
        benchmark::DoNotOptimize(b.manager.Properties().Count());
    }
    state.counters["entries"] = static_cast<double>(
        b.manager.Properties().Count() + b.manager.Constants().Count() + MessagePairs);
}
BENCHMARK(BM_LoadLanguage)->Unit(benchmark::kMicrosecond);

void BM_ApplyLanguage(benchmark::State& state)
{
    TLangBench b;
    b.manager.SetLanguageCode("de");
    for (auto _ : state) {
        const bool ok = b.manager.LangVCL(&b.form, ClassName, nullptr, &b.writer);
        if (!ok)
            state.SkipWithError(qPrintable(b.manager.LastError()));
        benchmark::DoNotOptimize(ok);
    }
    state.counters["widgets"] = static_cast<double>(b.form.findChildren<QObject*>().size());
}
BENCHMARK(BM_ApplyLanguage)->Unit(benchmark::kMicrosecond);

void BM_LoadAndApply(benchmark::State& state)
{
    TLangBench b;
    for (auto _ : state) {
        b.manager.SetLanguageCode("de");
        b.manager.LangVCL(&b.form, ClassName, nullptr, &b.writer);
        b.manager.SetLanguageCode(QString());
    }
}
BENCHMARK(BM_LoadAndApply)->Unit(benchmark::kMicrosecond);

void BM_LangText(benchmark::State& state)
{
    TLangBench b;
    b.manager.SetLanguageCode("de");
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            b.manager.LangText(QStringLiteral("str_text%1").arg(i++ % Constants), QString()));
    }
}
BENCHMARK(BM_LangText);

} // namespace
