#include "lang/widgetpropertywriter.h"

#include "lang/shortcuttext.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>

namespace ryv {

namespace {

bool Is(const QString& name, const char* what)
{
    return name.compare(QLatin1String(what), Qt::CaseInsensitive) == 0;
}

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString InvalidValueText(const QString& value, const QString& name)
{
    return QStringLiteral("Invalid value '%1' for property %2").arg(value, name);
}

void SetLabelText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

bool SetCaption(QObject* object, const QString& value)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(value);
        return true;
    }
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(value);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(value);
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        SetLabelText(label, value);
        return true;
    }
    if (auto* box = qobject_cast<QGroupBox*>(object)) {
        box->setTitle(value);
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return false;
    if (qobject_cast<QDockWidget*>(widget) || widget->isWindow()) {
        widget->setWindowTitle(value);
        return true;
    }
    // A page of a tab widget sits in the tab widget's stack.
    if (auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget())) {
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
            const int index = tabs->indexOf(widget);
            if (index >= 0) {
                tabs->setTabText(index, value);
                return true;
            }
        }
    }
    return false;
}

bool SetHint(QObject* object, const QString& value)
{
    // "short|long": the tool tip shows the short hint, the status bar the
    // long one; without "|" both show the whole text.
    const qsizetype bar = value.indexOf(QLatin1Char('|'));
    const QString shortHint = bar >= 0 ? value.left(bar) : value;
    const QString longHint = bar >= 0 ? value.mid(bar + 1) : value;
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setToolTip(TWidgetPropertyWriter::PlainToolTip(shortHint));
        action->setStatusTip(longHint);
        return true;
    }
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        widget->setToolTip(TWidgetPropertyWriter::PlainToolTip(shortHint));
        widget->setStatusTip(longHint);
        return true;
    }
    return false;
}

bool SetShortCut(QObject* object, const QString& name, const QString& value, QString* error)
{
    const std::optional<QKeySequence> shortcut = ShortCutFromText(value);
    if (!shortcut)
        return Fail(error, QStringLiteral("'%1' is not a shortcut").arg(value));
    if (auto* action = qobject_cast<QAction*>(object)) {
        QList<QKeySequence> shortcuts = action->shortcuts();
        if (!shortcuts.isEmpty())
            shortcuts.removeFirst();
        if (!shortcut->isEmpty())
            shortcuts.prepend(*shortcut);
        action->setShortcuts(shortcuts);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setShortcut(*shortcut);
        return true;
    }
    return Fail(error, QStringLiteral("Property %1 does not exist").arg(name));
}

QHeaderView* ColumnHeader(QAbstractItemView* view)
{
    if (auto* tree = qobject_cast<QTreeView*>(view))
        return tree->header();
    if (auto* table = qobject_cast<QTableView*>(view))
        return table->horizontalHeader();
    return nullptr;
}

// Replaces the item texts in place: item data, icons and the current item
// stay with their rows.
template <typename TSetText, typename TAppend, typename TRemoveLast>
void ReplaceItems(
    int count, const QStringList& items, TSetText setText, TAppend append, TRemoveLast removeLast)
{
    const int n = static_cast<int>(items.size());
    for (int i = 0; i < n && i < count; ++i)
        setText(i, items[i]);
    for (int i = count; i < n; ++i)
        append(items[i]);
    for (int i = count; i > n; --i)
        removeLast(i - 1);
}

} // namespace

QString TWidgetPropertyWriter::PlainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

