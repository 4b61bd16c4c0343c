#include "cli/ServerListImport.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "cli/Hex.h"
#include "cli/ServerListJson.h"
#include "data/SingleByteText.h"
#include "editor/EntryForm.h"

namespace sci {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<std::string_view, 3> kTopFields = {"formatVersion", "preamble", "entries"};
constexpr std::array<std::string_view, 8> kEntryFields = {
    "position", "empty", "server", "port", "key", "userName", "password", "raw"};

bool isHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The editor's key form ("01 AB ..." as formatKey writes it, either case) or
// 28 digits without blanks; both scan to exactly these 14 bytes.
bool isKeyText(std::string_view text) {
  if (text.size() == kKeyTextLength) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (i % 3 == 2 ? text[i] != ' ' : !isHexDigit(text[i])) return false;
    }
    return true;
  }
  return text.size() == 2 * kKeySize && std::ranges::all_of(text, isHexDigit);
}

// The value as JSON, shortened (on a character boundary) for a message.
// Arrays and objects are only named: printing one is recursive, and a
// hostile file may nest them deeply.
std::string describe(const Json& value) {
  if (value.is_array()) return "an array";
  if (value.is_object()) return "an object";
  constexpr std::size_t kMaxLength = 60;
  const std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() <= kMaxLength) return text;
  std::size_t cut = kMaxLength - 3;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "...";
}

class Refusals {
 public:
  explicit Refusals(std::vector<std::string>& out) : out_(out) {}
  void add(std::string_view where, std::string_view field, std::string_view why) {
    out_.push_back(fmt::format("{}: {}: {}", where, field, why));
  }
  void add(std::string_view where, std::string_view why) {
    out_.push_back(fmt::format("{}: {}", where, why));
  }
  std::size_t count() const { return out_.size(); }

 private:
  std::vector<std::string>& out_;
};

template <std::size_t N>
void refuseUnknownFields(const Json& object, const std::array<std::string_view, N>& known,
                         std::string_view where, Refusals& refusals) {
  for (const auto& [name, value] : object.items()) {
    if (std::ranges::find(known, name) == known.end()) {
      refusals.add(where, name, "unknown field");
    }
  }
}

std::optional<std::vector<std::uint8_t>> hexBlock(const Json& value, std::size_t size,
                                                  std::string_view where, std::string_view field,
                                                  Refusals& refusals) {
  const auto why = fmt::format("must be {} hex digits ({} bytes)", 2 * size, size);
  if (!value.is_string()) {
    refusals.add(where, field, why);
    return std::nullopt;
  }
  auto bytes = fromHex(value.get_ref<const std::string&>());
  if (!bytes || bytes->size() != size) {
    refusals.add(where, field, why);
    return std::nullopt;
  }
  return bytes;
}

