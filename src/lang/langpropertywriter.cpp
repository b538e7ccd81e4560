#include "lang/langpropertywriter.h"

#include <QList>
#include <QLocale>
#include <QMetaEnum>
#include <QObject>
#include <QVariant>

namespace ryv {

namespace {

bool ConvertEnum(const QMetaEnum& metaEnum, const QString& value, int* result)
{
    auto keyValue = [&](QStringView key, int* out) {
        for (int i = 0; i < metaEnum.keyCount(); ++i) {
            if (key.compare(QLatin1String(metaEnum.key(i)), Qt::CaseInsensitive) == 0) {
                *out = metaEnum.value(i);
                return true;
            }
        }
        bool ok = false;
        *out = key.toInt(&ok);
        return ok;
    };
    QStringView text = QStringView(value).trimmed();
    if (!metaEnum.isFlag())
        return keyValue(text, result);
    if (text.startsWith(u'[') && text.endsWith(u']'))
        text = text.mid(1, text.size() - 2);
    int flags = 0;
    for (QStringView part : text.split(u',')) {
        for (QStringView key : part.split(u'|')) {
            key = key.trimmed();
            if (key.isEmpty())
                continue;
            int v = 0;
            if (!keyValue(key, &v))
                return false;
            flags |= v;
        }
    }
    *result = flags;
    return true;
}

bool ConvertValue(const QMetaProperty& property, const QString& value, QVariant* out)
{
    if (property.isEnumType()) {
        int v = 0;
        if (!ConvertEnum(property.enumerator(), value, &v))
            return false;
        *out = QVariant(v);
        return true;
    }
    const QString text = value.trimmed();
    bool ok = true;
    switch (property.metaType().id()) {
    case QMetaType::QString:
        *out = value;
        return true;
    case QMetaType::QStringList:
        *out = value.split(QLatin1Char('\n'));
        return true;
    case QMetaType::Bool:
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == u"1")
            *out = true;
        else if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || text == u"0")
            *out = false;
        else
            return false;
        return true;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
        *out = text.toInt(&ok);
        return ok;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        *out = text.toUInt(&ok);
        return ok;
    case QMetaType::LongLong:
    case QMetaType::Long:
        *out = text.toLongLong(&ok);
        return ok;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        *out = text.toULongLong(&ok);
        return ok;
    case QMetaType::Double:
    case QMetaType::Float:
        // Files are read alike everywhere: a decimal point, whatever the
        // user's locale says.
        *out = QLocale::c().toDouble(text, &ok);
        return ok;
    default:
        break;
    }
    QVariant v(value);
    if (!v.convert(property.metaType()))
        return false;
    *out = v;
    return true;
}

} // namespace

bool TLangPropertyWriter::SetProperty(
    QObject* object, const QString& name, const QString& value, bool, QString* error) const
{
    return SetMetaProperty(object, name, value, error);
}

QObject* TLangPropertyWriter::ObjectProperty(
    QObject* object, const QString& name, QString* error) const
{
    const QMetaProperty property = FindProperty(object, name);
    if (property.isValid() && (property.metaType().flags() & QMetaType::PointerToQObject)) {
        if (QObject* target = property.read(object).value<QObject*>())
            return target;
        if (error)
            *error = QStringLiteral("Property %1 holds no object").arg(name);
        return nullptr;
    }
    if (error)
        *error = property.isValid() ? QStringLiteral("Property %1 is not an object").arg(name)
                                    : UnknownPropertyText(name);
    return nullptr;
}

int TLangPropertyWriter::CollectionCount(QObject*, const QString&) const
{
    return -1;
}

bool TLangPropertyWriter::SetItemProperty(
    QObject*, const QString& collection, int, const QString&, const QString&, QString* error) const
{
    if (error)
        *error = UnknownPropertyText(collection);
    return false;
}

bool TLangPropertyWriter::IsStringList(QObject* object, const QString& name) const
{
    const QMetaProperty property = FindProperty(object, name);
    return property.isValid() && property.metaType().id() == QMetaType::QStringList;
}

bool TLangPropertyWriter::SetStringList(
    QObject* object, const QString& name, const QStringList& items, QString* error) const
{
    const QMetaProperty property = FindProperty(object, name);
    if (!property.isValid() || IsRefusedProperty(name)) {
        if (error)
            *error = UnknownPropertyText(name);
        return false;
    }
    if (!property.isWritable() || !property.write(object, items)) {
        if (error)
            *error = QStringLiteral("Property %1 is read-only").arg(name);
        return false;
    }
    return true;
}

QMetaProperty TLangPropertyWriter::FindProperty(const QObject* object, const QString& name)
{
    if (!object)
        return {};
    const QMetaObject* meta = object->metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
            return property;
    }
    return {};
}

bool TLangPropertyWriter::SetMetaProperty(
    QObject* object, const QString& name, const QString& value, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (IsRefusedProperty(name))
        return fail(QStringLiteral("Property %1 cannot be set from a language file").arg(name));
    const QMetaProperty property = FindProperty(object, name);
    if (!property.isValid())
        return fail(UnknownPropertyText(name));
    if (!property.isWritable())
        return fail(QStringLiteral("Property %1 is read-only").arg(name));
    QVariant converted;
    if (!ConvertValue(property, value, &converted) || !property.write(object, converted))
        return fail(QStringLiteral("Invalid value '%1' for property %2").arg(value, name));
    return true;
}

bool TLangPropertyWriter::IsRefusedProperty(const QString& name)
{
    static const char* const refused[] = {
        "objectName",
        "styleSheet",
        "textFormat",
        "html",
        "markdown",
        "source",
        "openExternalLinks",
        "textInteractionFlags",
    };
    for (const char* r : refused) {
        if (name.compare(QLatin1String(r), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString TLangPropertyWriter::UnknownPropertyText(const QString& name)
{
    return QStringLiteral("Property %1 does not exist").arg(name);
}

} // namespace ryv
