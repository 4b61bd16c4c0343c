#include "ui/qt/SingleByteQString.h"

#include <QList>

#include "data/SingleByteText.h"

namespace sci {

QString fromSingleByte(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) {
    // Every character of the single-byte set lies in the Basic Multilingual Plane.
    text.append(QChar(static_cast<char16_t>(byteToUnicode(static_cast<std::uint8_t>(byte)))));
  }
  return text;
}

std::optional<std::string> toSingleByte(QStringView text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  // toUcs4 joins surrogate pairs and turns lone halves into U+FFFD, which has
  // no single-byte form either.
  for (char32_t ch : text.toUcs4()) {
    const auto byte = unicodeToByte(ch);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<char>(*byte));
  }
  return bytes;
}

bool hasSingleByteForm(QStringView text) { return toSingleByte(text).has_value(); }

}  // namespace sci
