#pragma once

#include <QMetaProperty>
#include <QString>
#include <QStringList>

class QObject;

namespace ryv {

// How the language manager writes property entries into objects: a
// component's property, an object-valued property to walk through, the items
// of a collection (list columns) and string lists (memo lines, combo items).
// Names arrive as the language file wrote them or upper-cased, so every name
// is matched without regard to case.
//
// This base knows only what QtCore knows: declared Qt properties, converted
// to their type, and properties of type QStringList as string lists. The
// widget side derives the one table that maps the file's property names
// (Caption, Hint, ShortCut, Columns, Lines, Items) onto Qt's widgets.
//
// Every call returns false (or nullptr) with a message in error when the
// entry cannot be applied; the manager collects the messages.
class TLangPropertyWriter {
public:
    virtual ~TLangPropertyWriter() = default;

    // The value text assigned to the property name of object. shortcutText:
    // a property named "ShortCut" takes shortcut text ("Ctrl+Enter").
    virtual bool SetProperty(QObject* object, const QString& name, const QString& value,
        bool shortcutText, QString* error) const;
    // An object-valued property, for a step in the middle of a path.
    virtual QObject* ObjectProperty(QObject* object, const QString& name, QString* error) const;
    // The number of items of the collection name; -1 when object has none.
    virtual int CollectionCount(QObject* object, const QString& name) const;
    virtual bool SetItemProperty(QObject* object, const QString& collection, int index,
        const QString& property, const QString& value, QString* error) const;
    // Whether name is a string list of object ("Lines", "Items").
    virtual bool IsStringList(QObject* object, const QString& name) const;
    virtual bool SetStringList(
        QObject* object, const QString& name, const QStringList& items, QString* error) const;

protected:
    // The declared Qt property (case ignored); an invalid one when none.
    static QMetaProperty FindProperty(const QObject* object, const QString& name);
    // Assigns value to the declared property name, converted to its type:
    // text, whole and decimal numbers, true/false, enumerations by key and
    // flags as keys separated by "," or "|" (optionally in "[ ]"), and
    // whatever else Qt can convert text into.
    static bool SetMetaProperty(
        QObject* object, const QString& name, const QString& value, QString* error);
    // Properties that would let a file rename objects, restyle them or turn
    // its text into markup or links are never written from a language file.
    static bool IsRefusedProperty(const QString& name);

    static QString UnknownPropertyText(const QString& name);
};

} // namespace ryv
