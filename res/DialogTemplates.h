#pragma once

#include <cstdint>
#include <span>

// The layouts of the main window and the about box as plain data: what a dialog editor would
// store. The GUI builds its widgets from these tables; positions are in dialog units.

enum class ControlKind {
    PushButton,
    DefPushButton,
    OwnerDrawButton,
    ListView,
    DropDownList,  // combo box whose entries are chosen, never typed
    Edit,
    StaticText,
    Icon,
};

// Control styles.
inline constexpr uint32_t kStyleTabStop = 1u << 0;
inline constexpr uint32_t kStyleHidden = 1u << 1;  // created hidden
inline constexpr uint32_t kStyleBorder = 1u << 2;
inline constexpr uint32_t kStyleVScroll = 1u << 3;
inline constexpr uint32_t kStyleAutoHScroll = 1u << 4;     // edit scrolls its text sideways
inline constexpr uint32_t kStyleTransparent = 1u << 5;     // paints over the parent's background
inline constexpr uint32_t kStyleReport = 1u << 6;          // list view in columns
inline constexpr uint32_t kStyleShowSelAlways = 1u << 7;   // selection visible without focus
inline constexpr uint32_t kStyleNoSortHeader = 1u << 8;    // headings are not buttons
inline constexpr uint32_t kStyleMultipleSelect = 1u << 9;  // several rows selectable

// Dialog styles.
inline constexpr uint32_t kDialogCaption = 1u << 0;
inline constexpr uint32_t kDialogSysMenu = 1u << 1;
inline constexpr uint32_t kDialogMinimizeBox = 1u << 2;
inline constexpr uint32_t kDialogMaximizeBox = 1u << 3;
inline constexpr uint32_t kDialogModalFrame = 1u << 4;  // fixed size
inline constexpr uint32_t kDialogAppWindow = 1u << 5;   // shown in the task bar
inline constexpr uint32_t kDialogThickFrame = 1u << 6;  // resizable, no smaller than the template

/// Where an edge of a control goes when the window grows past the template's size.
enum class Follow : uint8_t {
    Stay,        // where the template puts it
    LeftColumn,  // on by what the left column (the statistics list) widens
    Width,       // on by all the extra width
    HalfHeight,  // down by half the extra height
    Height,      // down by all the extra height
};

/// How a control follows a growing window: each of its edges; a control that keeps its size
/// moves both edges of a direction alike.
struct DialogAnchor {
    Follow left = Follow::Stay;
    Follow top = Follow::Stay;
    Follow right = Follow::Stay;
    Follow bottom = Follow::Stay;
};

struct DialogRect {
    int x;  // dialog units
    int y;
    int width;
    int height;
};

struct DialogItem {
    int id;
    const char* name;  // symbolic id, also the widget's objectName; null for static texts
    ControlKind kind;
    const char* text;
    DialogRect rect;
    uint32_t style;
    std::span<const char* const> entries;  // initial entries of a combo box
    DialogAnchor anchor;                   // in a resizable dialog
};

struct DialogTemplate {
    int id;
    const char* caption;
    const char* fontName;
    int fontPoints;
    int width;  // dialog units
    int height;
    uint32_t style;
    std::span<const DialogItem> items;  // in tab order
};

/// The main window (dialog 102).
extern const DialogTemplate kAnalyzerDialog;
/// The about box (dialog 100).
extern const DialogTemplate kAboutDialog;

/// The item with the given id, or null.
const DialogItem* FindDialogItem(const DialogTemplate& dialog, int id);
