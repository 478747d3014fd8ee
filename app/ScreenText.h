#pragma once

#include <QString>
#include <string>

namespace qx9 {

// The window's texts, held as UTF-8, as Qt shows them.
inline QString Text(const char* text) {
    return QString::fromUtf8(text);
}
inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace qx9
