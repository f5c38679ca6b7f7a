#pragma once

#include <string>
#include <string_view>

#include <QString>

/// Text from the core (names, paths, messages) as Qt text, read as ShownAsUtf8 reads it.
QString ToQString(std::string_view bytes);

/// Qt text as the core's bytes: UTF-8.
std::string ToStdString(const QString& text);
