#include "ui/savefiledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ryv {
namespace {

TSaveDialogRequest Request(const QString& initialPath)
{
    TSaveDialogRequest r;
    r.title = QStringLiteral("Report - Last month");
    r.filters = { QStringLiteral("HTML files (*.html)"), QStringLiteral("CSV files (*.csv)"),
        QStringLiteral("PDF files (*.pdf)") };
    r.selectedFilter = r.filters.constFirst();
    r.defaultSuffix = QStringLiteral("html");
    r.initialPath = initialPath;
    return r;
}

// The proposed name keeps the extension the user chose last time, whatever
// file type is preselected.
TEST(SaveFileDialog, ProposedNameKeepsItsOwnExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* name;
    } cases[] = { { "report.txt" }, { "Report.PDF" }, { "Last month.html" } };
    for (const auto& c : cases) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        TSaveFileDialog::Prepare(dialog, Request(path));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Report - Last month"));
        EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("HTML files (*.html)"));
        ASSERT_EQ(dialog.selectedFiles().size(), 1) << c.name;
        EXPECT_EQ(dialog.selectedFiles().constFirst(), path) << c.name;
    }
}

// Without a folder of its own (nothing saved yet, or the folder is gone)
// the dialog opens in the documents folder, else the home folder; never in
// the folder the program happened to be started in.
TEST(SaveFileDialog, WithoutALastFolderOpensInDocumentsOrHome)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedDocs = qgetenv("XDG_DOCUMENTS_DIR");
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    QTemporaryDir elsewhere;
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const QString gone = home.filePath(QStringLiteral("gone/report.html"));
    for (const bool withDocuments : { false, true }) {
        SCOPED_TRACE(withDocuments ? "with Documents" : "without");
        if (withDocuments)
            QDir(home.path()).mkdir(QStringLiteral("Documents"));
        const QString expected
            = withDocuments ? home.filePath(QStringLiteral("Documents")) : home.path();
        for (const QString& initial : { QStringLiteral("2026-12-08.html"), gone, QString() }) {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            TSaveFileDialog::Prepare(dialog, Request(initial));
            EXPECT_EQ(dialog.directory().absolutePath(), expected) << initial.toStdString();
        }
    }
    QDir::setCurrent(startFolder);
    qputenv("HOME", savedHome);
    if (!savedDocs.isEmpty())
        qputenv("XDG_DOCUMENTS_DIR", savedDocs);
}

} // namespace
} // namespace ryv
