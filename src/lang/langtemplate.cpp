#include "lang/langtemplate.h"

#include "lang/shortcuttext.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QTableView>
#include <QTreeView>

#include <queue>

namespace ryv {

namespace {

const char* const FromCodeProperty = "ryvTextsFromCode";

bool IsOwnWindow(const QObject* object)
{
    for (const QObject* child : object->children()) {
        if (child->inherits("ryv::TqlxController"))
            return true;
    }
    return false;
}

// A QAction's tool tip is its text (without "&") until one is set.
QString StrippedText(QString text)
{
    text.remove(QStringLiteral("..."));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1);
    }
    return text.trimmed();
}

// One text where the tool tip is the status tip's (or shows the caption).
QString HintOf(const QString& toolTip, const QString& statusTip)
{
    if (statusTip.isEmpty())
        return toolTip;
    if (toolTip.isEmpty() || toolTip == statusTip)
        return statusTip;
    return toolTip + QLatin1Char('|') + statusTip;
}

QString CaptionOf(QObject* object, bool isWindow)
{
    // A widget that shows its caption its own way declares it.
    const int declared = object->metaObject()->indexOfProperty("caption");
    if (declared >= 0)
        return object->metaObject()->property(declared).read(object).toString();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        // A submenu's entry carries its caption when it has a name.
        return menu->menuAction()->objectName().isEmpty() ? menu->title() : QString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(object))
        return box->title();
    if (isWindow) {
        if (auto* widget = qobject_cast<QWidget*>(object))
            return widget->windowTitle();
    }
    return {};
}

void AddEntries(
    QObject* object, const QString& name, bool isWindow, std::vector<TLangTemplateEntry>& entries)
{
    auto add = [&](const QString& property, const QString& value) {
        if (!value.isEmpty())
            entries.push_back({ name + QLatin1Char('.') + property, value });
    };
    add(QStringLiteral("Caption"), CaptionOf(object, isWindow));
    if (auto* action = qobject_cast<QAction*>(object)) {
        const QString toolTip
            = action->toolTip() == StrippedText(action->text()) ? QString() : action->toolTip();
        add(QStringLiteral("Hint"), HintOf(toolTip, action->statusTip()));
        if (!action->shortcuts().isEmpty())
            add(QStringLiteral("ShortCut"), ShortCutToText(action->shortcuts().constFirst()));
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return;
    add(QStringLiteral("Hint"), HintOf(widget->toolTip(), widget->statusTip()));
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        add(QStringLiteral("ShortCut"), ShortCutToText(button->shortcut()));
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        add(QStringLiteral("specialValueText"), spin->specialValueText());
        for (const char* property : { "prefix", "suffix" })
            add(QString::fromLatin1(property), spin->property(property).toString());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        add(QStringLiteral("placeholderText"), edit->placeholderText());
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (view && view->model()
        && (qobject_cast<QTreeView*>(view) || qobject_cast<QTableView*>(view))) {
        for (int i = 0; i < view->model()->columnCount(); ++i)
            add(QStringLiteral("Columns[%1].Caption").arg(i),
                view->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString());
    }
}

// Every named object below window, as the language manager reaches them,
// with a flag for the first of each name.
template <typename TVisit> void WalkNamed(QObject* window, TVisit visit)
{
    QHash<QString, bool> seen;
    std::queue<QObject*> pending;
    pending.push(window);
    while (!pending.empty()) {
        QObject* object = pending.front();
        pending.pop();
        if (object != window && IsOwnWindow(object))
            continue;
        for (QObject* child : object->children()) {
            pending.push(child);
            const QString name = child->objectName();
            if (name.isEmpty())
                continue;
            const QString key = name.toUpper();
            const bool first = !seen.contains(key);
            seen.insert(key, true);
            if (!name.startsWith(QLatin1String("qt_")) && !TextsFromCode(child))
                visit(child, name, first);
        }
    }
}

} // namespace

void SetTextsFromCode(QObject* object, bool fromCode)
{
    object->setProperty(FromCodeProperty, fromCode ? QVariant(true) : QVariant());
}

bool TextsFromCode(const QObject* object)
{
    return object->property(FromCodeProperty).toBool();
}

std::vector<TLangTemplateEntry> LangTemplateEntries(QObject* window)
{
    std::vector<TLangTemplateEntry> entries;
    if (!TextsFromCode(window))
        AddEntries(window, QStringLiteral("self"), true, entries);
    WalkNamed(window, [&](QObject* object, const QString& name, bool first) {
        if (first)
            AddEntries(object, name, false, entries);
    });
    return entries;
}

QStringList DuplicateTextObjectNames(QObject* window)
{
    QStringList names;
    WalkNamed(window, [&](QObject* object, const QString& name, bool first) {
        std::vector<TLangTemplateEntry> entries;
        AddEntries(object, name, false, entries);
        if (!first && !entries.empty())
            names << name;
    });
    return names;
}

QString EncodeLangEscapes(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

} // namespace ryv
