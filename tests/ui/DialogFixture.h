#pragma once
// Fake controls and prompts for the dialog core, a private folder with the
// files it reads, and a fixture that starts the dialog on them.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/ServerEntry.h"
#include "tests/data/TempDir.h"
#include "tests/ui/FakePrompts.h"
#include "ui/DialogControls.h"
#include "ui/DialogPrompts.h"
#include "ui/ServerListDialog.h"

namespace sci::test {

// The dialog's controls as plain state, with the user's actions as methods.
class FakeControls : public DialogControls {
 public:
  struct Control {
    std::string text;
    bool modified = false;
    std::size_t limit = 0;
    std::optional<FieldKind> kind;
    bool enabled = true;
  };

  std::map<ControlId, Control> controls;
  std::string caption = SCIEDIT_DIALOG_CAPTION;
  int lowest = 0, highest = 0, position = 0;
  std::optional<ControlId> focused;
  std::optional<ControlId> selectedAll;
  std::optional<DialogResult> closed;
  // Whether the window is the active one; the core's activate() makes it so.
  bool active = true;
  int activations = 0;

  // The user types text over the field's contents.
  void type(ControlId id, const std::string& text) {
    controls[id].text = text;
    controls[id].modified = true;
  }

  std::string text(ControlId id) const override { return find(id).text; }
  void setText(ControlId id, std::string_view text) override {
    controls[id].text = std::string(text);
    controls[id].modified = false;
  }
  bool modified(ControlId id) const override { return find(id).modified; }
  void setInputLimit(ControlId id, std::size_t characters) override {
    controls[id].limit = characters;
  }
  void setFieldKind(ControlId id, FieldKind kind) override { controls[id].kind = kind; }
  void focus(ControlId id) override {
    focused = id;
    selectedAll.reset();
  }
  ControlId focusedControl() const override { return focused.value_or(0); }
  void activate() override {
    active = true;
    ++activations;
  }
  void focusAndSelectAll(ControlId id) override {
    focused = id;
    selectedAll = id;
  }
  void setEnabled(ControlId id, bool enabled) override { controls[id].enabled = enabled; }
  bool enabled(ControlId id) const override { return find(id).enabled; }
  void setCaption(std::string_view text) override { caption = std::string(text); }
  void setPositionRange(int low, int high) override {
    lowest = low;
    highest = high;
  }
  void setPosition(int shown) override { position = shown; }
  void close(DialogResult result) override { closed = result; }

 private:
  Control find(ControlId id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? Control{} : it->second;
  }
};

inline constexpr const char* kAppName = "sciedit-test";
inline constexpr std::string_view kTitle = "Site Router";

std::vector<std::uint8_t> goodConfigBytes(std::string_view title = kTitle);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
ServerEntry makeEntry(std::string_view server, std::uint32_t port, std::string_view userName,
                      std::string_view password);
ServerTable tableStartingWith(const ServerEntry& entry);
// A list written with the good configuration.
void writeList(const std::filesystem::path& path, const ServerTable& table);

class DialogTest : public ::testing::Test {
 protected:
  // Starts the dialog on `config` bytes (nullopt: no configuration file).
  void start(std::optional<std::vector<std::uint8_t>> config = goodConfigBytes(),
             WriteOps writeOps = WriteOps::system());
  // Starts on a good configuration and forgets its (absent) messages.
  ServerListDialog& started() {
    start();
    prompts.messages.clear();
    return *dialog;
  }
  // Shows entry 1 of a list whose first entry is given, as Open would.
  void showFirst(const ServerEntry& entry);

  TempDir dir;
  // As if the configuration was named with --config.
  bool configNamed = false;
  // As if a list was named on the command line.
  std::optional<std::filesystem::path> listAtStart;
  FakeControls controls;
  FakePrompts prompts;
  std::unique_ptr<ServerListDialog> dialog;
};

}  // namespace sci::test
