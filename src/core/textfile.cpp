#include "core/textfile.h"

#include "core/apptexts.h"
#include "core/regional.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <set>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ryv {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five codes that
// have no character there (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021, //
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F, //
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014, //
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

QString DecodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

// Empty when some character has no Windows-1252 code.
std::optional<QByteArray> EncodeCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        int code = -1;
        for (int i = 0; i < static_cast<int>(Cp1252High.size()); ++i) {
            if (Cp1252High[i] == u) {
                code = 0x80 + i;
                break;
            }
        }
        if (code < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(code));
    }
    return bytes;
}

bool IsValidUtf8(QByteArrayView bytes, QString& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The length of the well-formed UTF-8 sequence at the start of bytes (no
// overlong forms, no surrogates, nothing above U+10FFFF), 0 when there is
// none. code receives its code point.
int Utf8SequenceAt(QByteArrayView bytes, char32_t& code)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    int length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((at(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Text that is mostly UTF-8 with a few bytes that are not (a line pasted in
// from an old Windows file, say): each well-formed sequence reads as UTF-8,
// each other byte as Windows-1252, so neither kind turns into mojibake.
// sawUtf8 tells whether any multi-byte sequence was found.
QString DecodeMixed(QByteArrayView bytes, bool& sawUtf8)
{
    sawUtf8 = false;
    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            text.append(QChar(b));
            ++i;
            continue;
        }
        char32_t code = 0;
        if (const int length = Utf8SequenceAt(bytes.sliced(i), code)) {
            const char32_t one[] = { code };
            text.append(QString::fromUcs4(one, 1));
            sawUtf8 = true;
            i += length;
            continue;
        }
        text.append(DecodeCp1252(bytes.sliced(i, 1)));
        ++i;
    }
    return text;
}

// A UTF-16 file may hold half of a surrogate pair (cut off, or damaged): it
// stands for no character and no encoding can write it, so it reads as the
// replacement character, as it would after the next save.
void ReplaceLoneSurrogates(QString& text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

QString Decode(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    ReplaceLoneSurrogates(text);
    return text;
}

// The name of a temporary file beside target, unique at the moment it is
// made: target + ".ryvsave-" + six random letters or digits. The suffix is
// what RemoveLeftoverTempFiles recognises, so it must not change.
QByteArray TempNameFor(const QByteArray& target)
{
    static const char Alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = target + ".ryvsave-";
    for (int i = 0; i < 6; ++i)
        name.append(Alphabet[QRandomGenerator::global()->bounded(36)]);
    return name;
}

QString SystemError(int code)
{
    return qt_error_string(code);
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray(slash == 0 ? "/" : ".");
}

// Writes every byte to fd, going on after a short write or an interrupt.
bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Holds SIGPIPE back while it lives, so a write into a pipe whose reader has
// gone fails with EPIPE instead of ending the program; a SIGPIPE raised
// meanwhile is taken, not delivered later.
class TSigPipeHold final {
public:
    TSigPipeHold()
    {
        sigemptyset(&FPipe);
        sigaddset(&FPipe, SIGPIPE);
        sigset_t pending;
        FWasPending = ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
        ::pthread_sigmask(SIG_BLOCK, &FPipe, &FOld);
    }
    ~TSigPipeHold()
    {
        if (!FWasPending) {
            const timespec now { 0, 0 };
            while (::sigtimedwait(&FPipe, nullptr, &now) == SIGPIPE) { }
        }
        ::pthread_sigmask(SIG_SETMASK, &FOld, nullptr);
    }
    TSigPipeHold(const TSigPipeHold&) = delete;
    TSigPipeHold& operator=(const TSigPipeHold&) = delete;

private:
    sigset_t FPipe;
    sigset_t FOld;
    bool FWasPending = false;
};

// Makes the rename itself durable; a folder that cannot be synced (some
// network file systems) does not fail the write, which is complete by then.
void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A temporary file beside its target that holds all the bytes meant for it.
struct TPreparedFile final {
    QByteArray temp;
    QByteArray target;
};

// Writes bytes to a new temporary file beside fileName (the target; a link is
// followed, so that the file it points to is replaced and the link itself
// stays), written against the system calls rather than through a buffered
// file class: every write and the close are checked, and the file must hold
// exactly the bytes. (A buffered writer may first write small texts when it is
// closed, and an error there went unnoticed, so a full disk replaced the file
// with an empty one.) With sync the bytes are also synced to the disk, checked
// too. On failure nothing is left behind and reason says why.
std::optional<TPreparedFile> PrepareFile(
    const QByteArray& bytes, const QString& fileName, bool sync, QString& reason)
{
    const QFileInfo info(fileName);
    QString targetName = fileName;
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        targetName = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    TPreparedFile file { {}, QFile::encodeName(targetName) };
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        file.temp = TempNameFor(file.target);
        fd = ::open(file.temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        reason = SystemError(errno);
        return std::nullopt;
    }
    // An existing file keeps its permissions; a new one gets the usual ones
    // (0666 less the umask, which open applied).
    struct stat old { };
    if (::stat(file.target.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    bool ok = WriteAll(fd, bytes) && (!sync || ::fsync(fd) == 0);
    if (ok) {
        struct stat written { };
        ok = ::fstat(fd, &written) == 0;
        if (ok && written.st_size != static_cast<off_t>(bytes.size())) {
            errno = EIO;
            ok = false;
        }
    }
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(file.temp.constData());
        reason = SystemError(error);
        return std::nullopt;
    }
    return file;
}

// Renames a prepared file over its target; on failure the temporary file goes.
bool CommitFile(const TPreparedFile& file, QString& reason)
{
    if (::rename(file.temp.constData(), file.target.constData()) == 0)
        return true;
    reason = SystemError(errno);
    ::unlink(file.temp.constData());
    return false;
}

// Syncs a file that was written without a sync: 0, or the error number.
int SyncFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// The atomic replace behind WriteTextFile: the bytes reach the disk in a
// temporary file before it is renamed over the target.
bool WriteBytesAtomically(const QByteArray& bytes, const QString& fileName, QString& reason)
{
    const std::optional<TPreparedFile> file = PrepareFile(bytes, fileName, true, reason);
    if (!file || !CommitFile(*file, reason))
        return false;
    SyncFolder(FolderOf(file->target));
    return true;
}

} // namespace

QString DecodeText(const QByteArray& bytes, TTextFileFormat* format)
{
    TTextFileFormat found;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        found = { TTextEncoding::Utf8, true };
        text = Decode(QByteArrayView(bytes).sliced(3), QStringConverter::Utf8);
    } else if (bytes.startsWith("\xFF\xFE")) {
        found = { TTextEncoding::Utf16LE, true };
        text = Decode(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    } else if (bytes.startsWith("\xFE\xFF")) {
        found = { TTextEncoding::Utf16BE, true };
        text = Decode(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    } else if (IsValidUtf8(bytes, text)) {
        found = { TTextEncoding::Utf8, false };
    } else {
        // A file with some UTF-8 in it is written back as UTF-8, which holds
        // every character read; one without any stays Windows-1252.
        bool sawUtf8 = false;
        text = DecodeMixed(bytes, sawUtf8);
        found = { sawUtf8 ? TTextEncoding::Utf8 : TTextEncoding::Windows1252, false };
    }
    if (format)
        *format = found;
    return text;
}

QByteArray EncodeText(
    const QString& text, TTextEncoding encoding, bool withMark, TTextEncoding* usedEncoding)
{
    QByteArray bytes;
    if (encoding == TTextEncoding::Windows1252) {
        if (auto cp = EncodeCp1252(text)) {
            if (usedEncoding)
                *usedEncoding = encoding;
            return *cp; // Windows-1252 has no byte-order mark
        }
        encoding = TTextEncoding::Utf8;
    }
    if (usedEncoding)
        *usedEncoding = encoding;
    if (text.isEmpty())
        return bytes;
    QStringConverter::Encoding qtEncoding = QStringConverter::Utf8;
    if (encoding == TTextEncoding::Utf16LE)
        qtEncoding = QStringConverter::Utf16LE;
    else if (encoding == TTextEncoding::Utf16BE)
        qtEncoding = QStringConverter::Utf16BE;
    QStringEncoder encoder(
        qtEncoding, withMark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    bytes = encoder.encode(text);
    return bytes;
}

std::optional<QByteArray> ReadFileBytes(
    const QString& fileName, qint64 maxBytes, QString* errorText)
{
    const auto fail = [errorText](const QString& reason) -> std::optional<QByteArray> {
        if (errorText)
            *errorText = reason;
        return std::nullopt;
    };
    const auto tooLarge = [&] {
        return fail(AppTexts().str_file_toolarge.arg(Regional().Locale().formattedDataSize(
            maxBytes, 0, QLocale::DataSizeTraditionalFormat)));
    };
    const int fd = ::open(
        QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(SystemError(errno));
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return fail(SystemError(errno));
    if (!S_ISREG(st.st_mode))
        return fail(AppTexts().str_file_notregular);
    if (st.st_size > maxBytes)
        return tooLarge();
    // A regular file never blocks a read; the flag only kept the open from
    // waiting, and some file systems answer EAGAIN while it is set.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // The size is a hint only: the file may grow while it is read, and the
    // files of /proc say 0. One byte more than allowed tells a file that is
    // too large.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(st.st_size, maxBytes) + 1));
    qsizetype used = 0;
    while (true) {
        if (used == bytes.size()) {
            if (used > maxBytes)
                return tooLarge();
            bytes.resize(static_cast<qsizetype>(
                std::min<qint64>(std::max<qsizetype>(used * 2, 4096), maxBytes + 1)));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(SystemError(errno));
        }
        if (n == 0)
            break;
        used += n;
    }
    if (used > maxBytes)
        return tooLarge();
    bytes.truncate(used);
    return bytes;
}

std::optional<QString> ReadTextFile(
    const QString& fileName, qint64 maxBytes, TTextFileFormat* format, QString* errorText)
{
    const std::optional<QByteArray> bytes = ReadFileBytes(fileName, maxBytes, errorText);
    if (!bytes)
        return std::nullopt;
    return DecodeText(*bytes, format);
}

bool WriteTextFile(const QString& text, const QString& fileName, TTextEncoding encoding,
    bool withMark, QString* errorText)
{
    return WriteBinaryFile(EncodeText(text, encoding, withMark), fileName, errorText);
}

bool WriteBinaryFile(const QByteArray& bytes, const QString& fileName, QString* errorText)
{
    QString reason;
    const bool ok = WriteBytesAtomically(bytes, fileName, reason);
    if (!ok && errorText)
        *errorText = reason;
    return ok;
}

bool WriteIntoFile(const QByteArray& bytes, const QString& fileName, QString* errorText)
{
    const TSigPipeHold hold;
    int fd = -1;
    do
        fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    bool ok = fd >= 0 && WriteAll(fd, bytes);
    int error = ok ? 0 : errno;
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok && errorText)
        *errorText = SystemError(error);
    return ok;
}

bool WriteTextFiles(const std::vector<TTextFileWrite>& files, std::vector<QString>* errorTexts)
{
    const size_t n = files.size();
    std::vector<QString> errors(n);
    std::vector<std::optional<TPreparedFile>> prepared(n);
    for (size_t i = 0; i < n; ++i) {
        const TTextFileWrite& f = files[i];
        prepared[i]
            = PrepareFile(EncodeText(f.text, f.encoding, f.withMark), f.fileName, false, errors[i]);
    }
    // One sync per file system makes every temporary file durable at once
    // (a sync per file costs a flush of the disk's cache each); a single file
    // is synced on its own, which leaves the rest of the file system alone.
    // Where the sync of a file system fails, each file is synced on its own,
    // so the one that cannot be written is known and the others still go.
    const auto count = std::count_if(
        prepared.begin(), prepared.end(), [](const auto& file) { return file.has_value(); });
    std::set<dev_t> synced;
    bool syncEach = count == 1;
    for (const auto& file : prepared) {
        if (syncEach)
            break;
        struct stat st { };
        if (!file || ::stat(file->temp.constData(), &st) != 0 || synced.count(st.st_dev))
            continue;
        synced.insert(st.st_dev);
        const int fd = ::open(file->temp.constData(), O_RDONLY | O_CLOEXEC);
        syncEach = fd < 0 || ::syncfs(fd) != 0;
        if (fd >= 0)
            ::close(fd);
    }
    std::set<QByteArray> folders;
    for (size_t i = 0; i < n; ++i) {
        std::optional<TPreparedFile>& file = prepared[i];
        if (!file)
            continue;
        if (const int error = syncEach ? SyncFile(file->temp) : 0) {
            errors[i] = SystemError(error);
            ::unlink(file->temp.constData());
            continue;
        }
        if (CommitFile(*file, errors[i]))
            folders.insert(FolderOf(file->target));
    }
    for (const QByteArray& folder : folders)
        SyncFolder(folder);
    const bool all
        = std::all_of(errors.begin(), errors.end(), [](const QString& e) { return e.isEmpty(); });
    if (errorTexts)
        *errorTexts = std::move(errors);
    return all;
}

bool IsLeftoverTempFile(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.ryvsave-[a-z0-9]{6}$"));
    return pattern.match(fileName).hasMatch();
}

namespace {

// Removes the leftovers in dir whose name begins with prefix.
int RemoveLeftovers(const QDir& dir, const QString& prefix)
{
    int removed = 0;
    const QStringList names
        = dir.entryList({ QStringLiteral("*.ryvsave-*") }, QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (name.startsWith(prefix) && IsLeftoverTempFile(name)
            && QFile::remove(dir.filePath(name)))
            ++removed;
    return removed;
}

} // namespace

int RemoveLeftoverTempFiles(const QString& folder)
{
    return RemoveLeftovers(QDir(folder), QString());
}

int RemoveLeftoverTempFilesOf(const QString& fileName)
{
    const QFileInfo info(fileName);
    return RemoveLeftovers(info.absoluteDir(), info.fileName() + QStringLiteral(".ryvsave-"));
}

} // namespace ryv
