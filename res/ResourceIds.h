#pragma once

// Resource ids of the two dialogs, the icon and the about entry. The GUI uses the symbolic
// name of each control as its widget's objectName.

// Windows headers define these two as macros with the same values.
#ifndef IDOK
inline constexpr int IDOK = 1;
#endif
#ifndef IDCANCEL
inline constexpr int IDCANCEL = 2;  // Exit: ends the window
#endif
inline constexpr int IDC_STATIC = -1;

inline constexpr int IDM_ABOUTBOX = 0x0010;  // system menu command of the about entry
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;  // text of the about entry
inline constexpr int IDD_ANALYZER_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;  // the program's icon

inline constexpr int IDC_SECTIONS = 1000;
inline constexpr int IDC_LOAD = 1001;
inline constexpr int IDC_CLEAR = 1002;
inline constexpr int IDC_APPEND = 1003;
inline constexpr int IDC_CONNECTION = 1005;
inline constexpr int IDC_PLOT = 1016;
inline constexpr int IDC_PLOT_MODE = 1019;
inline constexpr int IDC_STATISTICS = 1020;
inline constexpr int IDC_VERTICAL_THRESHOLD = 1023;
inline constexpr int IDC_SPEED_THRESHOLD = 1024;
inline constexpr int IDC_UPDATE = 1025;

inline constexpr int ID_HELP = 57670;  // Please Help
