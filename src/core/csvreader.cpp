#include "core/csvreader.h"

#include "core/textfile.h"

#include <algorithm>

namespace ryv {

namespace {

// The value of a field whose buffer begins with the quote: up to the next
// lone quote, a doubled quote standing for one.
QString UnquoteField(const QString& buffer, QChar quote)
{
    // The usual case, one closing quote and none doubled, needs no copying
    // character by character.
    const qsizetype close = buffer.indexOf(quote, 1);
    if (close < 0)
        return buffer.mid(1);
    if (close + 1 >= buffer.size() || buffer.at(close + 1) != quote)
        return buffer.mid(1, close - 1);

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
        : FQuote(quote)
        , FDelimiter(delimiter)
        , FTable(table)
    {
    }

    void Parse(const QString& text)
    {
        FTable.clear();
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
                // Ordinary characters are taken over as a run, not one by one.
                qsizetype j = i + 1;
                while (j < n && IsPlain(p[j]))
                    ++j;
                FBuffer.append(p + i, j - i);
                i = j - 1;
            }
        }
        // A row still open at the end is ended, unless it is empty: a lone CR
        // after the last line break adds nothing.
        if (!endedByLast && (!FBuffer.isEmpty() || !FRow.isEmpty()))
            EndRow(true);
        for (QStringList& row : FTable)
            while (row.size() < FWidth)
                row.append(QString());
    }

private:
    bool IsPlain(QChar c) const { return c.unicode() > 31 && c != FQuote && c != FDelimiter; }

    void EndField()
    {
        if (!FBuffer.isEmpty() && FBuffer.at(0) == FQuote)
            FRow.append(UnquoteField(FBuffer, FQuote));
        else
            FRow.append(FBuffer);
        FBuffer.clear();
    }

    // Returns atLast: whether the text's last character ended the row, so
    // that the end of the text does not end it a second time.
    bool EndRow(bool atLast)
    {
        EndField();
        FWidth = std::max(FWidth, FRow.size());
        FTable.append(std::move(FRow));
        FRow = QStringList();
        return atLast;
    }

    const QChar FQuote;
    const QChar FDelimiter;
    TCsvTable& FTable;
    QStringList FRow; // the row being read; added to the table when it ends
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

bool ReadCsvFile(
    const QString& fileName, QChar quote, QChar delimiter, TCsvTable& table, QString* errorText)
{
    if (errorText)
        errorText->clear();
    const std::optional<QString> text = ReadTextFile(fileName);
    return ParseCsvText(text.value_or(QString()), quote, delimiter, table);
}

} // namespace ryv