bool TWidgetPropertyWriter::SetProperty(QObject* object, const QString& name, const QString& value,
    bool shortcutText, QString* error) const
{
    if (Is(name, "Caption")) {
        // A widget of ours that shows its caption its own way (eliding,
        // several labels) declares a "caption" property and takes it there.
        if (FindProperty(object, name).isValid())
            return SetMetaProperty(object, name, value, error);
        return SetCaption(object, value) || Fail(error, UnknownPropertyText(name));
    }
    if (Is(name, "Hint"))
        return SetHint(object, value) || Fail(error, UnknownPropertyText(name));
    if (Is(name, "ShortCut")) {
        if (!shortcutText)
            return Fail(error, InvalidValueText(value, name));
        return SetShortCut(object, name, value, error);
    }
    if (Is(name, "toolTip") || Is(name, "whatsThis"))
        return SetMetaProperty(object, name, PlainToolTip(value), error);
    if (Is(name, "text")) {
        if (auto* label = qobject_cast<QLabel*>(object)) {
            SetLabelText(label, value);
            return true;
        }
    }
    return SetMetaProperty(object, name, value, error);
}

int TWidgetPropertyWriter::CollectionCount(QObject* object, const QString& name) const
{
    if (Is(name, "Columns")) {
        if (auto* view = qobject_cast<QAbstractItemView*>(object))
            return view->model() ? view->model()->columnCount() : 0;
    }
    return TLangPropertyWriter::CollectionCount(object, name);
}

bool TWidgetPropertyWriter::SetItemProperty(QObject* object, const QString& collection, int index,
    const QString& property, const QString& value, QString* error) const
{
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (!Is(collection, "Columns") || !view || !view->model())
        return TLangPropertyWriter::SetItemProperty(
            object, collection, index, property, value, error);
    if (Is(property, "Caption")) {
        // A table widget's column has no header item until it is given one.
        if (auto* table = qobject_cast<QTableWidget*>(view)) {
            if (!table->horizontalHeaderItem(index)) {
                table->setHorizontalHeaderItem(index, new QTableWidgetItem(value));
                return true;
            }
        }
        if (!view->model()->setHeaderData(index, Qt::Horizontal, value, Qt::DisplayRole))
            return Fail(error, QStringLiteral("Column %1 takes no caption").arg(index));
        return true;
    }
    if (Is(property, "Width")) {
        bool ok = false;
        const int width = value.trimmed().toInt(&ok);
        QHeaderView* header = ColumnHeader(view);
        if (!ok || width < 0 || width > 100000)
            return Fail(error, InvalidValueText(value, property));
        if (!header)
            return Fail(error, UnknownPropertyText(property));
        header->resizeSection(index, width);
        return true;
    }
    return Fail(error, UnknownPropertyText(property));
}

bool TWidgetPropertyWriter::IsStringList(QObject* object, const QString& name) const
{
    if (Is(name, "Lines")
        && (qobject_cast<QPlainTextEdit*>(object) || qobject_cast<QTextEdit*>(object)))
        return true;
    if (Is(name, "Items")
        && (qobject_cast<QComboBox*>(object) || qobject_cast<QListWidget*>(object)))
        return true;
    return TLangPropertyWriter::IsStringList(object, name);
}

bool TWidgetPropertyWriter::SetStringList(
    QObject* object, const QString& name, const QStringList& items, QString* error) const
{
    if (Is(name, "Lines")) {
        if (auto* edit = qobject_cast<QPlainTextEdit*>(object)) {
            edit->setPlainText(items.join(QLatin1Char('\n')));
            return true;
        }
        if (auto* edit = qobject_cast<QTextEdit*>(object)) {
            edit->setPlainText(items.join(QLatin1Char('\n')));
            return true;
        }
    }
    if (Is(name, "Items")) {
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            ReplaceItems(
                combo->count(), items, [&](int i, const QString& t) { combo->setItemText(i, t); },
                [&](const QString& t) { combo->addItem(t); }, [&](int i) { combo->removeItem(i); });
            return true;
        }
        if (auto* list = qobject_cast<QListWidget*>(object)) {
            ReplaceItems(
                list->count(), items, [&](int i, const QString& t) { list->item(i)->setText(t); },
                [&](const QString& t) { list->addItem(t); },
                [&](int i) { delete list->takeItem(i); });
            return true;
        }
    }
    return TLangPropertyWriter::SetStringList(object, name, items, error);
}

} // namespace ryv
