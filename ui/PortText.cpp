#include "ui/PortText.h"

#include <limits>

#include "editor/FormLimits.h"

namespace sci {

namespace {

bool isBlank(QChar ch) { return ch == u' ' || ch == u'\t'; }
bool isDecimalDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

}  // namespace

std::optional<std::uint32_t> parsePortText(QStringView text) {
  text = text.left(static_cast<qsizetype>(kPortTextReadLength));
  qsizetype i = 0;
  const qsizetype end = text.size();
  while (i < end && isBlank(text[i])) ++i;
  const bool writtenWithZero = i < end && text[i] == u'0';
  if (i < end && text[i] == u'+') ++i;

  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  while (i < end && isDecimalDigit(text[i])) {
    value = value * 10 + static_cast<std::uint64_t>(text[i].unicode() - u'0');
    if (value > kMax) value = kMax + 1;  // saturate; only "too large" matters now
    ++i;
  }
  while (i < end && isBlank(text[i])) ++i;

  if (i != end) return std::nullopt;  // a sign other than one '+', or any other character
  if (value == 0 && !writtenWithZero) return std::nullopt;
  return static_cast<std::uint32_t>(value > kMax ? kMax : value);
}

}  // namespace sci
