#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace ryv {

// One line of a language file section. An entry line ("name = value") has
// the blanks around its first "=" removed; any other line is kept whole,
// which only the "messages" section makes use of.
struct TLangLine {
    QString name; // empty for a line without "="
    QString value;
    bool isEntry = false;

    // The line as the "messages" section reads it: "name=value" for an
    // entry, else the whole line.
    QString Text() const;
};

struct TLangSection {
    QString name; // as written, trimmed
    std::vector<TLangLine> lines;
};

// The text of a language file split into sections, INI style: every line
// is trimmed, empty lines and lines beginning with ";" are comments, a line
// "[name]" opens a section, and lines before the first section are ignored.
// Values are kept as written; escapes are decoded by the reader of a value.
class TLangFile final {
public:
    // A file larger than this is refused unread: a language file is a few
    // hundred kilobytes at most, and anything far larger is not one.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

    static TLangFile Parse(QStringView text);
    // Reads and decodes a file (byte-order mark, else UTF-8 when valid, else
    // Windows-1252) and parses it. Nothing, with the reason, when the file
    // cannot be read, is too large or is not text.
    static std::optional<TLangFile> Load(const QString& fileName, QString* errorText);

    const std::vector<TLangSection>& Sections() const { return FSections; }
    // The value of the first entry named so in the sections named so
    // (both without regard to case; a section written twice counts as one);
    // nothing when there is none.
    std::optional<QString> Value(QStringView section, QStringView name) const;

private:
    std::vector<TLangSection> FSections;
};

// "\n" becomes a line break, then "\t" a tab; no other escape exists, and a
// backslash is otherwise an ordinary character.
QString DecodeLangEscapes(QString text);

} // namespace ryv
