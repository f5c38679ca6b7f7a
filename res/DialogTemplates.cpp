#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"

#ifndef PELORIN_VERSION
#define PELORIN_VERSION "1.0.0"
#endif

namespace {

constexpr uint32_t kListStyle = kStyleReport | kStyleShowSelAlways | kStyleNoSortHeader
                                | kStyleMultipleSelect | kStyleBorder | kStyleTabStop;
constexpr uint32_t kEditStyle = kStyleBorder | kStyleAutoHScroll | kStyleTabStop;

using K = ControlKind;
using F = Follow;

// How the controls follow a growing window: the statistics list takes the extra height and
// widens as far as its columns need, the sections list and the plot share the extra height
// and take the rest of the width; the other controls keep their size and their corner.
constexpr DialogAnchor kStay{};
constexpr DialogAnchor kRight{F::Width, F::Stay, F::Width, F::Stay};
constexpr DialogAnchor kMiddle{F::LeftColumn, F::HalfHeight, F::LeftColumn, F::HalfHeight};
constexpr DialogAnchor kMiddleTop{F::LeftColumn, F::Stay, F::LeftColumn, F::Stay};
constexpr DialogAnchor kRightMiddle{F::Width, F::HalfHeight, F::Width, F::HalfHeight};
constexpr DialogAnchor kSections{F::LeftColumn, F::Stay, F::Width, F::HalfHeight};
constexpr DialogAnchor kPlot{F::LeftColumn, F::HalfHeight, F::Width, F::Height};
constexpr DialogAnchor kStatistics{F::Stay, F::Stay, F::LeftColumn, F::Height};

// Template order is tab order: Exit comes first and so has the focus when the window opens.
constexpr DialogItem kAnalyzerItems[] = {
    {IDCANCEL, "IDCANCEL", K::PushButton, "Exit", {543, 53, 89, 14}, kStyleTabStop, {}, kRight},
    {ID_HELP,
     "ID_HELP",
     K::PushButton,
     "Please &Help",
     {543, 35, 89, 14},
     kStyleTabStop,
     {},
     kRight},
    {IDC_SECTIONS,
     "IDC_SECTIONS",
     K::ListView,
     nullptr,
     {204, 17, 333, 111},
     kListStyle,
     {},
     kSections},
    {IDC_LOAD,
     "IDC_LOAD",
     K::PushButton,
     "Load Track",
     {543, 17, 89, 14},
     kStyleTabStop,
     {},
     kRight},
    {IDC_CLEAR,
     "IDC_CLEAR",
     K::PushButton,
     "Clear",
     {488, 132, 50, 14},
     kStyleTabStop | kStyleHidden,
     {},
     kRightMiddle},
    {IDC_APPEND,
     "IDC_APPEND",
     K::PushButton,
     "Append",
     {433, 130, 50, 14},
     kStyleTabStop | kStyleHidden,
     {},
     kRightMiddle},
    {IDC_CONNECTION,
     "IDC_CONNECTION",
     K::DropDownList,
     nullptr,
     {204, 132, 166, 76},
     kStyleVScroll | kStyleTabStop,
     kConnectionEntries,
     kMiddle},
    {IDC_PLOT,
     "IDC_PLOT",
     K::OwnerDrawButton,
     nullptr,
     {205, 148, 428, 104},
     kStyleTabStop | kStyleTransparent,
     {},
     kPlot},
    {IDC_PLOT_MODE,
     "IDC_PLOT_MODE",
     K::DropDownList,
     nullptr,
     {543, 133, 89, 75},
     kStyleVScroll | kStyleTabStop,
     kPlotModeEntries,
     kRightMiddle},
    {IDC_STATISTICS,
     "IDC_STATISTICS",
     K::ListView,
     nullptr,
     {3, 17, 195, 236},
     kListStyle,
     {},
     kStatistics},
    {IDC_STATIC, nullptr, K::StaticText, "Statistics:", {4, 6, 31, 8}, 0, {}, kStay},
    {IDC_STATIC, nullptr, K::StaticText, "Sections:", {204, 6, 211, 8}, 0, {}, kMiddleTop},
    {IDC_STATIC, nullptr, K::StaticText, "Choose:", {543, 6, 27, 8}, 0, {}, kRight},
    {IDC_VERTICAL_THRESHOLD,
     "IDC_VERTICAL_THRESHOLD",
     K::Edit,
     nullptr,
     {543, 82, 54, 14},
     kEditStyle,
     {},
     kRight},
    {IDC_STATIC, nullptr, K::StaticText, "Vertical threshold:", {543, 72, 54, 8}, 0, {}, kRight},
    {IDC_SPEED_THRESHOLD,
     "IDC_SPEED_THRESHOLD",
     K::Edit,
     nullptr,
     {543, 108, 54, 14},
     kEditStyle,
     {},
     kRight},
    {IDC_STATIC, nullptr, K::StaticText, "Speed threshold:", {543, 98, 52, 8}, 0, {}, kRight},
    {IDC_STATIC, nullptr, K::StaticText, "m", {599, 83, 8, 8}, 0, {}, kRight},
    {IDC_STATIC, nullptr, K::StaticText, "km/h", {599, 110, 20, 8}, 0, {}, kRight},
    {IDC_UPDATE,
     "IDC_UPDATE",
     K::PushButton,
     "Update",
     {606, 72, 26, 10},
     kStyleTabStop,
     {},
     kRight},
};

constexpr DialogItem kAboutItems[] = {
    {IDC_STATIC, nullptr, K::Icon, nullptr, {11, 17, 20, 20}, 0, {}, {}},
    {IDC_STATIC,
     nullptr,
     K::StaticText,
     "Pelorin Version " PELORIN_VERSION,
     {40, 10, 140, 8},
     0,
     {},
     {}},
    {IDC_STATIC,
     nullptr,
     K::StaticText,
     "Analyzer for GPS track recordings",
     {40, 25, 140, 8},
     0,
     {},
     {}},
    {IDOK, "IDOK", K::DefPushButton, "OK", {188, 6, 50, 14}, kStyleTabStop, {}, {}},
};

}  // namespace

const DialogTemplate kAnalyzerDialog = {
    IDD_ANALYZER_DIALOG,
    kProgramName,
    "MS Sans Serif",
    8,
    639,
    257,
    kDialogCaption | kDialogSysMenu | kDialogMinimizeBox | kDialogMaximizeBox | kDialogThickFrame
        | kDialogAppWindow,
    kAnalyzerItems,
};

const DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX,
    kAboutCaption,
    "MS Sans Serif",
    8,
    245,
    52,
    kDialogCaption | kDialogSysMenu | kDialogModalFrame,
    kAboutItems,
};

const DialogItem* FindDialogItem(const DialogTemplate& dialog, int id) {
    for (const DialogItem& item : dialog.items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}
