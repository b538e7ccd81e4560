#include "lang/langtranslator.h"

#include <QCoreApplication>

#include <cstring>

namespace ryv {

TLangTranslator::TLangTranslator(QObject* parent)
    : QTranslator(parent)
{
}

QString TLangTranslator::translate(
    const char* context, const char* sourceText, const char*, int) const
{
    if (FCancelText.isEmpty() || !context || !sourceText)
        return {};
    if ((std::strcmp(context, "QPlatformTheme") == 0 && std::strcmp(sourceText, "Cancel") == 0)
        || (std::strcmp(context, "QGnomeTheme") == 0 && std::strcmp(sourceText, "&Cancel") == 0))
        return FCancelText;
    return {};
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
