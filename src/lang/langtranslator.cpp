#include "lang/langtranslator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstring>

namespace ryv {

TLangTranslator::TLangTranslator(QObject* parent)
    : QTranslator(parent)
{
}

QString TLangTranslator::translate(
    const char* context, const char* sourceText, const char* disambiguation, int n) const
{
    if (!context || !sourceText)
        return {};
    if (!FCancelText.isEmpty()
        && ((std::strcmp(context, "QPlatformTheme") == 0 && std::strcmp(sourceText, "Cancel") == 0)
            || (std::strcmp(context, "QGnomeTheme") == 0
                && std::strcmp(sourceText, "&Cancel") == 0)))
        return FCancelText;
    return FQt ? FQt->translate(context, sourceText, disambiguation, n) : QString();
}

bool TLangTranslator::SetQtLanguage(const QString& code)
{
    const QString wanted = code.trimmed().toLower();
    if (wanted == FQtCode)
        return FQt != nullptr;
    FQtCode = wanted;
    FQt.reset();
    const QString folder
        = FQtFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : FQtFolder;
    const bool english = wanted.isEmpty() || wanted == QLatin1String("en")
        || wanted.startsWith(QLatin1String("en-")) || wanted.startsWith(QLatin1String("en_"));
    if (english)
        return false;
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QLocale(wanted), QStringLiteral("qtbase"), QStringLiteral("_"), folder))
        return false;
    FQt = std::move(qt);
    return true;
}

QString TLangTranslator::CancelText() const
{
    if (!FCancelText.isEmpty())
        return FCancelText;
    // Asked while no replacement is in force, this translator answers
    // nothing, so Qt's answer is its own text or another translator's.
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace ryv
