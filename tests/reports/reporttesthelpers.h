#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QFile>
#include <QProcess>
#include <QString>

#include <ostream>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace ryv {

inline TRyvItem Task(TDateTime start, TDateTime stop, const QString& title, const QString& url = {},
    const QString& descr = {}, TRyvItemState state = ryvsNone)
{
    TRyvItem e;
    e.kind = ryvkTask;
    e.start = start;
    e.stop = stop;
    e.state = state;
    e.title = title;
    e.url = url;
    e.descr = descr;
    return e;
}

inline TRyvItem Break(TDateTime start, TDateTime stop)
{
    TRyvItem e;
    e.kind = ryvkPause;
    e.start = start;
    e.stop = stop;
    return e;
}

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

inline QString FileText(const QString& path)
{
    return QString::fromUtf8(FileBytes(path));
}

// The text of a PDF as pdftotext reads it; "<no pdf>" when it cannot.
inline QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") });
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<no pdf>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace ryv
