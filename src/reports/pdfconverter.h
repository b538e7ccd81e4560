#pragma once

#include <QString>

namespace ryv {

class IPdfRenderer;
class IProgramRunner;

// Turns an HTML document into a PDF file. The converter is wkhtmltopdf: first
// the copy in the plugins folder (FolderPlugins/wkhtmltopdf/wkhtmltopdf),
// then the one on the PATH. When there is none, or it fails (an exit code
// other than 0, or no PDF written), the document is rendered by the
// fallback renderer instead, so a PDF command never ends without a PDF while
// the user thinks it worked.
//
// The HTML goes to a temporary file of its own in the data folder, so two
// conversions never share one, and it is deleted in every case. The PDF is
// written beside the target under a temporary name and renamed over it only
// once it is complete, so a failed conversion leaves an older file of that
// name as it was.
class TPdfConverter final {
public:
    // fallback may be null (no GUI available); a failed converter then fails
    // the conversion.
    TPdfConverter(
        QString folderPlugins, QString folderData, IProgramRunner& runner, IPdfRenderer* fallback);

    // Searching the PATH can be switched off, so tests decide whether a
    // converter exists.
    void SetSearchPath(bool on) { FSearchPath = on; }

    // The converter's program file, or an empty text when there is none.
    QString FindConverter() const;

    bool Convert(const QString& html, const QString& pdfFileName, QString* errorText);

private:
    QString FFolderPlugins;
    QString FFolderData;
    IProgramRunner& FRunner;
    IPdfRenderer* FFallback;
    bool FSearchPath = true;
};

} // namespace ryv
