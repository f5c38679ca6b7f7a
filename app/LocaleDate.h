#pragma once

#include <string>

class QLocale;

/// A date (days since 1899-12-30) in the locale's short date and long time, without a time
/// zone: the time alone for day 0, the date alone at an exact midnight, and the core's text
/// for a date out of range. The window installs it as the core's date formatter.
std::string FormatLocaleDate(double days);
std::string FormatLocaleDate(double days, const QLocale& locale);
