#pragma once

#include "core/textfile.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace ryv {

// A settings file in INI form, held whole in memory and written back whole.
//
// Sections and keys are found without regard to case. "key=value" lines have
// blanks around key and value trimmed. Everything the program does not touch
// (comments, unknown keys and sections, lines before the first section) is
// written back where it stood; a key the program sets keeps its place and
// spelling, a new key is appended to its section and a new section to the
// file. Each section is followed by one empty line and lines end with CR LF.
// The file is written in the encoding it was read in (a new file: UTF-8
// without byte-order mark).
class TIniFile final {
public:
    explicit TIniFile(const QString& fileName = QString());

    const QString& FileName() const { return FFileName; }

    // Reads FileName(). A missing file is an empty one; false with the
    // reason when the file exists but cannot be read. Nothing is removed: a
    // temporary file beside it may be the save of the running window, read
    // here by a report from the command line (the window's start removes the
    // leftovers of killed saves).
    bool Load(QString* errorText = nullptr);
    // Writes FileName() atomically, creating its folder when missing. After a
    // failed Load it refuses, so the unread contents are not lost.
    bool Save(QString* errorText = nullptr) const;

    // The contents as text, for the file or for tests.
    void SetText(const QString& text);
    QString Text() const;
    const TTextFileFormat& Format() const { return FFormat; }
    void SetFormat(const TTextFileFormat& format) { FFormat = format; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"; def when missing or not a number.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // The same, and def also when the number lies outside min..max: a value
    // no program could have written counts as missing.
    int ReadBoundedInteger(
        const QString& section, const QString& key, int def, int min, int max) const;
    // Read as an integer, any value but 0 meaning true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // The key=value lines of a section in file order (keys as written).
    QList<std::pair<QString, QString>> ReadSectionValues(const QString& section) const;

    // Line breaks in the value become blanks, and blanks around it are
    // dropped, as reading would drop them.
    void WriteString(const QString& section, const QString& key, const QString& text);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value); // "0" / "1"
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);
    // Replaces the whole contents of a section, which keeps its place in the
    // file (or is appended when new). An empty list removes the section.
    void ReplaceSection(const QString& section, const QList<std::pair<QString, QString>>& values);

private:
    struct TLine {
        QString text; // the line as read, written back while unchanged
        QString key; // trimmed; empty for comments and other lines
        QString value; // trimmed
        bool isKey = false;
        bool changed = false;
    };
    struct TSection {
        QString name; // trimmed, as written
        QString header; // the header line as read, empty for new sections
        bool hasHeader = true;
        std::vector<TLine> lines;
    };

    TSection* FindSection(const QString& section);
    const TSection* FindSection(const QString& section) const;
    const TLine* FindKey(const QString& section, const QString& key) const;
    // The number a key holds; nothing when it is missing or no number.
    std::optional<int> IntegerValue(const QString& section, const QString& key) const;

    QString FFileName;
    TTextFileFormat FFormat;
    bool FUnreadable = false; // the last Load found the file but could not read it
    // The first entry holds the lines before the first section (no header).
    std::vector<TSection> FSections;
};

} // namespace ryv
