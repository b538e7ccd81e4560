#include "lang/languagemanager.h"

#include "lang/langfile.h"
#include "lang/langpath.h"
#include "lang/langpropertywriter.h"
#include "lang/langstringlist.h"
#include "reports/filemask.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QObject>

#include <algorithm>
#include <optional>
#include <queue>
#include <set>

namespace ryv {

namespace {

constexpr QStringView HeaderSection = u"calbrix language file";
constexpr QStringView ConstantsSection = u"constants";
constexpr QStringView MessagesSection = u"messages";
// Line breaks in LastError, as everywhere in texts shown on Linux.
const QLatin1String LineBreak("\n");
// Subfolders deeper than this are not searched; no real tree is that deep,
// and a link loop must not make the search endless.
constexpr int MaxFolderDepth = 8;

enum class TFileKind { None, Base, Packed, User };

TFileKind KindOfFile(const QString& fileName)
{
    const QString lower = fileName.toLower();
    if (lower.endsWith(QLatin1String(".lng")))
        return TFileKind::Base;
    if (lower.endsWith(QLatin1String(".lngz")))
        return TFileKind::Packed;
    if (lower.endsWith(QLatin1String(".lngu")))
        return TFileKind::User;
    return TFileKind::None;
}

// The code between the last two dots of a file name, in lower case.
QString CodeOfFile(const QString& fileName)
{
    const qsizetype extDot = fileName.lastIndexOf(QLatin1Char('.'));
    if (extDot <= 0)
        return {};
    const qsizetype codeDot = fileName.lastIndexOf(QLatin1Char('.'), extDot - 1);
    if (codeDot < 0)
        return {};
    return fileName.mid(codeDot + 1, extDot - codeDot - 1).toLower();
}

// A code names files, so it may hold nothing that a file mask or a path
// would read: a hostile settings file must not load every language at once.
bool IsValidCode(const QString& code)
{
    if (code.isEmpty() || code.size() > 32)
        return false;
    for (const QChar c : code) {
        if (!(c.isLetterOrNumber() || c == u'-' || c == u'_'))
            return false;
    }
    return true;
}

bool NonZeroNumber(QString text)
{
    text = text.trimmed();
    bool ok = false;
    qlonglong value = 0;
    if (text.startsWith(QLatin1Char('$')))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    return ok && value != 0;
}

// The numbers of the placeholders of a text ("%1", "%L2" ...) as QString's
// arg() finds them: one or two digits after "%" or "%L".
std::set<int> Placeholders(QStringView text)
{
    std::set<int> numbers;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        qsizetype j = i + 1;
        if (text[j] == u'L')
            ++j;
        int number = 0;
        for (int digits = 0; digits < 2 && j < text.size() && text[j] >= u'0' && text[j] <= u'9';
             ++digits, ++j)
            number = number * 10 + (text[j].unicode() - u'0');
        if (number > 0)
            numbers.insert(number);
    }
    return numbers;
}

QString PlaceholderList(const std::set<int>& numbers)
{
    QStringList names;
    for (const int n : numbers)
        names << QStringLiteral("%%1").arg(n);
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// The entries of one file whose values are too long, named in one line.
QString TooLongText(const QString& fileName, const QStringList& names, int count)
{
    constexpr int Named = 5;
    QString text = QStringLiteral("The language file \"%1\": %2 entries are longer than %3 "
                                  "characters and were not taken (%4")
                       .arg(QFileInfo(fileName).fileName())
                       .arg(count)
                       .arg(TLanguageManager::MaxValueLength)
                       .arg(names.mid(0, Named).join(QStringLiteral(", ")));
    return text + (count > Named ? QStringLiteral(" ...)") : QStringLiteral(")"));
}

// What the n-th wildcard of the pattern matched, counted from the right, goes
// to the n-th wildcard of the translation, counted from the right. The
// pattern is known to match the text, so its literal pieces are found in it:
// the first and last by position, the inner ones at their last occurrence.
QString SubstituteWildcards(const QString& pattern, const QString& translation, const QString& text)
{
    auto splitAtWildcards = [](const QString& s) {
        QStringList pieces;
        QString piece;
        for (const QChar c : s) {
            if (c == u'*' || c == u'?') {
                pieces << piece;
                piece.clear();
            } else {
                piece += c;
            }
        }
        pieces << piece;
        return pieces;
    };
    const QStringList p = splitAtWildcards(pattern);
    const QStringList t = splitAtWildcards(translation);

    // captures[k]: what the pattern's wildcard k + 1 (from the left) matched.
    const qsizetype n = p.size() - 1;
    QStringList captures(n);
    if (n > 0) {
        const qsizetype head = p.first().size();
        const qsizetype tail = p.last().size();
        QString rest
            = head + tail <= text.size() ? text.mid(head, text.size() - head - tail) : QString();
        for (qsizetype k = n - 1; k >= 1; --k) {
            const QString& piece = p[k];
            const qsizetype at = rest.lastIndexOf(piece, -1, Qt::CaseInsensitive);
            if (at < 0)
                continue;
            captures[k] = rest.mid(at + piece.size());
            rest.truncate(at);
        }
        captures[0] = rest;
    }

    const qsizetype m = t.size() - 1;
    QString result = t.first();
    for (qsizetype j = 1; j <= m; ++j) {
        const qsizetype fromRight = m - j; // 0 for the translation's last
        const qsizetype k = n - 1 - fromRight;
        if (k >= 0)
            result += captures[k];
        result += t[j];
    }
    return result;
}

// The named objects below owner, found by their upper-cased name. The walk
// is breadth first, so of two objects named alike the one nearer to owner
// wins. It does not enter another window of ours (an object with its own
// language controller, such as an open task dialog parented to the main
// window): its texts belong to its own section.
QHash<QString, QObject*> IndexComponents(QObject* owner)
{
    QHash<QString, QObject*> index;
    std::queue<QObject*> pending;
    pending.push(owner);
    while (!pending.empty()) {
        QObject* object = pending.front();
        pending.pop();
        const QObjectList& children = object->children();
        if (object != owner) {
            bool separate = false;
            for (const QObject* child : children) {
                if (child->inherits("ryv::TqlxController")) {
                    separate = true;
                    break;
                }
            }
            if (separate)
                continue;
        }
        for (QObject* child : children) {
            const QString name = child->objectName();
            if (!name.isEmpty()) {
                QString key = name.toUpper();
                if (!index.contains(key))
                    index.insert(key, child);
            }
            pending.push(child);
        }
    }
    return index;
}

} // namespace

struct TLanguageManager::TMessagePattern {
    QString pattern;
    QString translation;
    // Parsed on first use: most patterns are never tried.
    mutable std::optional<TFileMask> mask;
};

TLanguageManager::TLanguageManager(TLangFolders folders)
    : FFolders(std::move(folders))
{
}

TLanguageManager::~TLanguageManager() = default;

void TLanguageManager::Clear(bool consts, bool props, bool messages, bool actFiles)
{
    if (consts)
        FLangConsts.Clear();
    if (props)
        FLangProps.Clear();
    if (messages)
        FMessages.clear();
    if (actFiles)
        FActiveFiles.clear();
    FLangResStr.Clear();
}

void TLanguageManager::SetLanguageCode(const QString& code)
{
    FLastError.clear();
    if (code.isEmpty())
        return;
    Clear(true, true, true, true);
    FLanguageCode = code;
    FLanguageName.clear();
    FBiDiMode = TBiDiMode::bdLeftToRight;

    QStringList pdkFiles;
    QStringList usrFiles;
    GetLanguageFiles(code, pdkFiles, usrFiles);
    if (pdkFiles.isEmpty() && usrFiles.isEmpty()) {
        FLanguageCode.clear();
        FLastError = QStringLiteral("Language not found (%1)").arg(code);
        return;
    }

    auto sortAll = [this] {
        FLangConsts.Sort();
        FLangProps.Sort();
        FLangResStr.Sort();
    };
    QString errorText;
    for (const QString& file : std::as_const(pdkFiles)) {
        if (!ReadLanguageFile(file, false, &errorText))
            FLastError += LineBreak + errorText;
    }
    // One sort for all base entries; the user entries then go in place.
    sortAll();
    for (const QString& file : std::as_const(usrFiles)) {
        if (!ReadLanguageFile(file, true, &errorText))
            FLastError += LineBreak + errorText;
    }
    CheckPlaceholders();
    if (FLastError.startsWith(LineBreak))
        FLastError.remove(0, LineBreak.size());

    if (FOnLanguageChanged && FLastError.isEmpty() && FLanguageCode == code) {
        ++FChangeCount;
        FOnLanguageChanged(this);
    }
}

void TLanguageManager::SetReferenceTexts(const std::vector<std::pair<QString, QString>>& texts)
{
    FReferenceTexts.clear();
    for (const auto& [id, text] : texts)
        FReferenceTexts.insert(id.toUpper(), text);
}

void TLanguageManager::CheckPlaceholders()
{
    std::vector<TLangKeyedList::TEntry> replaced;
    for (int i = 0; i < FLangConsts.Count(); ++i) {
        const auto& [key, value] = FLangConsts.At(i);
        const auto reference = FReferenceTexts.constFind(key);
        if (reference == FReferenceTexts.cend())
            continue;
        const std::set<int> wanted = Placeholders(*reference);
        const std::set<int> given = Placeholders(value);
        if (given == wanted)
            continue;
        FLastError += LineBreak
            + QStringLiteral("The entry %1 has the placeholders %2 where the program's text has "
                             "%3; the program's text is used.")
                  .arg(key.toLower(), PlaceholderList(given), PlaceholderList(wanted));
        replaced.emplace_back(key, *reference);
    }
    for (auto& [key, text] : replaced)
        FLangConsts.Put(key, std::move(text));
}

void TLanguageManager::Refresh()
{
    SetLanguageCode(FLanguageCode);
}

bool TLanguageManager::ReadLanguageFile(const QString& fileName, bool userFile, QString* errorText)
{
    // Packed files are recognised as part of a language but never read.
    if (KindOfFile(fileName) == TFileKind::Packed) {
        FActiveFiles << fileName;
        return true;
    }
    const std::optional<TLangFile> file = TLangFile::Load(fileName, errorText);
    FActiveFiles << fileName;
    if (!file)
        return false;

    if (FLanguageName.isEmpty())
        FLanguageName = file->Value(HeaderSection, u"languagename").value_or(QString());
    if (FBiDiMode != TBiDiMode::bdRightToLeft
        && NonZeroNumber(file->Value(HeaderSection, u"rtl").value_or(QString())))
        FBiDiMode = TBiDiMode::bdRightToLeft;

    QStringList tooLong;
    int tooLongCount = 0;
    // Whether a line's value fits; a value that does not is noted and skipped.
    const auto fits = [&](const TLangLine& line) {
        if (line.value.size() <= MaxValueLength)
            return true;
        ++tooLongCount;
        if (tooLong.size() < 5)
            tooLong << (line.isEntry ? line.name : line.value.left(40) + QStringLiteral("..."));
        return false;
    };
    for (const TLangSection& section : file->Sections()) {
        if (section.name.compare(HeaderSection, Qt::CaseInsensitive) == 0)
            continue;
        if (section.name.compare(ConstantsSection, Qt::CaseInsensitive) == 0) {
            for (const TLangLine& line : section.lines) {
                if (!line.isEntry || line.name.isEmpty() || !fits(line))
                    continue;
                QString key = line.name.toUpper();
                TLangKeyedList& list = key.startsWith(QLatin1Char('@')) ? FLangResStr : FLangConsts;
                AddEntry(list, std::move(key), DecodeLangEscapes(line.value), userFile);
            }
        } else if (section.name.compare(MessagesSection, Qt::CaseInsensitive) == 0) {
            // Pairs of lines; a pattern on the last line without a
            // translation is dropped.
            for (size_t i = 0; i + 1 < section.lines.size(); i += 2) {
                // A pair of which one line is too long is dropped whole.
                const bool patternFits = fits(section.lines[i]);
                const bool translationFits = fits(section.lines[i + 1]);
                if (!patternFits || !translationFits)
                    continue;
                QString pattern = DecodeLangEscapes(section.lines[i].Text());
                QString translation = DecodeLangEscapes(section.lines[i + 1].Text());
                TMessagePattern* existing = nullptr;
                if (userFile) {
                    for (TMessagePattern& m : FMessages) {
                        if (m.pattern.compare(pattern, Qt::CaseInsensitive) == 0) {
                            existing = &m;
                            break;
                        }
                    }
                }
                if (existing)
                    existing->translation = std::move(translation);
                else
                    FMessages.push_back(
                        TMessagePattern { std::move(pattern), std::move(translation), {} });
            }
        } else {
            const QString prefix = section.name.toUpper() + QLatin1Char('.');
            for (const TLangLine& line : section.lines) {
                if (!line.isEntry || line.name.isEmpty() || !fits(line))
                    continue;
                AddEntry(FLangProps, prefix + line.name.toUpper(), DecodeLangEscapes(line.value),
                    userFile);
            }
        }
    }
    if (tooLongCount > 0) {
        if (errorText)
            *errorText = TooLongText(fileName, tooLong, tooLongCount);
        return false;
    }
    return true;
}

void TLanguageManager::AddEntry(TLangKeyedList& list, QString key, QString value, bool userFile)
{
    if (userFile)
        list.Put(key, std::move(value));
    else
        list.Append(std::move(key), std::move(value));
}

bool TLanguageManager::GetAvailableLanguages(QList<TLanguageInfo>& availableLanguages)
{
    FLastError.clear();
    availableLanguages.clear();
    QStringList files;
    QStringList usrFiles;
    GetLanguageFiles(QString(), files, usrFiles);
    files << usrFiles;
    for (const QString& file : std::as_const(files)) {
        const QString fileName = QFileInfo(file).fileName();
        const QString code = CodeOfFile(fileName);
        if (!IsValidCode(code) || KindOfFile(fileName) == TFileKind::Packed)
            continue;
        const bool listed = std::any_of(availableLanguages.cbegin(), availableLanguages.cend(),
            [&](const TLanguageInfo& info) { return info.code == code; });
        if (listed)
            continue;
        // A file that cannot be read only loses its name.
        const std::optional<TLangFile> parsed = TLangFile::Load(file, nullptr);
        const QString name = parsed
            ? parsed->Value(HeaderSection, u"languagename").value_or(QString())
            : QString();
        if (!name.isEmpty())
            availableLanguages.append(TLanguageInfo { code, name });
    }
    return true;
}

void TLanguageManager::GetLanguageFiles(
    const QString& code, QStringList& pdkFiles, QStringList& usrFiles) const
{
    if (!code.isEmpty() && !IsValidCode(code))
        return;
    QStringList pdk;
    QStringList usr;
    FindFiles(code, pdk, usr);
    FilterFiles(pdk);
    FilterFiles(usr);
    pdkFiles << pdk;
    usrFiles << usr;
}

void TLanguageManager::FindFiles(
    const QString& code, QStringList& pdkFiles, QStringList& usrFiles) const
{
    QStringList folders = FFolders.baseFolders;
    if (!FFolder.isEmpty() && QFileInfo(FFolder).isDir())
        folders = QStringList { FFolder };
    for (const QString& folder : std::as_const(folders)) {
        SearchFolder(folder, code, pdkFiles, usrFiles, 0);
        if (!pdkFiles.isEmpty() || !usrFiles.isEmpty())
            break;
    }
    if (FFolders.userFolder.isEmpty())
        return;
    QStringList ignored;
    QStringList userFiles;
    SearchFolder(FFolders.userFolder, code, ignored, userFiles, 0);
    // The user folder may be the base folder itself (a portable program in
    // the data folder); its files then count once.
    QStringList known;
    for (const QString& f : std::as_const(usrFiles))
        known << QFileInfo(f).canonicalFilePath();
    for (const QString& f : std::as_const(userFiles)) {
        if (!known.contains(QFileInfo(f).canonicalFilePath()))
            usrFiles << f;
    }
}

void TLanguageManager::SearchFolder(const QString& folder, const QString& code,
    QStringList& pdkFiles, QStringList& usrFiles, int depth) const
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return;
    if (FRecursiveFolder && depth < MaxFolderDepth) {
        const QFileInfoList subfolders
            = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
        for (const QFileInfo& sub : subfolders)
            SearchFolder(sub.filePath(), code, pdkFiles, usrFiles, depth + 1);
    }
    QStringList lng;
    QStringList lngz;
    QStringList lngu;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const QString name = info.fileName();
        const QString fileCode = CodeOfFile(name);
        if (fileCode.isEmpty() || (!code.isEmpty() && fileCode != code.toLower()))
            continue;
        switch (KindOfFile(name)) {
        case TFileKind::Base:
            lng << info.filePath();
            break;
        case TFileKind::Packed:
            lngz << info.filePath();
            break;
        case TFileKind::User:
            lngu << info.filePath();
            break;
        case TFileKind::None:
            break;
        }
    }
    pdkFiles << lng << lngz;
    usrFiles << lngu;
}