// A text as the editor would hold it: single bytes, no zero character.
std::optional<std::string> singleByteText(const Json& value, std::string_view where,
                                          std::string_view field, Refusals& refusals) {
  if (!value.is_string()) {
    refusals.add(where, field, "must be a string, not " + describe(value));
    return std::nullopt;
  }
  auto bytes = utf8ToBytes(value.get_ref<const std::string&>());
  if (!bytes) {
    refusals.add(where, field, describe(value) + " cannot be written as single-byte text");
    return std::nullopt;
  }
  if (bytes->find('\0') != std::string::npos) {
    refusals.add(where, field, "must not contain a zero character");
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::uint32_t> portValue(const Json& value, std::string_view where,
                                       Refusals& refusals) {
  if (value.is_number_unsigned()) {
    const auto port = value.get<std::uint64_t>();
    if (port <= std::numeric_limits<std::uint32_t>::max()) {
      return static_cast<std::uint32_t>(port);
    }
  }
  refusals.add(where, "port", "must be an integer in 0..4294967295, not " + describe(value));
  return std::nullopt;
}

// Checks the values against the editor's typing limits and its validation,
// naming every field that fails.
void refuseWhatTheEditorRefuses(const EntryForm& values, std::string_view where,
                                Refusals& refusals) {
  for (const TextFieldRule& rule : kTextFieldRules) {
    const std::string& text = values.*rule.text;
    if (text.size() > rule.maxLength) {
      refusals.add(where, rule.name, fmt::format("longer than {} characters", rule.maxLength));
    } else if (text.empty() && rule.minLength == 1) {  // the user name: any text will do
      refusals.add(where, rule.name, "empty (the editor requires a user name)");
    } else if (text.size() < rule.minLength) {
      refusals.add(
          where, rule.name,
          fmt::format("shorter than {} characters (the editor's minimum)", rule.minLength));
    }
  }
}

// The editor's fields take no control characters, so a text the file
// changes may hold none; one kept from the entry's own bytes stays as it is.
void refuseControlCharacters(const EntryForm& values, const EntryForm& shown,
                             std::string_view where, Refusals& refusals) {
  for (const TextFieldRule& rule : kTextFieldRules) {
    const std::string& text = values.*rule.text;
    if (text == shown.*rule.text) continue;
    const auto control = std::ranges::find_if(text, [](char c) {
      return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x7F;
    });
    if (control == text.end()) continue;
    refusals.add(where, rule.name,
                 fmt::format("control character \\x{:02X} at character {} (the editor "
                             "cannot type one)",
                             static_cast<unsigned char>(*control), control - text.begin() + 1));
  }
}

struct EntryImport {
  std::size_t index = 0;
  ServerEntry entry{};
  bool stored = false;
};

// One element of "entries"; nullopt (with refusals) when anything is wrong.
std::optional<EntryImport> importEntry(const Json& item, std::size_t itemIndex,
                                       std::array<bool, kEntryCount>& seen, Refusals& refusals) {
  std::string where = fmt::format("entries[{}]", itemIndex);
  if (!item.is_object()) {
    refusals.add(where, "must be an object, not " + describe(item));
    return std::nullopt;
  }
  const std::size_t before = refusals.count();
  const auto position = item.find("position");
  if (position == item.end()) {
    refusals.add(where, "position", "missing");
    return std::nullopt;
  }
  if (!position->is_number_unsigned() || position->get<std::uint64_t>() < 1 ||
      position->get<std::uint64_t>() > kEntryCount) {
    refusals.add(
        where, "position",
        fmt::format("must be an integer in 1..{}, not {}", kEntryCount, describe(*position)));
    return std::nullopt;
  }
  EntryImport result;
  result.index = position->get<std::size_t>() - 1;
  where = fmt::format("position {}", result.index + 1);
  if (seen[result.index]) {
    refusals.add(where, "given twice");
    return std::nullopt;
  }
  seen[result.index] = true;
  refuseUnknownFields(item, kEntryFields, where, refusals);

  // The entry starts from its own bytes, or from an empty slot; fields that
  // are not given keep what the editor would show for those bytes.
  result.entry = DefaultEntry();
  if (const auto raw = item.find("raw"); raw != item.end()) {
    if (auto bytes = hexBlock(*raw, kEntrySize, where, "raw", refusals)) {
      std::memcpy(&result.entry, bytes->data(), kEntrySize);
    }
  }
  const EntryForm shown = formFromEntry(result.entry);
  EntryForm values = shown;

  auto text = [&](const char* field, std::string& target) {
    if (const auto value = item.find(field); value != item.end()) {
      if (auto bytes = singleByteText(*value, where, field, refusals)) target = *bytes;
    }
  };
  for (const TextFieldRule& rule : kTextFieldRules) text(rule.name, values.*rule.text);
  if (const auto port = item.find("port"); port != item.end()) {
    if (auto value = portValue(*port, where, refusals)) values.port = *value;
  }
  if (const auto key = item.find("key"); key != item.end()) {
    if (key->is_string() && isKeyText(key->get_ref<const std::string&>())) {
      // Written as the editor shows it, so a key that only differs in how
      // it is spelled leaves the entry untouched.
      ServerEntry keyed{};
      keyed.key = parseKey(key->get_ref<const std::string&>());
      values.keyText = formatKey(keyed);
    } else {
      refusals.add(where, "key",
                   fmt::format("must be {} hex bytes as \"01 23 ... CD\" or {} hex digits, not {}",
                               kKeySize, 2 * kKeySize, describe(*key)));
    }
  }
  // "empty" only restates the server; a contradiction means the file says
  // two things and neither can be taken.
  const auto empty = item.find("empty");
  if (empty != item.end() && refusals.count() == before) {
    if (!empty->is_boolean()) {
      refusals.add(where, "empty", "must be true or false, not " + describe(*empty));
    } else if (empty->get<bool>() != values.server.empty()) {
      refusals.add(where, "empty",
                   empty->get<bool>() ? "true, but the server is not empty"
                                      : "false, but the server is empty");
    }
  }
  if (refusals.count() != before) return std::nullopt;

  // Like the editor, store only what differs from what it shows; an
  // untouched entry keeps its bytes exactly, odd ones included.
  if (values == shown) return result;
  refuseControlCharacters(values, shown, where, refusals);
  refuseWhatTheEditorRefuses(values, where, refusals);
  if (refusals.count() != before) return std::nullopt;
  storeForm(values, result.entry);
  result.stored = true;
  return result;
}

// Keys repeated inside one object would otherwise be silently dropped.
Json parseRefusingDuplicates(std::string_view jsonText, Refusals& refusals) {
  std::vector<std::set<std::string>> open;
  const Json::parser_callback_t callback = [&](int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
        open.emplace_back();
        break;
      case Json::parse_event_t::object_end:
        open.pop_back();
        break;
      case Json::parse_event_t::key:
        if (!open.back().insert(parsed.get<std::string>()).second) {
          refusals.add("document", fmt::format("field \"{}\" given twice in one object",
                                               parsed.get<std::string>()));
        }
        break;
      default:
        break;
    }
    return true;
  };
  return Json::parse(jsonText, callback);
}

}  // namespace

