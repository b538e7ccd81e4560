#pragma once

#include "lang/langfolders.h"
#include "lang/langkeyedlist.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QObject;

namespace ryv {

class TFileMask;
class TLangPropertyWriter;

// Reading order of a language.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

// One language found on disk: its code ("de") and the name it gives itself
// ("Deutsch").
struct TLanguageInfo {
    QString code;
    QString name;
    bool operator==(const TLanguageInfo&) const = default;
};

// The texts of one language, read from language files, handed out four ways:
// constants by identifier (LangText), property entries applied to a window's
// objects (LangVCL), translations of runtime messages by wildcard pattern
// (LangString), and "@..." replacements of the toolkit's own texts (through
// LangText; TLangTranslator hands them to Qt).
//
// Files are named "<any name>.<code>.<ext>": ".lng" base files, ".lngu" user
// files whose entries override the base files' of the same language, and
// ".lngz" base files that are listed but never read. All files of a code
// form the language. See TLangFile for the text syntax.
//
// One manager serves the program; the entry point makes it and hands it to
// the language controllers. Used on the user-interface thread only.
class TLanguageManager final {
public:
    explicit TLanguageManager(TLangFolders folders = {});
    ~TLanguageManager();
    TLanguageManager(const TLanguageManager&) = delete;
    TLanguageManager& operator=(const TLanguageManager&) = delete;

    // Full paths of the files the last load took into account, in order.
    const QStringList& ActiveFiles() const { return FActiveFiles; }
    // Base names that restrict which files count ("RyvTracker" admits
    // "RyvTracker.de.lng" but not "Other.de.lng"); empty: every file. Masks
    // with "*", "?" and "[...]" are allowed.
    QStringList& FileNames() { return FFileNames; }
    // The program's own texts of the constants (identifier, text), the
    // English its translations stand for. A translation whose placeholders
    // (%1, %2 ...) are not those of its text would show a message without
    // its values, or with the wrong ones: a load gives such a constant the
    // program's text instead and names it in LastError. Without reference
    // texts nothing is checked.
    void SetReferenceTexts(const std::vector<std::pair<QString, QString>>& texts);
    // The longest value an entry may have; a longer one is not taken (the
    // program's own text stays) and LastError says so. The longest text of
    // the program is some hundred characters; refusing rather than cutting
    // keeps a cut sentence from showing as if it were whole, and keeps a
    // file of huge values from making every window slow to lay out.
    static constexpr qsizetype MaxValueLength = 4096;
    // The language folder; when empty or missing, the base folders given at
    // construction are searched instead.
    const QString& Folder() const { return FFolder; }
    void SetFolder(const QString& folder) { FFolder = folder; }
    const TLangFolders& Folders() const { return FFolders; }
    void SetFolders(TLangFolders folders) { FFolders = std::move(folders); }
    // Search subfolders too, depth first, before the folder's own files.
    bool RecursiveFolder() const { return FRecursiveFolder; }
    void SetRecursiveFolder(bool recursive) { FRecursiveFolder = recursive; }
    // A property entry named "ShortCut" takes shortcut text ("Ctrl+Enter")
    // while this is set; otherwise it is an ordinary property.
    bool AllowSpecialProps() const { return FAllowSpecialProps; }
    void SetAllowSpecialProps(bool allow) { FAllowSpecialProps = allow; }

    const QString& LanguageName() const { return FLanguageName; }
    // Empty while no language is loaded.
    const QString& LanguageCode() const { return FLanguageCode; }
    // Loads the language: every file of the code from a fresh start, base
    // files first, then the user files over them. On success (no file
    // failed) OnLanguageChanged is called. A code without any file leaves no
    // language loaded and LastError "Language not found (<code>)". An empty
    // code only clears LastError.
    void SetLanguageCode(const QString& code);
    TBiDiMode BiDiMode() const { return FBiDiMode; }

    const TLangKeyedList& Properties() const { return FLangProps; }
    const TLangKeyedList& Constants() const { return FLangConsts; }
    const TLangKeyedList& ResourceStrings() const { return FLangResStr; }
    // The errors of the last operation, one after another; empty when it
    // succeeded.
    const QString& LastError() const { return FLastError; }