void TLanguageManager::FilterFiles(QStringList& files) const
{
    if (FFileNames.isEmpty())
        return;
    std::vector<TFileMask> masks;
    for (const QString& name : FFileNames)
        masks.emplace_back(name + QStringLiteral(".*.*"));
    files.removeIf([&](const QString& file) {
        const QString fileName = QFileInfo(file).fileName();
        return std::none_of(masks.cbegin(), masks.cend(),
            [&](const TFileMask& mask) { return mask.Matches(fileName); });
    });
}

QString TLanguageManager::LangText(const QString& id, const QString& defaultText) const
{
    if (id.isEmpty())
        return DecodeLangEscapes(defaultText);
    const QString key = id.toUpper();
    if (key.startsWith(QLatin1Char('@'))) {
        const QString* value = FLangResStr.Find(key);
        return value ? *value : DecodeLangEscapes(defaultText);
    }
    if (const QString* value = FLangConsts.Find(key))
        return *value;
    if (const QString* value = FLangProps.Find(key))
        return *value;
    return DecodeLangEscapes(defaultText);
}

QString TLanguageManager::LangString(const QString& text) const
{
    if (text.isEmpty())
        return {};
    for (const TMessagePattern& m : FMessages) {
        if (!m.mask)
            m.mask.emplace(m.pattern);
        // A pattern with an unclosed "[" matches nothing.
        if (m.mask->Matches(text))
            return SubstituteWildcards(m.pattern, m.translation, text);
    }
    const QString key = text.toUpper();
    const TLangKeyedList& list = key.startsWith(QLatin1Char('@')) ? FLangResStr : FLangConsts;
    if (const QString* value = list.Find(key))
        return *value;
    if (const QString* value = FLangProps.Find(key))
        return *value;
    return text;
}

