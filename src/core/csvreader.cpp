#include "core/csvreader.h"

#include "core/apptexts.h"
#include "core/textfile.h"

#include <QDir>

#include <algorithm>

namespace ryv {

namespace {

class TCsvParser final {
public:
    TCsvParser(QChar quote, QChar delimiter, TCsvTable& table)
        : FQuote(quote)
        , FDelimiter(delimiter)
        , FTable(table)
    {
    }

    void Parse(const QString& text, TCsvParseInfo* info)
    {
        FTable.clear();
        FText = text.constData();
        FSize = text.size();
        const qsizetype n = FSize;
        const QChar* p = FText;
        bool endedByLast = false;
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = p[i];
            const bool isLast = i == n - 1;
            if (c == QLatin1Char('\n')) {
                // A lone LF ends a row too: files saved with LF line ends by
                // other tools load whole, and an LF inside a quoted text
                // (a description with line breaks) stays part of it.
                if (FInQuotes)
                    FValue.append(c);
                else
                    endedByLast = EndRow(isLast);
                ++FLine;
            } else if (c == QLatin1Char('\r')) {
                if (!isLast && p[i + 1] != QLatin1Char('\n')) {
                    if (FInQuotes)
                        FValue.append(c);
                    else
                        endedByLast = EndRow(false);
                    ++FLine;
                }
                // CR LF: the LF does the work. A CR at the very end is a line
                // end the loop below must not lose.
            } else if (c == FDelimiter && !FInQuotes) {
                EndField();
            } else if (c == FQuote) {
                i = Quote(i);
            } else if (c.unicode() > 31 && !FAfterClose) {
                // Ordinary characters are taken over as a run, not one by one.
                qsizetype j = i + 1;
                while (j < n && IsPlain(p[j]))
                    ++j;
                FValue.append(p + i, j - i);
                i = j - 1;
            }
        }
        const bool unclosed = FInQuotes;
        // A row still open at the end is ended, unless it is empty: a lone CR
        // after the last line break adds nothing.
        if (!endedByLast && (FieldStarted() || !FRow.isEmpty()))
            EndRow(true);
        for (QStringList& row : FTable)
            while (row.size() < FWidth)
                row.append(QString());
        if (info) {
            *info = TCsvParseInfo {};
            if (unclosed) {
                info->unclosedRow = FTable.size() - 1;
                info->unclosedLine = FQuoteLine;
            }
        }
    }

private:
    bool IsPlain(QChar c) const { return c.unicode() > 31 && c != FQuote && c != FDelimiter; }
    bool FieldStarted() const { return !FValue.isEmpty() || FQuoted; }

    // Whether a quote at i - 1 inside a quoted text closes it: only blanks
    // may stand between it and the delimiter, a line break or the end.
    bool ClosesBefore(qsizetype i) const
    {
        while (i < FSize) {
            const QChar c = FText[i];
            if (c == FDelimiter || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                return true;
            if (c != QLatin1Char(' ') && c.unicode() > 31)
                return false;
            ++i;
        }
        return true;
    }

    // Handles the quote at i; returns the index of the last character used.
    qsizetype Quote(qsizetype i)
    {
        if (!FieldStarted() && !FAfterClose) {
            // A field that begins with the quote is a quoted text.
            FQuoted = true;
            FInQuotes = true;
            FQuoteLine = FLine;
        } else if (FInQuotes) {
            if (i + 1 < FSize && FText[i + 1] == FQuote) {
                FValue.append(FQuote); // a doubled quote stands for one
                return i + 1;
            }
            // A quote that does not end the field is part of the text: a
            // title typed as "Stray "quote" must not swallow the lines after.
            if (ClosesBefore(i + 1)) {
                FInQuotes = false;
                FAfterClose = true;
            } else {
                FValue.append(FQuote);
            }
        } else if (!FAfterClose) {
            FValue.append(FQuote); // inside a field that is not quoted
        }
        return i;
    }

    void EndField()
    {
        FRow.append(FValue);
        FValue.clear();
        FQuoted = false;
        FAfterClose = false;
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
    const QChar* FText = nullptr;
    qsizetype FSize = 0;
    QStringList FRow; // the row being read; added to the table when it ends
    QString FValue; // the value of the field being read
    bool FQuoted = false; // the field began with the quote
    bool FInQuotes = false; // inside its quoted text
    bool FAfterClose = false; // its closing quote was read
    qsizetype FLine = 1; // the line of the text being read
    qsizetype FQuoteLine = 0; // the line where the open quoted text began
    qsizetype FWidth = 0;
};

} // namespace

bool ParseCsvText(
    const QString& text, QChar quote, QChar delimiter, TCsvTable& table, TCsvParseInfo* info)
{
    table.clear();
    if (info)
        *info = TCsvParseInfo {};
    if (text.isEmpty())
        return false;
    TCsvParser(quote, delimiter, table).Parse(text, info);
    return true;
}

bool ReadCsvFile(const QString& fileName, qint64 maxBytes, QChar quote, QChar delimiter,
    TCsvTable& table, QString* errorText)
{
    if (errorText)
        errorText->clear();
    table.clear();
    const auto fail = [errorText](const QString& text) {
        if (errorText)
            *errorText = text;
        return false;
    };
    const QString shown = QDir::toNativeSeparators(fileName);
    QString error;
    const std::optional<QString> text = ReadTextFile(fileName, maxBytes, nullptr, &error);
    if (!text)
        return fail(AppTexts().str_file_cannotread.arg(shown, error));
    TCsvParseInfo info;
    if (!ParseCsvText(*text, quote, delimiter, table, &info))
        return fail(AppTexts().str_file_empty.arg(shown));
    if (info.unclosedRow >= 0) {
        // The row with the open quote took in every line after it; the rows
        // before it are good.
        table.resize(info.unclosedRow);
        return fail(AppTexts().str_file_openquote.arg(shown).arg(info.unclosedLine));
    }
    return true;
}

} // namespace ryv
