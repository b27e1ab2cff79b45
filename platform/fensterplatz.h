#pragma once
// Where a window first stands beside the window that asked for it, so that it
// does not cover that window: to its right where the screen has room, else to
// its left, else below it, else above it. Where it fits beside it nowhere in
// the size it would like, it stands there narrower (or lower), as long as it
// keeps a size in which it is still of use; else at the place on the screen
// that covers least of the asking window.

#include <QRect>
#include <QSize>

namespace zplatform {

// The place (frame included) of a window that would like the size groesse
// and is still of use in kleinste, beside the window frager (its frame),
// within schirm, the free area of the screen. It is kept on that area; one
// larger than the area stands at its top left corner.
QRect platzDaneben(const QRect& frager, const QSize& groesse, const QSize& kleinste, const QRect& schirm);

} // namespace zplatform