    // How many loads have been announced through OnLanguageChanged; a
    // caller compares it before and after a load to learn whether the load
    // was announced.
    int ChangeCount() const { return FChangeCount; }

    using TChangedHandler = std::function<void(TLanguageManager* sender)>;
    const TChangedHandler& OnLanguageChanged() const { return FOnLanguageChanged; }
    void SetOnLanguageChanged(TChangedHandler handler) { FOnLanguageChanged = std::move(handler); }

    // Empties the constants, the property entries, the message pairs and the
    // list of active files as asked; the toolkit text replacements always.
    // Code, name and reading order stay.
    void Clear(bool consts, bool props, bool messages, bool actFiles);
    // Every language found (code in lower case and name), in the order the
    // files are found; a language whose files carry no name is not listed.
    bool GetAvailableLanguages(QList<TLanguageInfo>& availableLanguages);
    // Appends the base files (.lng, .lngz) and the user files (.lngu) of a
    // language to the lists.
    void GetLanguageFiles(const QString& code, QStringList& pdkFiles, QStringList& usrFiles) const;
    // Reads the current language again from disk.
    void Refresh();

    // The constant id (case ignored); an id beginning "@" is a toolkit text
    // replacement. Falls back to a property entry of that key
    // ("TfrmRyvTracker.lbTotCap.Caption"), then to defaultText, whose
    // escapes are decoded.
    QString LangText(const QString& id, const QString& defaultText) const;
    // Applies the property entries of the section named asClassName (empty:
    // the owner's class name) to owner and the objects below it, through
    // writer (the QtCore-only writer when none is given). onlyComponent,
    // when given, limits the entries to that object. An entry naming an
    // object the owner does not have is skipped; every other failing entry
    // is reported in LastError and the rest still apply. True when none
    // failed.
    bool LangVCL(QObject* owner, const QString& asClassName = QString(),
        QObject* onlyComponent = nullptr, const TLangPropertyWriter* writer = nullptr);
    bool LangForm(QObject* owner, const QString& asClassName = QString(),
        QObject* onlyComponent = nullptr, const TLangPropertyWriter* writer = nullptr)
    {
        return LangVCL(owner, asClassName, onlyComponent, writer);
    }
    // Translates a runtime message by the first pattern of the "messages"
    // section that matches it whole (case ignored); the translation's
    // wildcards take what the pattern's wildcards matched, counted from the
    // right. Without a matching pattern: the constant or property entry of
    // that key, else the message unchanged.
    QString LangString(const QString& text) const;
    QString LangMess(const QString& message) const { return LangString(message); }

    // The class name a section names, as LangVCL takes it from owner: the
    // C++ class name without its namespace ("TfrmRyvTracker").
    static QString OwnerClassName(const QObject* owner);

private:
    struct TMessagePattern;

    void FindFiles(const QString& code, QStringList& pdkFiles, QStringList& usrFiles) const;
    void SearchFolder(const QString& folder, const QString& code, QStringList& pdkFiles,
        QStringList& usrFiles, int depth) const;
    void FilterFiles(QStringList& files) const;
    bool ReadLanguageFile(const QString& fileName, bool userFile, QString* errorText);
    void AddEntry(TLangKeyedList& list, QString key, QString value, bool userFile);
    void AddEntryError(const QString& key, const QString& message);
    // Gives every constant whose placeholders differ from its reference text
    // that text, and says which in LastError.
    void CheckPlaceholders();

    TLangFolders FFolders;
    bool FAllowSpecialProps = true;
    TChangedHandler FOnLanguageChanged;
    bool FRecursiveFolder = false;
    QStringList FActiveFiles;
    QStringList FFileNames;
    QString FFolder;
    QString FLanguageCode;
    QString FLanguageName;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    TLangKeyedList FLangProps;
    TLangKeyedList FLangConsts;
    std::vector<TMessagePattern> FMessages; // in file order
    TLangKeyedList FLangResStr;
    QString FLastError;
    int FChangeCount = 0;
    QHash<QString, QString> FReferenceTexts; // by upper-cased identifier
};

} // namespace ryv
