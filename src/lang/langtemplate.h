#pragma once

#include <QString>

#include <vector>

class QObject;

namespace ryv {

// Marks an object whose texts the program sets in code (a date, a total, a
// button that shows its action's texts, a menu entry built from the
// application texts): a language file has no entries for it, and the
// template below leaves it out. Its children are not marked.
void SetTextsFromCode(QObject* object, bool fromCode = true);
bool TextsFromCode(const QObject* object);

// One property entry of a window's section: "acStart.Caption" and its text.
struct TLangTemplateEntry {
    QString key;
    QString value;
    bool operator==(const TLangTemplateEntry&) const = default;
};

// The property entries that translate window as it shows its texts now, in
// the notation TWidgetPropertyWriter reads: for every named object of the
// window (the window itself as "self") that shows a text and whose texts are
// not set in code, its Caption, Hint ("tool tip|status tip" where the two
// differ), ShortCut (an action's first), the header texts of a list's
// columns (Columns[i].Caption) and the prefix, suffix and placeholder texts
// of spin boxes and fields. Objects are taken as the language manager finds
// them: breadth first, the first of two alike names (case ignored), without
// Qt's own parts ("qt_...") and without other windows of ours inside the
// window (those with a language controller of their own). Entries of one
// object follow each other in this order; objects in the order found.
std::vector<TLangTemplateEntry> LangTemplateEntries(QObject* window);

// The names of the objects of window that show a text and share their name
// (case ignored) with an object found before them: only the first of them can
// be translated.
QStringList DuplicateTextObjectNames(QObject* window);

// A value as a language file writes it: a line break as "\n", a tab as "\t".
QString EncodeLangEscapes(QString text);

} // namespace ryv
