#include "qt/QtText.h"

#include "report/TextBytes.h"

QString ToQString(std::string_view bytes) {
    const std::string text = ShownAsUtf8(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text) {
    return text.toStdString();
}
