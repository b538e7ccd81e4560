#pragma once

#include "lang/langpropertywriter.h"

namespace ryv {

// The one table that maps the language files' property names onto Qt's
// widgets (names matched without regard to case):
//
//   Caption             a declared "caption" property when the object has
//                       one; else QAction text, QMenu title, button text,
//                       QLabel text, QGroupBox title, QDockWidget title, the
//                       title of a window, the tab text of a QTabWidget page
//   Hint                tool tip and status tip of a QAction or widget;
//                       "short|long" gives the tool tip the short part and
//                       the status tip the long one
//   ShortCut            shortcut text ("Ctrl+Enter", see shortcuttext.h): a
//                       QAction's first shortcut (its others stay) or a
//                       button's shortcut; only while special properties
//                       are allowed, otherwise an error
//   Columns[i].Caption  header text of column i of an item view
//   Columns[i].Width    width of column i of an item view
//   Lines               the text of a QPlainTextEdit or QTextEdit, one item
//                       per line
//   Items               the items of a QComboBox or QListWidget; texts are
//                       replaced in place, so item data and the current item
//                       stay
//   any other name      the declared Qt property of that name (see
//                       TLangPropertyWriter)
//
// A language file is text from outside: labels are switched to plain text
// before they take a text, and tool tips that Qt would take for markup are
// escaped, so no entry can inject markup, links or images.
class TWidgetPropertyWriter final : public TLangPropertyWriter {
public:
    bool SetProperty(QObject* object, const QString& name, const QString& value, bool shortcutText,
        QString* error) const override;
    int CollectionCount(QObject* object, const QString& name) const override;
    bool SetItemProperty(QObject* object, const QString& collection, int index,
        const QString& property, const QString& value, QString* error) const override;
    bool IsStringList(QObject* object, const QString& name) const override;
    bool SetStringList(QObject* object, const QString& name, const QStringList& items,
        QString* error) const override;

    // The tool tip that shows text as it stands.
    static QString PlainToolTip(const QString& text);
};

} // namespace ryv
