#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace vellumar {

// Converts design positions in twips (1/1440 inch, 15 twips to a pixel at
// 96 dpi) to pixels. The design was made for a font whose letters are 6 px
// wide on average and 13 px high; like dialog units, the whole design grows with the
// platform's font, horizontally by the width ratio and vertically by the
// height ratio, and never shrinks, so that every caption fits.
class DesignScale {
public:
    static constexpr double kDesignCharWidth = 6.0;
    static constexpr double kDesignCharHeight = 13.0;
    static constexpr double kTwipsPerPixel = 15.0;

    DesignScale(double horizontal, double vertical);
    static DesignScale forFont(const QFont& font);

    double horizontal() const { return horizontal_; }
    double vertical() const { return vertical_; }

    int x(int twips) const;
    int y(int twips) const;
    QSize size(int widthTwips, int heightTwips) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    double horizontal_;
    double vertical_;
};

}  // namespace vellumar
