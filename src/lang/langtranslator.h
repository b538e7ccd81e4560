#pragma once

#include <QString>
#include <QTranslator>

namespace ryv {

// Hands the language's "Cancel" to Qt's own dialogs. Qt's standard buttons
// take their texts through the installed translators: "Cancel" in the
// context "QPlatformTheme", and "&Cancel" in "QGnomeTheme" under the GNOME
// and GTK platform themes. Installed once at start-up, this answers both
// with CancelText, so QInputDialog, QFileDialog and standard message boxes
// made afterwards show the language's Cancel. Every other text is left to
// Qt (an empty answer passes it on).
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

private:
    QString FCancelText;
};

} // namespace ryv
