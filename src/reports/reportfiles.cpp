#include "reports/reportfiles.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

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

} // namespace ryv
