#pragma once

#include <QColor>
#include <QPen>

#include "plot/ProfilePicture.h"

/// The colour and pen of a mark (cursor, range) as the pictures draw it, for the widgets that
/// draw the marks over a kept picture.
inline QColor MarkColour(const MarkStyle& s) {
    return QColor(s.red, s.green, s.blue, s.alpha);
}

inline QPen MarkPen(const MarkStyle& s) {
    return QPen(MarkColour(s), s.width);
}
