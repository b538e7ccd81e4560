#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ryv {

// A parsed CSV table: row 0 is the header; after parsing every row has the
// same number of fields (the width of the table).
using TCsvTable = QList<QStringList>;

// Parses text in the dialect of the list files and of imported tables:
// - fields end at the delimiter, rows at CR LF, a lone CR or a lone LF;
// - inside quotes the delimiter and line breaks belong to the text; a CR LF
//   there reads as a single LF, a lone CR or LF is kept as it is;
// - a field that begins with the quote is the quoted string (a doubled quote
//   stands for one, text after the closing quote is dropped, an unclosed
//   quote takes the rest); any other field is taken as it stands, blanks
//   included;
// - control characters other than CR and LF (the tab among them) are dropped;
// - a line break at the end adds no empty row, an empty line inside gives a
//   row of one empty field; short rows are filled up with empty fields.
// Returns false only for an empty text.
bool ParseCsvText(const QString& text, QChar quote, QChar delimiter, TCsvTable& table);

// Reads fileName (see ReadTextFile for the encodings) and parses it. False
// with an empty errorText when the file is empty or cannot be read, so the
// caller's message then shows only its first line.
bool ReadCsvFile(const QString& fileName, QChar quote, QChar delimiter, TCsvTable& table,
    QString* errorText = nullptr);

} // namespace ryv
