#pragma once

#include <QLabel>

namespace ryv {

// A label that can be clicked (the history heading, the task totals, the
// groups link) and that can cut its text with an ellipsis at the end instead
// of growing the layout (the date and the panel heading).
class TClickLabel final : public QLabel {
    Q_OBJECT
    // The text as language files set it: the whole text, cut when shown.
    Q_PROPERTY(QString caption READ FullText WRITE SetFullText)
public:
    explicit TClickLabel(QWidget* parent = nullptr, bool elide = false);

    void SetFullText(const QString& text);
    QString FullText() const { return FFullText; }
    // Whether clicks count; a clickable label shows the hand cursor.
    void SetClickable(bool on);
    bool Clickable() const { return FClickable; }
    // Drawn as a link: the hot-tracking colour, and while the pointer is over
    // it the highlight colour, underlined.
    void SetLinkStyle(bool on);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Elide();
    void ShowHover(bool hover);

    QString FFullText;
    bool FElide;
    bool FClickable = false;
    bool FLinkStyle = false;
};

} // namespace ryv
