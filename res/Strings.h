#pragma once

// Fixed texts of the window, the about box and the Open dialog.

inline constexpr char kProgramName[] = "Pelorin";
inline constexpr char kAboutCaption[] = "About Pelorin";
inline constexpr char kAboutMenuEntry[] = "&About Pelorin...";  // string IDS_ABOUTBOX
inline constexpr char kPleaseEnterNumber[] = "Please enter a number.";
inline constexpr char kHelpFileName[] = "help.html";
inline constexpr char kHelpCaption[] = "Pelorin Help";
inline constexpr char kHelpPageMissing[] = "The help page %1 cannot be found.";
inline constexpr char kCommandLineDescription[] =
    "Analyzer for GPS track recordings: OziExplorer tracks (.plt), GPX, TCX and IGC files.";
inline constexpr char kCommandLineFilesHelp[] =
    "Track files to open: the first is loaded, the others are appended.";

/// Entries of the window's context menu; the shortcuts are those of the entries.
inline constexpr char kLoadTrackEntry[] = "&Load Track...";
inline constexpr char kAppendFilesEntry[] = "&Append Files...";
inline constexpr char kOpenRecentEntry[] = "Open &Recent";
inline constexpr char kCopyEntry[] = "&Copy";
inline constexpr char kUnitsEntry[] = "&Units";
inline constexpr char kMetricEntry[] = "&Metric (km, m, km/h)";
inline constexpr char kImperialEntry[] = "&Imperial (mi, ft, mph)";
inline constexpr char kTimeZoneEntry[] = "&Time Zone";
inline constexpr char kGmtEntry[] = "&GMT, as Recorded";
inline constexpr char kLocalTimeEntry[] = "&Local Time";
inline constexpr char kElevationEntry[] = "&Elevation";
inline constexpr char kTerrainFolderEntry[] = "Terrain Elevation &Folder...";
inline constexpr char kNoTerrainFolderEntry[] = "&No Terrain Elevation";
inline constexpr char kHelpEntry[] = "&Help";
inline constexpr char kQuitEntry[] = "&Quit";

/// Entries of the window's context menu that take results out, with their Save dialogs.
inline constexpr char kExportStatisticsCaption[] = "Export Statistics...";
inline constexpr char kExportPointsCaption[] = "Export Points...";
inline constexpr char kSaveProfileCaption[] = "Save Profile...";
inline constexpr char kCannotWriteFile[] = "Cannot write the file %1.";
inline constexpr char kStatisticsSuffixes[] =
    "Cannot export %1: choose a name ending in .csv or .json.";
inline constexpr char kProfileSuffixes[] = "Cannot save %1: choose a name ending in .png or .svg.";

/// Entries of the connection combo, by connection mode.
inline constexpr const char* kConnectionEntries[] = {
    "Sections are not considered connected",
    "Try to automatically detect connected sections",
    "All sections are connected - this is just one track!",
    "Don't select this option!",
};

/// The elevation sources, by ElevationSource: in the context menu and in the profile window.
inline constexpr const char* kElevationChoices[] = {"Recorded Elevation", "Terrain Elevation",
                                                    "Terrain Where Missing"};

/// Entries of the plot combo: 0 over distance, 1 over time.
inline constexpr const char* kPlotModeEntries[] = {"Plot over Distance", "Plot over Time"};

/// The Open dialog's choices of file type, its default suffix and its initial file name.
inline constexpr const char* kTrackFileFilters[] = {
    "Ozi Explorer Track File (*.plt *.gpx *.tcx *.igc *.fit)", "All Files (*.*)"};
inline constexpr char kTrackFileSuffix[] = "plt";
inline constexpr char kTrackFileInitialName[] = "*.plt";

/// The profile window: its entry in the window's context menu, its caption and its button.
inline constexpr char kShowProfileMenuEntry[] = "Show Profile...";
inline constexpr char kProfileCaption[] = "Profile";
inline constexpr char kSavePicture[] = "Save Picture...";
inline constexpr const char* kPictureFileFilters[] = {"PNG Image (*.png)", "SVG Image (*.svg)"};
/// The tip of the chooser of what the plot under the profile shows.
inline constexpr char kChannelChooserTip[] = "What the plot under the profile shows";
