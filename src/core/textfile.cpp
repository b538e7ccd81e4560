#include "core/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

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

QString Decode(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
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
        found = { TTextEncoding::Windows1252, false };
        text = DecodeCp1252(bytes);
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

std::optional<QString> ReadTextFile(
    const QString& fileName, TTextFileFormat* format, QString* errorText)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = file.errorString();
        return std::nullopt;
    }
    return DecodeText(bytes, format);
}

bool WriteTextFile(const QString& text, const QString& fileName, TTextEncoding encoding,
    bool withMark, QString* errorText)
{
    QSaveFile file(fileName);
    const QByteArray bytes = EncodeText(text, encoding, withMark);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && !bytes.isEmpty())
        ok = file.write(bytes) == bytes.size();
    // commit() flushes, syncs and renames; without it the temporary file is
    // removed and the target stays as it was.
    if (ok)
        ok = file.commit();
    if (!ok && errorText) {
        *errorText = file.errorString();
        if (errorText->isEmpty())
            *errorText = QStringLiteral("Cannot write %1").arg(fileName);
    }
    if (!ok)
        file.cancelWriting();
    return ok;
}

} // namespace ryv
