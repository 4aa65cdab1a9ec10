#include "config/windowplacement.h"

#include <algorithm>
#include <cstdint>

namespace qel {

namespace {

// A maximised frame may differ from the screen's area by a border the manager hides or
// a pixel of rounding through twips.
constexpr int kMaximisedSlack = 4;
// The strip at the top that the mouse takes hold of to move a window.
constexpr int kCaptionHeight = 30;
constexpr int kCaptionGrip = 80;

std::int64_t area(const QRect &r)
{
    return r.isEmpty() ? 0 : std::int64_t(r.width()) * r.height();
}

std::int64_t overlap(const QRect &a, const QRect &b)
{
    return area(a.intersected(b));
}

// `r` moved and, where it must be, shrunk so that it lies within `within`.
QRect fitInto(QRect r, const QRect &within)
{
    r.setSize(r.size().boundedTo(within.size()));
    r.moveLeft(std::max(within.left(), std::min(r.left(), within.right() + 1 - r.width())));
    r.moveTop(std::max(within.top(), std::min(r.top(), within.bottom() + 1 - r.height())));
    return r;
}

bool captionReachable(const QRect &outer, const QList<QRect> &screens)
{
    const QRect caption(outer.left(), outer.top(), outer.width(), std::min(outer.height(), kCaptionHeight));
    return std::any_of(screens.begin(), screens.end(), [&](const QRect &screen) {
        const QRect common = caption.intersected(screen);
        return common.width() >= std::min(kCaptionGrip, caption.width())
               && common.height() >= std::min(10, caption.height());
    });
}

} // namespace

WindowPlacement placeWindow(const PlacementInput &in)
{
    if (in.screens.isEmpty() || in.stored.isEmpty())
        return {in.stored, false};
    const QRect *mostly = &in.screens.front();
    for (const QRect &screen : in.screens)
        if (overlap(in.stored, screen) > overlap(in.stored, *mostly))
            mostly = &screen;
    const QRect &screen = *mostly;

    if (!in.firstStart && overlap(in.stored, screen) > 0 && in.stored.width() >= screen.width() - kMaximisedSlack
        && in.stored.height() >= screen.height() - kMaximisedSlack) {
        const QSize normal = in.designSize.isEmpty() ? in.stored.size() : in.designSize;
        return {fitInto(QRect(screen.topLeft() + in.homeOffset, normal), screen), true};
    }

    if (2 * overlap(in.stored, screen) >= area(in.stored) && captionReachable(in.stored, in.screens))
        return {in.stored, false};
    const QRect &primary = in.screens.front();
    return {fitInto(QRect(primary.topLeft() + in.homeOffset, in.stored.size()), primary), false};
}

} // namespace qel
