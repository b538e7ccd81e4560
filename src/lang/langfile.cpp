#include "lang/langfile.h"

#include "core/textfile.h"

#include <QFileInfo>

namespace ryv {

QString TLangLine::Text() const
{
    return isEntry ? name + QLatin1Char('=') + value : value;
}

TLangFile TLangFile::Parse(QStringView text)
{
    TLangFile file;
    TLangSection* section = nullptr;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = text.mid(pos, end - pos).trimmed();
        // CR LF, LF and a lone CR all end a line.
        pos = end + 1;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size()
            && text[end + 1] == u'\n')
            ++pos;

        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
            file.FSections.push_back(
                TLangSection { line.mid(1, line.size() - 2).trimmed().toString(), {} });
            section = &file.FSections.back();
            continue;
        }
        if (!section)
            continue;
        TLangLine entry;
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0) {
            entry.isEntry = true;
            entry.name = line.left(eq).trimmed().toString();
            entry.value = line.mid(eq + 1).trimmed().toString();
        } else {
            entry.value = line.toString();
        }
        section->lines.push_back(std::move(entry));
    }
    return file;
}

std::optional<TLangFile> TLangFile::Load(const QString& fileName, QString* errorText)
{
    auto fail = [&](const QString& reason) -> std::optional<TLangFile> {
        if (errorText)
            *errorText = QStringLiteral("Cannot read the language file \"%1\": %2")
                             .arg(QFileInfo(fileName).fileName(), reason);
        return std::nullopt;
    };
    QString reason;
    const std::optional<QString> text = ReadTextFile(fileName, MaxFileSize, nullptr, &reason);
    if (!text)
        return fail(reason.isEmpty() ? QStringLiteral("the file cannot be opened") : reason);
    // A NUL never stands in text: this is a binary file (or UTF-16 without
    // its byte-order mark), whose "lines" would only be noise.
    if (text->contains(QChar(u'\0')))
        return fail(QStringLiteral("this is not a language file"));
    return Parse(*text);
}

std::optional<QString> TLangFile::Value(QStringView section, QStringView name) const
{
    // A section written twice is read as one.
    for (const TLangSection& s : FSections) {
        if (QStringView(s.name).compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const TLangLine& line : s.lines) {
            if (line.isEntry && QStringView(line.name).compare(name, Qt::CaseInsensitive) == 0)
                return line.value;
        }
    }
    return std::nullopt;
}

QString DecodeLangEscapes(QString text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text;
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    return text;
}

} // namespace ryv
