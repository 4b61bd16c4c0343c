// The form's field facts that every view shares: how a port text reads,
// how much each field takes, and which fields are hidden mirrors.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "editor/EntryForm.h"
#include "editor/FormLimits.h"
#include "editor/PortText.h"

namespace sci::test {
namespace {

struct PortCase {
  std::string text;
  std::optional<std::uint32_t> port;
};

TEST(PortText, ReadsAsTheReadBackDoes) {
  const PortCase cases[] = {
      {"", std::nullopt},
      {"0", 0u},
      {"+0", std::nullopt},
      {"+5", 5u},
      {" 42 ", 42u},
      {"\t8\t", 8u},
      {"-1", std::nullopt},
      {"99999999999", 4294967295u},
      {"4294967295", 4294967295u},
      {"007", 7u},
      {"++1", std::nullopt},
      {"+", std::nullopt},
      {"1 2", std::nullopt},
      {"80x", std::nullopt},
      {"443" + std::string(28, ' ') + "junk", 443u},
      // Characters, not bytes, count towards the 31 read: an e acute is one.
      {"\xc3\xa9", std::nullopt},
      {"443" + std::string(27, ' ') + "\xc3\xa9" + "junk", std::nullopt},
      {"443" + std::string(28, ' ') + "\xc3\xa9", 443u},
  };
  for (const PortCase& c : cases) EXPECT_EQ(parsePortText(c.text), c.port) << '"' << c.text << '"';
}

struct FieldCase {
  Field field;
  std::size_t limit;
  std::optional<Field> mirrorOf;
};

TEST(FormFields, LimitsAndMirrors) {
  const FieldCase cases[] = {
      {Field::Server, kServerMaxLength, std::nullopt},
      {Field::ServerConfirm, kServerMaxLength, Field::Server},
      {Field::Port, 0, std::nullopt},
      {Field::PortConfirm, 0, Field::Port},
      {Field::Key, kKeyTextMaxLength, std::nullopt},
      {Field::UserName, kUserNameMaxLength, std::nullopt},
      {Field::Password, kPasswordMaxLength, std::nullopt},
      {Field::PasswordConfirm, kPasswordMaxLength, Field::Password},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.field));
    EXPECT_EQ(typingLimit(c.field), c.limit);
    EXPECT_EQ(mirrorOf(c.field), c.mirrorOf);
  }
}

}  // namespace
}  // namespace sci::test
