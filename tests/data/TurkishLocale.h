#pragma once
// Puts the C library under a Turkish locale for one scope. Turkish is the
// locale where case folding by the locale goes wrong for plain ASCII: 'I'
// lowers to a dotless i (or stays 'I' in UTF-8) and 0xDD lowers to 'i'.
// A machine without the locale installed gets one built with localedef into
// a private folder, found through LOCPATH.

#include <stdlib.h>

#include <clocale>
#include <optional>
#include <string>

#include "tests/SystemForTests.h"
#include "tests/data/TempDir.h"

namespace sci::test {

class TurkishLocale {
 public:
  // charset as localedef names it: "UTF-8", "ISO-8859-9".
  explicit TurkishLocale(const std::string& charset) : name_("tr_TR." + charset) {
    saved_ = std::setlocale(LC_ALL, nullptr);
    if (const char* path = ::getenv("LOCPATH")) savedLocPath_ = path;
    if (std::setlocale(LC_ALL, name_.c_str()) != nullptr) return;

    built_.emplace();
    // Success is judged by whether the locale then loads.
    const std::string failure = buildLocale("tr_TR", charset, built_->path() / name_);
    setEnvironment("LOCPATH", built_->path().string());
    if (std::setlocale(LC_ALL, name_.c_str()) != nullptr) return;
    unavailable_ = name_ + " is not installed and could not be built: " + failure;
  }

  ~TurkishLocale() {
    setEnvironment("LOCPATH", savedLocPath_);
    std::setlocale(LC_ALL, saved_.c_str());
  }

  TurkishLocale(const TurkishLocale&) = delete;
  TurkishLocale& operator=(const TurkishLocale&) = delete;

  // Empty when the locale is in force, else why it is not.
  const std::string& unavailable() const { return unavailable_; }

 private:
  std::string name_;
  std::string saved_;
  std::optional<std::string> savedLocPath_;
  std::optional<TempDir> built_;
  std::string unavailable_;
};

}  // namespace sci::test
