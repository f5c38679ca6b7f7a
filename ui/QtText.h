#pragma once

#include <string>
#include <string_view>

#include <QString>

/// Text from the core (names, paths, messages) as Qt text. The core keeps bytes as the files
/// hold them: UTF-8 where they are valid UTF-8, otherwise read as Latin-1, the code page that
/// older track loggers write, so that no byte is lost or replaced.
QString ToQString(std::string_view bytes);

/// Qt text as the core's bytes: UTF-8.
std::string ToStdString(const QString& text);
