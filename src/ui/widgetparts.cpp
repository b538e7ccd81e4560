#include "ui/widgetparts.h"

#include "lang/langtemplate.h"
#include "ui/windowdesign.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace ryv {

QFrame* MakeLine(QWidget* parent, const QString& name, bool vertical)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Mid);
    if (vertical)
        line->setFixedWidth(1);
    else
        line->setFixedHeight(1);
    return line;
}

QToolButton* MakeButton(QWidget* parent, const QString& name, int size)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setFixedSize(size, size);
    const int icon = size == design::LargeButton ? design::LargeIcon : design::SmallIcon;
    button->setIconSize(QSize(icon, icon));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QToolButton* MakeActionButton(QWidget* parent, const QString& name, int size, QAction* action)
{
    QToolButton* button = MakeButton(parent, name, size);
    button->setDefaultAction(action);
    button->setText(QString());
    // Its texts are its action's.
    SetTextsFromCode(button);
    return button;
}

QDialogButtonBox* MakeOkCancelButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    auto* buttons = new QDialogButtonBox(dialog);
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("sbOK"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("sbCancel"));
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    return buttons;
}

int Round(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

void SetPointSize(QWidget* w, int size)
{
    QFont f = w->font();
    f.setPointSize(std::max(1, size));
    w->setFont(f);
}

void SetTextColor(QWidget* w, QPalette::ColorRole from, QPalette::ColorGroup group)
{
    QPalette pal = w->palette();
    const QColor c = pal.color(group, from);
    for (QPalette::ColorGroup g : { QPalette::Active, QPalette::Inactive })
        pal.setColor(g, QPalette::WindowText, c);
    w->setPalette(pal);
}

} // namespace ryv
