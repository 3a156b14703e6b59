#pragma once
// Between the driver's texts and colours (UTF-8, 0x00BBGGRR) and Qt's.
#include <QColor>
#include <QString>
#include <string>

#include "platform/ui/ListView.h"

namespace rx9100qt {

inline QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

inline QColor fromColorRef(platform::ui::ColorRef c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace rx9100qt
