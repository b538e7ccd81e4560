#include "ui/savefiledialog.h"

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

} // namespace
} // namespace ryv
