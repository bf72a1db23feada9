#include "windows/design_scale.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace vellumar {

DesignScale::DesignScale(double horizontal, double vertical)
    : horizontal_(std::max(1.0, horizontal)), vertical_(std::max(1.0, vertical))
{
}

DesignScale DesignScale::forFont(const QFont& font)
{
    // Average width as dialog units measure it: over the 52 Latin letters.
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const double averageWidth = metrics.horizontalAdvance(letters) / static_cast<double>(letters.size());
    return DesignScale(averageWidth / kDesignCharWidth, metrics.height() / kDesignCharHeight);
}

int DesignScale::x(int twips) const
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * horizontal_));
}

int DesignScale::y(int twips) const
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * vertical_));
}

QSize DesignScale::size(int widthTwips, int heightTwips) const
{
    return {x(widthTwips), y(heightTwips)};
}

QRect DesignScale::rect(int left, int top, int width, int height) const
{
    // Convert both edges, so neighbouring controls keep their design gaps.
    const int l = x(left);
    const int t = y(top);
    return {l, t, x(left + width) - l, y(top + height) - t};
}

}  // namespace vellumar
