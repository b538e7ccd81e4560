#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace ryv {

// Encodings of the program's text files. The system's 8-bit code page is
// UTF-8 on Linux, so "no encoding given" means Utf8.
enum class TTextEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// How a file was found on reading, so that it can be written back alike.
struct TTextFileFormat {
    TTextEncoding encoding = TTextEncoding::Utf8;
    bool withMark = false; // a byte-order mark led the file
};

// Decodes bytes by their byte-order mark (UTF-8, UTF-16 LE, UTF-16 BE, tried in
// this order; the mark is not part of the text). Without a mark, each
// well-formed UTF-8 sequence reads as UTF-8 and every other byte as
// Windows-1252, so an old file from a Windows machine still reads with its
// accented letters, and one stray byte in a UTF-8 file spoils nothing else.
// The format found is Utf8 when the bytes hold any multi-byte UTF-8 sequence
// (or none above ASCII), otherwise Windows1252.
QString DecodeText(const QByteArray& bytes, TTextFileFormat* format = nullptr);

// The bytes of text in the encoding, led by its byte-order mark when withMark
// is true. An empty text gives no bytes at all, mark included. Windows-1252
// cannot hold every character: a text that does not fit is encoded as UTF-8
// instead (the mark then follows UTF-8), so no character is ever lost.
QByteArray EncodeText(const QString& text, TTextEncoding encoding, bool withMark,
    TTextEncoding* usedEncoding = nullptr);

// Reads a whole file of at most maxBytes bytes. Every file the program reads
// comes from outside and may be anything: a link to /dev/zero, a FIFO, a
// folder, a log file put in the wrong place. So the file is opened without
// waiting (opening a FIFO to read would otherwise wait for a writer), checked
// on the open descriptor to be a regular file (no name can swap in something
// else after the check), and read to its end but never past maxBytes. A file
// that holds more is refused, not cut: a part read as if it were the whole
// would be written back as the whole. Returns nothing when the file cannot be
// opened or read, is not a regular file or is too large; errorText then says
// why (the system's error text, or str_file_notregular / str_file_toolarge).
// Each reader passes the limit of its kind of file, set where that kind is
// read and far above any real file of it.
std::optional<QByteArray> ReadFileBytes(
    const QString& fileName, qint64 maxBytes, QString* errorText = nullptr);

// Reads and decodes a whole file (see ReadFileBytes and DecodeText). Returns
// nothing when the file cannot be read; errorText then says why.
std::optional<QString> ReadTextFile(const QString& fileName, qint64 maxBytes,
    TTextFileFormat* format = nullptr, QString* errorText = nullptr);

// Replaces fileName by text: the bytes go to a temporary file in the same
// folder (fileName + ".ryvsave-" + six letters or digits), every write and
// the sync to the disk are checked, and only a temporary file that holds all
// the bytes is renamed over the target. So a failure at any point (a full
// disk among them) leaves the old file byte for byte and no temporary file.
// A symbolic link is followed. The folder must exist. Returns false with the
// system's error text on failure; the caller names the file.
bool WriteTextFile(const QString& text, const QString& fileName,
    TTextEncoding encoding = TTextEncoding::Utf8, bool withMark = false,
    QString* errorText = nullptr);

// The same for bytes that are already in their final form (a PDF).
bool WriteBinaryFile(
    const QByteArray& bytes, const QString& fileName, QString* errorText = nullptr);

// Writes bytes into fileName as it stands, without a temporary file: for a
// character device (a terminal, /dev/null) or a FIFO, which can be written
// into but never replaced. Nothing is created. Every write is checked, and a
// reader that has gone (a closed pipe) fails the write with the system's
// reason instead of ending the program by SIGPIPE.
bool WriteIntoFile(const QByteArray& bytes, const QString& fileName, QString* errorText = nullptr);

// One file of WriteTextFiles.
struct TTextFileWrite final {
    QString fileName;
    QString text;
    TTextEncoding encoding = TTextEncoding::Utf8;
    bool withMark = false;
};

// Replaces several files as WriteTextFile replaces one, but with one sync to
// the disk for all of them instead of one per file (a thousand day files
// written at start-up would otherwise wait for a thousand flushes of the
// disk's cache): every temporary file is written and checked, one sync per
// file system makes them durable, and only then are they renamed over their
// targets. A file that cannot be written is left as it was and gets the
// system's error text in errorTexts (at its own index; empty for the files
// written); the others are written all the same. Returns whether all were.
bool WriteTextFiles(
    const std::vector<TTextFileWrite>& files, std::vector<QString>* errorTexts = nullptr);

// Whether a file name is that of a temporary file of WriteTextFile: one that
// is left over only when the program was killed while saving.
bool IsLeftoverTempFile(const QString& fileName);
// Removes those leftovers from folder (not from its subfolders); returns how
// many were removed. Nothing else in the folder is touched.
int RemoveLeftoverTempFiles(const QString& folder);
// The same for the leftovers of the one file fileName.
int RemoveLeftoverTempFilesOf(const QString& fileName);

} // namespace ryv
