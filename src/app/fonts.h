#pragma once

#include <QFont>

// A font grown (or shrunk) from a window's own, for the till's big fields and labels.
inline QFont scaledFont(QFont font, double factor, bool bold = true)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}
