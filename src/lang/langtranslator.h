#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

namespace ryv {

// Hands the language's "Cancel" to Qt's own dialogs. Qt's standard buttons
// take their texts through the installed translators: "Cancel" in the
// context "QPlatformTheme", and "&Cancel" in "QGnomeTheme" under the GNOME
// and GTK platform themes. Installed once at start-up, this answers both
// with CancelText, so QInputDialog, QFileDialog and standard message boxes
// made afterwards show the language's Cancel. Every other text of Qt's own
// (the names of keys in the menus' shortcuts, its dialogs) comes from Qt's
// translation for the language when the system has it (Debian:
// qt6-translations-l10n); else Qt keeps its English.
class TLangTranslator final : public QTranslator {
    Q_OBJECT
public:
    explicit TLangTranslator(QObject* parent = nullptr);

    QString translate(const char* context, const char* sourceText,
        const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }

    // The replacement in force, else Qt's own Cancel text.
    QString CancelText() const;
    // An empty text removes the replacement.
    void SetCancelText(const QString& text) { FCancelText = text; }
    // Qt's own texts in the language with this code (as "de" or "pt-BR");
    // false when the system has none for it. English is Qt's own.
    bool SetQtLanguage(const QString& code);
    // For tests: where Qt's translations are looked for.
    void SetQtTranslationsFolder(const QString& folder) { FQtFolder = folder; }

private:
    QString FCancelText;
    std::unique_ptr<QTranslator> FQt; // null: Qt keeps its English
    QString FQtCode;
    QString FQtFolder;
};

} // namespace ryv
