#include "reports/reportfiles.h"

#include "core/apptexts.h"
#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace ryv {

bool EnsureFolderOf(const QString& fileName, QString* errorText)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), ec);
    if (!ec)
        return true;
    if (errorText)
        *errorText = QString::fromLocal8Bit(ec.message());
    return false;
}

bool WriteOutputFile(const QByteArray& bytes, const QString& fileName, QString* errorText)
{
    // A link is followed: what it points to decides, as it is what a write
    // reaches (/dev/stdout, a link to a report in another folder).
    struct stat st { };
    if (::stat(QFile::encodeName(fileName).constData(), &st) == 0) {
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
            return WriteIntoFile(bytes, fileName, errorText);
        if (!S_ISREG(st.st_mode)) {
            if (errorText)
                *errorText = AppTexts().str_output_notfile;
            return false;
        }
    }
    return EnsureFolderOf(fileName, errorText) && WriteBinaryFile(bytes, fileName, errorText);
}

} // namespace ryv
