#pragma once

#include <map>
#include <vector>

#include <QRect>

#include "res/DialogTemplates.h"

class QDialog;
class QFont;
class QWidget;

/// Pixels of a dialog unit for one font: a quarter of its average character width across,
/// an eighth of its height down.
struct DialogUnits {
    int averageCharWidth;  // pixels
    int charHeight;        // pixels

    QRect ToPixels(const DialogRect& rect) const;
    QSize ToPixels(int width, int height) const;
    /// A width in pixels for the template's own face (6 pixels on average a character) in
    /// this font.
    int ScaleWidth(int pixels) const;
};

DialogUnits DialogUnitsOf(const QFont& font);

/// A control as the template placed it, in pixels of the template's size.
struct PlacedControl {
    QWidget* widget;
    QRect rect;
    DialogAnchor anchor;
};

/// Creates the template's controls on the dialog, in the platform's face at the template's
/// point size, and sizes it; a resizable dialog gets the template's size as its least. A
/// control whose id is in bound is not created: the given widget takes its place, as a member
/// widget of the dialog that stands for it. Returns the controls by id (static texts have
/// none), and every control as placed.
std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& layout,
                                    const std::map<int, QWidget*>& bound,
                                    std::vector<PlacedControl>& placed);

/// Where a placed control goes when the dialog is larger than its template by extra, of which
/// the left column takes leftColumn across.
QRect FollowGrowth(const PlacedControl& control, QSize extra, int leftColumn);
