#include "suggest/suggesttext.h"

#include <array>

namespace ryv {

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

// Lower-case words of at least four letters.
QStringList LongWords(const QString& text)
{
    QStringList words;
    QString word;
    auto flush = [&] {
        if (word.size() >= 4)
            words.append(word.toLower());
        word.clear();
    };
    for (QChar c : text) {
        if (c.isLetter())
            word.append(c);
        else
            flush();
    }
    flush();
    return words;
}

bool SharesLongWord(const QStringList& words, const QString& text)
{
    const QStringList others = LongWords(text);
    for (const QString& w : words)
        if (others.contains(w))
            return true;
    return false;
}

} // namespace

bool IsLink(const QString& text)
{
    if (text.isEmpty())
        return false;
    qsizetype index = text.indexOf(QLatin1String("://"));
    if (index < 0)
        index = text.indexOf(QLatin1String("www."));
    // Positions count from 1: a link's marker stands at 1 to 23.
    return index >= 0 && index + 1 < 24;
}

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text.at(first)))
        ++first;
    while (last > first && IsBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

QString CaptionWithoutProgram(
    const QString& caption, const QString& programName, const QStringList& wmClass)
{
    static const std::array<QString, 3> separators {
        QStringLiteral(" - "),
        QStringLiteral(" \u2013 "),
        QStringLiteral(" \u2014 "),
    };
    qsizetype cut = -1;
    qsizetype partStart = -1;
    for (const QString& sep : separators) {
        const qsizetype at = caption.lastIndexOf(sep);
        if (at > cut) {
            cut = at;
            partStart = at + sep.size();
        }
    }
    // A caption that is nothing but the program's part stays whole.
    if (cut <= 0)
        return caption;
    const QString part = caption.mid(partStart).trimmed();
    if (part.isEmpty())
        return caption;
    bool names = false;
    if (!programName.isEmpty())
        names = part.contains(programName, Qt::CaseInsensitive)
            || programName.contains(part, Qt::CaseInsensitive);
    if (!names) {
        const QStringList words = LongWords(part);
        if (!words.isEmpty()) {
            names = SharesLongWord(words, programName);
            for (qsizetype i = 0; !names && i < wmClass.size(); ++i)
                names = SharesLongWord(words, wmClass.at(i));
        }
    }
    return names ? caption.left(cut) : caption;
}

QString CutText(const QString& text, int maxLength)
{
    if (text.size() <= maxLength)
        return text;
    const qsizetype cut = text.at(maxLength - 1).isHighSurrogate() ? maxLength - 1 : maxLength;
    return text.left(cut);
}

} // namespace ryv
