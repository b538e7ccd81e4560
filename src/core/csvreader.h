#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ryv {

// A parsed CSV table: row 0 is the header; after parsing every row has the
// same number of fields (the width of the table).
using TCsvTable = QList<QStringList>;

// Where a text ended inside a quoted field (-1 / 0: it did not).
struct TCsvParseInfo {
    qsizetype unclosedRow = -1; // the table row holding that field
    qsizetype unclosedLine = 0; // the line (from 1) where its quote opened
};

// Parses text in the dialect of the list files and of imported tables:
// - fields end at the delimiter, rows at CR LF, a lone CR or a lone LF;
// - a field that begins with the quote is a quoted text: the delimiter and
//   line breaks inside belong to it (a CR LF there reads as a single LF, a
//   lone CR or LF is kept as it is), a doubled quote stands for one, and it
//   ends at a quote followed, after blanks at most, by the delimiter, a line
//   break or the end of the text; any other quote inside it is part of the
//   text, so one stray quote typed into a title does not swallow the lines
//   after it. An unclosed quote takes the rest (info tells where);
// - any other field is taken as it stands, blanks and quotes included;
// - control characters other than CR and LF (the tab among them) are dropped;
// - a line break at the end adds no empty row, an empty line inside gives a
//   row of one empty field; short rows are filled up with empty fields.
// Returns false only for an empty text.
bool ParseCsvText(const QString& text, QChar quote, QChar delimiter, TCsvTable& table,
    TCsvParseInfo* info = nullptr);

// Reads fileName (see ReadTextFile for the encodings and for maxBytes) and
// parses it. False when the file is empty or cannot be read, or when it ends
// inside a quoted field (the table then holds the rows before that field's
// row), with an errorText that names the file.
bool ReadCsvFile(const QString& fileName, qint64 maxBytes, QChar quote, QChar delimiter,
    TCsvTable& table, QString* errorText = nullptr);

} // namespace ryv
