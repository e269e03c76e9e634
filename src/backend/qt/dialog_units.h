// Dialog units to pixels, from the dialog font's metrics: one unit across is a
// quarter of the font's average character width, one unit down an eighth of
// its character height, so layouts follow the font and the screen's scaling.
#pragma once

#include <QFont>
#include <QRect>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // Pixels for a rectangle in dialog units, rounded as the platform's
    // MapDialogRect rounds (to nearest, halves away from zero).
    QRect Map(int x, int y, int cx, int cy) const;

private:
    int m_baseX; // average character width, pixels
    int m_baseY; // character height, pixels
};
