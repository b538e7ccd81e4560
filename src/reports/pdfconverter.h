#pragma once

#include <QByteArray>
#include <QString>

namespace ryv {

class IPdfRenderer;
class IProgramRunner;

// Turns an HTML document into a PDF file. The converter is wkhtmltopdf: first
// the copy in the plugins folder (FolderPlugins/wkhtmltopdf/wkhtmltopdf),
// then the one on the PATH. When there is none, or it fails (an exit code
// other than 0, or no complete PDF written), the document is rendered by the
// fallback renderer instead, so a PDF command never ends without a PDF while
// the user thinks it worked.
//
// A PDF counts as complete when it begins with "%PDF-", ends with the "%%EOF"
// trailer (blanks and line breaks after it aside) and every byte of it could
// be synced to the disk and read back: a converter that ran out of disk space
// half-way may still end with code 0, and its truncated file must never
// replace a good one.
//
// Each conversion works in a private temporary folder of its own
// (TPrivateTempFolder, never the user's data folder), removed in every case;
// a process killed half-way leaves it for the next start of the window. The
// finished PDF is then written to the target by WriteOutputFile, so a failed
// conversion leaves an older file of that name as it was.
class TPdfConverter final {
public:
    // tempBase: where the private folders go (empty: the system's temporary
    // folder). fallback may be null (no GUI available); a failed converter
    // then fails the conversion.
    TPdfConverter(
        QString folderPlugins, QString tempBase, IProgramRunner& runner, IPdfRenderer* fallback);

    // Searching the PATH can be switched off, so tests decide whether a
    // converter exists.
    void SetSearchPath(bool on) { FSearchPath = on; }

    // The converter's program file, or an empty text when there is none.
    QString FindConverter() const;

    bool Convert(const QString& html, const QString& pdfFileName, QString* errorText);
    // The PDF of html, for a caller that writes it somewhere itself
    // (standard output).
    bool ConvertToBytes(const QString& html, QByteArray& pdf, QString* errorText);

    // The largest PDF read back from a converter.
    static constexpr qint64 MaxPdfBytes = qint64(1) << 30;

    // Removes from folderData the HTML files that earlier versions gave the
    // converter there ("__temp_XXXXXX.html") and a killed run left behind.
    // Only the window that holds the single-instance lock calls it, at its
    // start. Returns how many were removed.
    static int RemoveEarlierLeftovers(const QString& folderData);

private:
    QString FFolderPlugins;
    QString FTempBase;
    IProgramRunner& FRunner;
    IPdfRenderer* FFallback;
    bool FSearchPath = true;
};

} // namespace ryv
