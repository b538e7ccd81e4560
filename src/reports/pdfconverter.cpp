#include "reports/pdfconverter.h"

#include "core/apptexts.h"
#include "core/tempfolders.h"
#include "core/textfile.h"

#include "reports/reportfiles.h"
#include "reports/reportports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ryv {

namespace {

void SetError(QString* errorText, const QString& text)
{
    if (errorText)
        *errorText = text;
}

// The white-space characters of PDF, which may follow the trailer.
bool IsPdfSpace(char c)
{
    return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool IsCompletePdf(QByteArrayView bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && IsPdfSpace(bytes[end - 1]))
        --end;
    return bytes.startsWith("%PDF-") && bytes.first(end).endsWith("%%EOF");
}

// Reads back the PDF a converter or renderer wrote to fileName. The file is
// synced first, so a write the disk could not take shows now (a file system
// that allocates blocks at write-back reports a full disk only then), and
// read through the same descriptor up to the size it has. False with reason:
// the system's error text, or incomplete when the file is missing, shorter
// than its size or not a complete PDF.
bool ReadCompletePdf(
    const QString& fileName, QByteArray& pdf, QString& reason, const QString& incomplete)
{
    const int fd = ::open(
        QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        reason = errno == ENOENT ? incomplete : qt_error_string(errno);
        return false;
    }
    struct stat st { };
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0
        && st.st_size <= TPdfConverter::MaxPdfBytes;
    reason = incomplete;
    if (ok && ::fsync(fd) != 0) {
        reason = qt_error_string(errno);
        ok = false;
    }
    QByteArray bytes;
    if (ok) {
        bytes.resize(static_cast<qsizetype>(st.st_size));
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n
                = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                reason = qt_error_string(errno);
            if (n <= 0)
                break;
            done += n;
        }
        ok = done == bytes.size() && IsCompletePdf(bytes);
    }
    ::close(fd);
    if (ok)
        pdf = std::move(bytes);
    return ok;
}

} // namespace

TPdfConverter::TPdfConverter(
    QString folderPlugins, QString tempBase, IProgramRunner& runner, IPdfRenderer* fallback)
    : FFolderPlugins(std::move(folderPlugins))
    , FTempBase(std::move(tempBase))
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

bool TPdfConverter::ConvertToBytes(const QString& html, QByteArray& pdf, QString* errorText)
{
    // Removed with everything in it on every way out.
    const TPrivateTempFolder folder(FTempBase);
    if (!folder.IsValid()) {
        SetError(errorText, folder.ErrorString());
        return false;
    }
    const QString htmlFile = folder.FilePath(QStringLiteral("report.html"));
    const QString pdfFile = folder.FilePath(QStringLiteral("report.pdf"));

    QString failure;
    bool done = false;
    const QString exe = FindConverter();
    if (exe.isEmpty()) {
        failure = AppTexts().str_pdf_noconverter;
    } else if (WriteTextFile(html, htmlFile, TTextEncoding::Utf8, false, &failure)) {
        QString runError;
        const int code = FRunner.RunAndWait(exe, { htmlFile, pdfFile }, &runError);
        if (code == 0)
            done = ReadCompletePdf(pdfFile, pdf, failure, AppTexts().str_pdf_incomplete);
        else
            failure = !runError.isEmpty() ? runError : AppTexts().str_pdf_convertercode.arg(code);
    }
    if (!done && FFallback) {
        QFile::remove(pdfFile);
        QString renderError;
        if (FFallback->RenderHtmlToPdf(html, pdfFile, &renderError))
            done = ReadCompletePdf(pdfFile, pdf, failure, AppTexts().str_pdf_notrendered);
        else
            failure = renderError.isEmpty() ? AppTexts().str_pdf_notrendered : renderError;
    }
    if (!done)
        SetError(errorText, failure);
    return done;
}

bool TPdfConverter::Convert(const QString& html, const QString& pdfFileName, QString* errorText)
{
    // A target folder that cannot be made fails at once, before a conversion
    // that may take a while.
    QByteArray pdf;
    return EnsureFolderOf(pdfFileName, errorText) && ConvertToBytes(html, pdf, errorText)
        && WriteOutputFile(pdf, pdfFileName, errorText);
}

int TPdfConverter::RemoveEarlierLeftovers(const QString& folderData)
{
    static const QRegularExpression name(QStringLiteral("^__temp_[A-Za-z0-9]{6}\\.html$"));
    const QDir dir(folderData);
    int removed = 0;
    for (const QString& entry : dir.entryList({ QStringLiteral("__temp_*.html") }, QDir::Files)) {
        const QString path = dir.filePath(entry);
        struct stat st { };
        if (name.match(entry).hasMatch() && ::lstat(QFile::encodeName(path).constData(), &st) == 0
            && S_ISREG(st.st_mode) && st.st_uid == ::getuid() && QFile::remove(path))
            ++removed;
    }
    return removed;
}

} // namespace ryv
