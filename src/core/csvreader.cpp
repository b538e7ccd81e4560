#include "core/csvreader.h"

#include "core/textfile.h"

#include <algorithm>

namespace ryv {

namespace {

// The value of a field whose buffer begins with the quote: up to the next
// lone quote, a doubled quote standing for one.
QString UnquoteField(const QString& buffer, QChar quote)
{
    QString value;
    value.reserve(buffer.size());
    const qsizetype n = buffer.size();
    for (qsizetype i = 1; i < n; ++i) {
        const QChar c = buffer.at(i);
        if (c != quote) {
            value.append(c);
        } else if (i + 1 < n && buffer.at(i + 1) == quote) {
            value.append(quote);
            ++i;
        } else {
            break;
        }
    }
    return value;
}

class TCsvParser final {
public:
    TCsvParser(QChar quote, QChar delimiter, TCsvTable& table)
        : FQuote(quote), FDelimiter(delimiter), FTable(table)
    {
    }

    void Parse(const QString& text)
    {
        FTable.clear();
        FTable.append(QStringList());
        const qsizetype n = text.size();
        const QChar* p = text.constData();
        bool endedByLast = false;
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = p[i];
            const bool isLast = i == n - 1;
            if (c == QLatin1Char('\n')) {
                // A lone LF ends a row too: files saved with LF line ends by
                // other tools load whole, and an LF inside a quoted text
                // (a description with line breaks) stays part of it.
                if (FInQuotes)
                    FBuffer.append(c);
                else
                    endedByLast = EndRow(isLast);
            } else if (c == QLatin1Char('\r')) {
                if (!isLast && p[i + 1] != QLatin1Char('\n')) {
                    if (FInQuotes)
                        FBuffer.append(c);
                    else
                        endedByLast = EndRow(false);
                }
                // CR LF: the LF does the work. A CR at the very end is a line
                // end the loop below must not lose.
            } else if (c == FDelimiter && !FInQuotes) {
                EndField();
            } else if (c == FQuote) {
                FInQuotes = !FInQuotes;
                FBuffer.append(c);
            } else if (c.unicode() > 31) {
                FBuffer.append(c);
            }
        }
        if (!endedByLast) {
            if (!FBuffer.isEmpty() || !FTable.last().isEmpty())
                EndRow(true);
            else if (FTable.size() > 1)
                FTable.removeLast(); // a lone CR after the last line end
        }
        if (FTable.size() == 1 && FTable.first().isEmpty())
            FTable.clear();
        for (QStringList& row : FTable)
            while (row.size() < FWidth)
                row.append(QString());
    }

private:
    void EndField()
    {
        if (!FBuffer.isEmpty() && FBuffer.at(0) == FQuote)
            FTable.last().append(UnquoteField(FBuffer, FQuote));
        else
            FTable.last().append(FBuffer);
        FBuffer.clear();
    }

    // Returns whether the row end was the text's last character, in which
    // case no new row begins.
    bool EndRow(bool atLast)
    {
        EndField();
        FWidth = std::max(FWidth, FTable.last().size());
        if (!atLast)
            FTable.append(QStringList());
        return atLast;
    }

    const QChar FQuote;
    const QChar FDelimiter;
    TCsvTable& FTable;
    QString FBuffer;
    bool FInQuotes = false;
    qsizetype FWidth = 0;
};

} // namespace

bool ParseCsvText(const QString& text, QChar quote, QChar delimiter, TCsvTable& table)
{
    table.clear();
    if (text.isEmpty())
        return false;
    TCsvParser(quote, delimiter, table).Parse(text);
    return true;
}

bool ReadCsvFile(const QString& fileName, QChar quote, QChar delimiter, TCsvTable& table,
                 QString& reason)
{
    reason.clear();
    const std::optional<QString> text = ReadTextFile(fileName);
    return ParseCsvText(text.value_or(QString()), quote, delimiter, table);
}

} // namespace ryv
