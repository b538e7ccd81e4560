// A language switch of the program as the user makes one from the Languages
// menu: the German language read from the shipped file and applied to the
// main window and an open task dialog, with the application and dialog
// texts, the window's texts set in code and the announcement to Qt. Must stay
// well under one frame (16 ms).

#include "core/apptexts.h"
#include "lang/dialogtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "lang/programlanguage.h"
#include "lang/qlxcontroller.h"
#include "suggest/suggestfakes.h"
#include "tracking/trackerworld.h"
#include "ui/mainwindow.h"
#include "ui/taskdialog.h"
#include "ui/windowlanguage.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct TProgramBench {
    TProgramBench()
        : world(dir.path())
        , manager(ryv::TLangFolders { { QStringLiteral(RYV_LANGS) }, QString() })
    {
        language.userLanguage = [] { return QStringLiteral("en"); };
        language.showError = [](const QString& message) { qFatal("%s", qPrintable(message)); };
        QApplication::installTranslator(&translator);
        window = std::make_unique<ryv::TfrmRyvTracker>(
            ryv::TMainWindowParts { world.options, world.favs, world.recent, world.today,
                world.history, world.store, world.tracker, world.messages, nullptr, &language });
        window->FormCreate();
        window->show();
        task = std::make_unique<ryv::TfrmRyvTask>(world.options, world.favs, sources,
            world.clipboard, world.shell, window.get(), &manager);
        task->show();
    }
    void Switch(const char* code)
    {
        window->Language()->miChangeLanguageClick(QString::fromLatin1(code));
    }

    QTemporaryDir dir;
    ryv::TTrackerWorld world;
    ryv::TLanguageManager manager;
    ryv::TLangTranslator translator;
    ryv::TAppTextsScope appTexts;
    ryv::TDialogTextsScope dialogTexts;
    ryv::TProgramLanguage language { manager, translator, appTexts, dialogTexts };
    ryv::test::TFakeWindows windows;
    ryv::test::TFakeHistory history;
    ryv::TSuggestSources sources { world.options, world.favs, world.recent, world.clock, windows,
        history, world.clipboard };
    std::unique_ptr<ryv::TfrmRyvTracker> window;
    std::unique_ptr<ryv::TfrmRyvTask> task;
};

// One switch to German (timed) and one back to English (not timed) per
// iteration.
void BM_SwitchToGerman(benchmark::State& state)
{
    TProgramBench b;
    for (auto _ : state) {
        b.Switch("de");
        // The announcement reaches the open windows.
        QApplication::processEvents();
        state.PauseTiming();
        if (b.manager.LanguageCode() != QLatin1String("de"))
            state.SkipWithError("German was not loaded");
        b.Switch("en");
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(
        b.window->findChildren<QObject*>().size() + b.task->findChildren<QObject*>().size());
}
BENCHMARK(BM_SwitchToGerman)->Unit(benchmark::kMillisecond);

} // namespace