QString TLanguageManager::OwnerClassName(const QObject* owner)
{
    if (!owner)
        return {};
    const QString name = QString::fromLatin1(owner->metaObject()->className());
    const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
    return colons >= 0 ? name.mid(colons + 2) : name;
}

void TLanguageManager::AddEntryError(const QString& key, const QString& message)
{
    FLastError += LineBreak + LineBreak + QStringLiteral("TLanguageManager (") + key
        + QStringLiteral("):") + LineBreak + QStringLiteral("      ") + message;
}

bool TLanguageManager::LangVCL(QObject* owner, const QString& asClassName, QObject* onlyComponent,
    const TLangPropertyWriter* writer)
{
    FLastError.clear();
    if (!owner) {
        FLastError = LineBreak + LineBreak + QStringLiteral("TLanguageManager:") + LineBreak
            + QStringLiteral("      ") + QStringLiteral("There is no window to translate");
        return false;
    }
    static const TLangPropertyWriter coreWriter;
    if (!writer)
        writer = &coreWriter;
    const QString prefix = (asClassName.isEmpty() ? OwnerClassName(owner) : asClassName).toUpper()
        + QLatin1Char('.');

    // The walk below writes properties only: it neither makes nor deletes
    // objects, so the index stays valid for the whole pass.
    std::optional<QHash<QString, QObject*>> components;
    for (int i = FLangProps.LowerBound(prefix); i < FLangProps.Count(); ++i) {
        const auto& [key, value] = FLangProps.At(i);
        if (!key.startsWith(prefix))
            break;
        const QString rest = key.mid(prefix.size());
        const qsizetype lastDot = rest.lastIndexOf(QLatin1Char('.'));
        if (lastDot < 0)
            continue; // a bare property addresses no component
        const QString property = rest.mid(lastDot + 1);
        QString error;
        const std::optional<std::vector<TLangPathStep>> steps
            = ParseLangPath(QStringView(rest).left(lastDot), &error);
        if (!steps || property.isEmpty()) {
            AddEntryError(key, steps ? QStringLiteral("The entry names no property") : error);
            continue;
        }
        const TLangPathStep& first = steps->front();
        if (first.kind != TLangPathStep::TKind::Object) {
            AddEntryError(key, QStringLiteral("Invalid path step '%1[...]'").arg(first.name));
            continue;
        }
        QObject* object = nullptr;
        if (first.name.compare(QLatin1String("self"), Qt::CaseInsensitive) == 0) {
            object = owner;
        } else {
            if (!components)
                components = IndexComponents(owner);
            object = components->value(first.name.toUpper(), nullptr);
        }
        if (!object)
            continue; // a component this window does not have

        // Every step but the first and the last walks to an object.
        bool failed = false;
        for (size_t s = 1; s + 1 < steps->size() && !failed; ++s) {
            const TLangPathStep& step = (*steps)[s];
            switch (step.kind) {
            case TLangPathStep::TKind::Object:
                object = writer->ObjectProperty(object, step.name, &error);
                failed = !object;
                break;
            case TLangPathStep::TKind::Item:
                error = QStringLiteral("The items of %1 hold no properties to walk").arg(step.name);
                failed = true;
                break;
            case TLangPathStep::TKind::NoItem:
                break;
            }
        }
        if (failed) {
            AddEntryError(key, error);
            continue;
        }
        if (onlyComponent && onlyComponent != object)
            continue;

        bool ok = true;
        if (steps->size() == 1) {
            ok = writer->SetProperty(object, property, value, FAllowSpecialProps, &error);
        } else {
            const TLangPathStep& last = steps->back();
            switch (last.kind) {
            case TLangPathStep::TKind::NoItem:
                break;
            case TLangPathStep::TKind::Item: {
                const int count = writer->CollectionCount(object, last.name);
                if (count < 0) {
                    error = QStringLiteral("Property %1 does not exist").arg(last.name);
                    ok = false;
                } else if (last.index < 0 || last.index >= count) {
                    error = QStringLiteral("%1 has no item %2")
                                .arg(last.name,
                                    last.index < 0 ? QStringLiteral("that large")
                                                   : QString::number(last.index));
                    ok = false;
                } else {
                    ok = writer->SetItemProperty(
                        object, last.name, last.index, property, value, &error);
                }
                break;
            }
            case TLangPathStep::TKind::Object:
                if (writer->IsStringList(object, last.name)) {
                    std::optional<QStringList> items = StringListFromText(property, value);
                    // Other names on a string list are ignored.
                    if (items)
                        ok = writer->SetStringList(object, last.name, *items, &error);
                } else if (QObject* target = writer->ObjectProperty(object, last.name, &error)) {
                    ok = writer->SetProperty(target, property, value, false, &error);
                } else {
                    ok = false;
                }
                break;
            }
        }
        if (!ok)
            AddEntryError(key, error);
    }
    return FLastError.isEmpty();
}

} // namespace ryv