ImportOutcome importServerList(std::string_view jsonText) {
  ImportOutcome outcome;
  outcome.table = initialTable();
  Refusals refusals(outcome.refusals);

  // The library's message without its "[json.exception.parse_error.101] " tag.
  auto reason = [](const Json::exception& e) {
    std::string_view what = e.what();
    if (const auto tagEnd = what.find("] "); tagEnd != std::string_view::npos) {
      what.remove_prefix(tagEnd + 2);
    }
    return what;
  };
  Json doc;
  try {
    doc = parseRefusingDuplicates(jsonText, refusals);
  } catch (const Json::parse_error& e) {
    refusals.add("not valid JSON", reason(e));
    return outcome;
  } catch (const Json::out_of_range& e) {
    // Valid JSON, but a number (1e999) no double holds.
    refusals.add("document", reason(e));
    return outcome;
  }
  if (!doc.is_object()) {
    refusals.add("document", "must be a JSON object");
    return outcome;
  }
  refuseUnknownFields(doc, kTopFields, "document", refusals);

  const auto version = doc.find("formatVersion");
  if (version == doc.end()) {
    refusals.add("formatVersion", "missing");
  } else if (!version->is_number_unsigned() ||
             version->get<std::uint64_t>() != kJsonFormatVersion) {
    refusals.add("formatVersion",
                 fmt::format("must be {}, not {}", kJsonFormatVersion, describe(*version)));
  }
  if (const auto preamble = doc.find("preamble"); preamble != doc.end()) {
    if (auto bytes = hexBlock(*preamble, kPreambleSize, "document", "preamble", refusals)) {
      std::ranges::copy(*bytes, outcome.table.preamble.begin());
    }
  }
  const auto entries = doc.find("entries");
  if (entries == doc.end()) {
    refusals.add("entries", "missing");
    return outcome;
  }
  if (!entries->is_array()) {
    refusals.add("entries", "must be an array");
    return outcome;
  }
  std::array<bool, kEntryCount> seen{};
  std::size_t itemIndex = 0;
  for (const Json& item : *entries) {
    if (auto imported = importEntry(item, itemIndex++, seen, refusals)) {
      outcome.table.entries[imported->index] = imported->entry;
      ++(imported->stored ? outcome.stored : outcome.unchanged);
    }
  }
  return outcome;
}

}  // namespace sci
