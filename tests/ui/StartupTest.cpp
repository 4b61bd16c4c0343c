// Start-up: the limits, the spin's range, the first entry, and the device
// configuration that decides the caption and whether editing is offered.

#include <tuple>

#include "data/ResultMessages.h"
#include "editor/FormLimits.h"
#include "tests/ui/DialogFixture.h"
#include "ui/FieldBinding.h"

namespace sci::test {
namespace {

struct ConfigCase {
  const char* name;
  std::optional<std::vector<std::uint8_t>> bytes;
  std::string message;  // the fixed first line; empty: none
  std::string reason;   // the second line, after "<full path>: "
  std::string messageCaption;
  std::string caption;
};

std::vector<std::uint8_t> changed(std::vector<std::uint8_t> bytes, std::size_t size,
                                  std::optional<std::size_t> flip = {}) {
  bytes.resize(size, 0);
  if (flip) bytes[*flip] ^= 0x01;
  return bytes;
}

class ConfigResult : public DialogTest, public ::testing::WithParamInterface<ConfigCase> {};

const std::vector<ConfigCase> kConfigCases{
    {"good", goodConfigBytes(), "", "", "", std::string(kTitle)},
    {"title beyond ASCII", goodConfigBytes("Caf\xe9 [*]"), "", "", "", "Caf\xc3\xa9 [*]"},
    {"missing", std::nullopt, "Can not open IPConfig.cfg", "not found", "VANTO",
     SCIEDIT_DIALOG_CAPTION},
    {"51 bytes", changed(goodConfigBytes(), 51), "Length Error!", "51 bytes found, 52 expected",
     kAppName, SCIEDIT_DIALOG_CAPTION},
    {"53 bytes", changed(goodConfigBytes(), 53), "Length Error!", "53 bytes found, 52 expected",
     kAppName, SCIEDIT_DIALOG_CAPTION},
    {"one payload byte changed", changed(goodConfigBytes(), 52, 10), "check data error!",
     "the checksum does not match (damaged or not a device configuration)", kAppName,
     SCIEDIT_DIALOG_CAPTION},
};

TEST_P(ConfigResult, DecidesCaptionMessageAndEditing) {
  const ConfigCase& c = GetParam();
  start(c.bytes);
  EXPECT_EQ(controls.caption, c.caption);
  const bool good = c.message.empty();
  if (good) {
    EXPECT_TRUE(prompts.messages.empty());
  } else {
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              c.message + "\n" + (dir.path() / "IPConfig.cfg").string() + ": " + c.reason);
    EXPECT_EQ(prompts.messages[0].caption, c.messageCaption);
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Stop);
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::Ok);
  }
  for (ControlId id :
       {IDC_SERVER, IDC_PORT, IDC_KEY, IDC_USER_NAME, IDC_PASSWORD, IDC_OPEN, IDC_SAVE}) {
    EXPECT_EQ(controls.enabled(id), good) << id;
  }
  EXPECT_EQ(dialog->canOpen(), good);
  // Browsing, copying and leaving work without a configuration.
  for (ControlId id : {IDC_SPIN, IDC_COPY, IDC_DELETE, IDC_EXIT}) EXPECT_TRUE(controls.enabled(id));
}

INSTANTIATE_TEST_SUITE_P(Startup, ConfigResult, ::testing::ValuesIn(kConfigCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST_F(DialogTest, StartShowsTheFirstEntryWithLimitsAndRange) {
  start();
  EXPECT_EQ(controls.lowest, 1);
  EXPECT_EQ(controls.highest, 20);
  EXPECT_EQ(controls.position, 1);
  EXPECT_EQ(controls.controls[IDC_SERVER].limit, kServerMaxLength);
  EXPECT_EQ(controls.controls[IDC_SERVER_CONFIRM].limit, kServerMaxLength);
  EXPECT_EQ(controls.controls[IDC_KEY].limit, kKeyTextMaxLength);
  EXPECT_EQ(controls.controls[IDC_USER_NAME].limit, kUserNameMaxLength);
  EXPECT_EQ(controls.controls[IDC_PASSWORD].limit, kPasswordMaxLength);
  EXPECT_EQ(controls.controls[IDC_PASSWORD_CONFIRM].limit, kPasswordMaxLength);
  EXPECT_EQ(controls.controls[IDC_PORT].limit, 0u);
  // Digits are typed into the ports; every other field takes single-byte text.
  for (ControlId id : {IDC_PORT, IDC_PORT_CONFIRM}) {
    EXPECT_EQ(controls.controls[id].kind, FieldKind::Port) << id;
  }
  for (ControlId id : {IDC_SERVER, IDC_SERVER_CONFIRM, IDC_KEY, IDC_USER_NAME, IDC_PASSWORD,
                       IDC_PASSWORD_CONFIRM}) {
    EXPECT_EQ(controls.controls[id].kind, FieldKind::Text) << id;
  }
  // The first entry of the initial table, nothing marked as changed.
  EXPECT_EQ(controls.text(IDC_PORT), std::to_string(dialog->editor().form().port));
  EXPECT_EQ(controls.text(IDC_SERVER), dialog->editor().form().server);
  for (const FieldBinding& binding : kFieldBindings)
    EXPECT_FALSE(controls.modified(binding.control));
  // Nothing to paste yet.
  EXPECT_FALSE(controls.enabled(IDC_PASTE));
  EXPECT_FALSE(controls.closed);
}

// A configuration the user named is named in its message, after the fixed
// text; the caption stays.
TEST_F(DialogTest, NamedConfigurationIsNamedInItsMessage) {
  const std::filesystem::path configPath = dir.path() / "IPConfig.cfg";
  configNamed = true;
  for (const auto& [bytes, text, caption] :
       std::vector<std::tuple<std::optional<std::vector<std::uint8_t>>, std::string, std::string>>{
           {std::nullopt, "Can not open IPConfig.cfg\n" + configPath.string() + ": not found",
            "VANTO"},
           {changed(goodConfigBytes(), 4124),
            "Length Error!\n" + configPath.string() + ": 4124 bytes found, 52 expected",
            kAppName}}) {
    prompts.messages.clear();
    std::filesystem::remove(configPath);
    start(bytes);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, text);
    EXPECT_EQ(prompts.messages[0].caption, caption);
    EXPECT_FALSE(controls.enabled(IDC_OPEN));
  }
}

}  // namespace
}  // namespace sci::test
