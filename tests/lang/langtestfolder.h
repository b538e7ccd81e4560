#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Failed expectations show texts as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace ryv {

// A temporary folder to write language files into; removed with the object.
class TLangTestFolder final {
public:
    QString Path(const QString& relative = QString()) const
    {
        return relative.isEmpty() ? FDir.path() : FDir.filePath(relative);
    }

    // Writes text as UTF-8 (creating subfolders) and returns the full path.
    QString Write(const QString& relative, const QString& text) const
    {
        return WriteBytes(relative, text.toUtf8());
    }

    QString WriteBytes(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = FDir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
        return path;
    }

    QString MakeFolder(const QString& relative) const
    {
        const QString path = FDir.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

private:
    QTemporaryDir FDir;
};

// The header section that names a language.
inline QString LangHeader(const QString& name)
{
    return QStringLiteral("[calbrix language file]\nlanguagename=%1\n").arg(name);
}

} // namespace ryv
