#pragma once

#include <QImage>
#include <QString>

namespace ryv {

// The fixed images of the suggestion sources, in the order of the dialog's
// image list. Values of TRyvSuggestItem::_imgIdx from 0 up.
namespace SuggestImage {
constexpr int Empty = 0; // an empty clipboard board (chosen by no source)
constexpr int Clipboard = 1; // the clipboard, and windows without an icon
constexpr int Favorite = 2;
constexpr int Recent = 3; // the previous task and the recent tasks
constexpr int WebPage = 4;
constexpr int Count = 5;
} // namespace SuggestImage

// One suggested task of the task dialog's drop-down list.
class TRyvSuggestItem final {
public:
    QString title; // at most MaxTitleLength characters
    QString url;
    QString descr;
    // The source: the program of a window, a browser, or a fixed source name.
    // Shown in the list's second column and matched by the excluded sources.
    QString appName;
    // The window's own small icon; null when it has none.
    QImage icon;
    // The program's icon from its desktop entry (a theme name or a file
    // path), for a window that has no icon of its own.
    QString iconName;
    // 0 and up: a fixed image (SuggestImage); -1: the item's own icon;
    // -2 and below: the image of the suggestion at index -(_imgIdx + 2) of
    // the same list, which always comes earlier. The dialog writes the image
    // it showed back here, so an icon joins its image list only once.
    int _imgIdx = -1;

    static constexpr int MaxTitleLength = 255;

    bool HasIcon() const { return !icon.isNull() || !iconName.isEmpty(); }
};

} // namespace ryv
