#include "reports/pdfconverter.h"

#include "core/apptexts.h"

#include "reports/reportfiles.h"
#include "reports/reportports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace ryv {

namespace {

bool IsPdfFile(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

void SetError(QString* errorText, const QString& text)
{
    if (errorText)
        *errorText = text;
}

} // namespace

TPdfConverter::TPdfConverter(
    QString folderPlugins, QString folderData, IProgramRunner& runner, IPdfRenderer* fallback)
    : FFolderPlugins(std::move(folderPlugins))
    , FFolderData(std::move(folderData))
    , FRunner(runner)
    , FFallback(fallback)
{
}

QString TPdfConverter::FindConverter() const
{
    const QFileInfo plugin(
        QDir(FFolderPlugins).filePath(QStringLiteral("wkhtmltopdf/wkhtmltopdf")));
    if (plugin.isFile() && plugin.isExecutable())
        return plugin.absoluteFilePath();
    if (FSearchPath)
        return QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf"));
    return {};
}

bool TPdfConverter::Convert(const QString& html, const QString& pdfFileName, QString* errorText)
{
    const QFileInfo target(pdfFileName);
    if (!EnsureFolderOf(pdfFileName, errorText)
        || !EnsureFolderOf(QDir(FFolderData).filePath(QStringLiteral("x")), errorText))
        return false;

    // Both temporary files are removed when they go out of scope, whatever
    // happens in between.
    QTemporaryFile htmlFile(QDir(FFolderData).filePath(QStringLiteral("__temp_XXXXXX.html")));
    QTemporaryFile pdfFile(target.absoluteDir().filePath(
        QStringLiteral(".%1_XXXXXX.pdf").arg(target.completeBaseName())));
    if (!htmlFile.open() || htmlFile.write(html.toUtf8()) < 0 || !htmlFile.flush()) {
        SetError(errorText, htmlFile.errorString());
        return false;
    }
    htmlFile.close();
    if (!pdfFile.open()) {
        SetError(errorText, pdfFile.errorString());
        return false;
    }
    pdfFile.close();
    const QString tmpPdf = pdfFile.fileName();

    QString failure;
    bool written = false;
    const QString exe = FindConverter();
    if (!exe.isEmpty()) {
        QFile::resize(tmpPdf, 0);
        QString runError;
        const int code = FRunner.RunAndWait(exe, { htmlFile.fileName(), tmpPdf }, &runError);
        written = code == 0 && IsPdfFile(tmpPdf);
        if (!written)
            failure = !runError.isEmpty() ? runError : AppTexts().str_pdf_convertercode.arg(code);
    } else {
        failure = AppTexts().str_pdf_noconverter;
    }
    if (!written && FFallback) {
        QFile::resize(tmpPdf, 0);
        QString renderError;
        written = FFallback->RenderHtmlToPdf(html, tmpPdf, &renderError) && IsPdfFile(tmpPdf);
        if (!written)
            failure = renderError.isEmpty() ? AppTexts().str_pdf_notrendered : renderError;
    }
    if (!written) {
        SetError(errorText, failure);
        return false;
    }

    // The temporary file is private to its owner; the result is an ordinary
    // document.
    QFile::setPermissions(
        tmpPdf, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    std::error_code ec;
    // QFile::rename refuses to replace a file; this replaces it in one step.
    std::filesystem::rename(QFile::encodeName(tmpPdf).toStdString(),
        QFile::encodeName(target.absoluteFilePath()).toStdString(), ec);
    if (ec) {
        SetError(errorText, QString::fromStdString(ec.message()));
        return false;
    }
    pdfFile.setAutoRemove(false);
    return true;
}

} // namespace ryv
