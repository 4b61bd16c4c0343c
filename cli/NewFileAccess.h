#pragma once
// Makes the files created while it lives private to the user where asked:
// the system-specific part of runOutputWrite. One file per platform.

#include "cli/OutputFile.h"

namespace sci {

class NewFileAccessScope {
 public:
  explicit NewFileAccessScope(NewFileAccess access);
  ~NewFileAccessScope();
  NewFileAccessScope(const NewFileAccessScope&) = delete;
  NewFileAccessScope& operator=(const NewFileAccessScope&) = delete;

 private:
  unsigned saved_ = 0;
};

}  // namespace sci
