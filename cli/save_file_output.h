#pragma once

#include <QSaveFile>
#include <string>
#include <string_view>

#include "cli/output.h"

namespace caplift {

// A file written atomically: the text goes to a temporary file beside the target, which replaces
// the target only on commit(). Dropped without commit(), the target stays as it was and the
// temporary file is removed.
class SaveFileOutput final : public Output {
 public:
  explicit SaveFileOutput(const std::string& path);
  ~SaveFileOutput() override;

  bool open() override;
  bool write(std::string_view text) override;
  bool commit() override;
  std::string failureDescription() const override { return failure_; }

 private:
  bool flush();
  // Records why writing failed, from `error` (an errno value) or else from Qt, and drops the file.
  bool fail(int error = 0);

  QSaveFile file_;
  std::string pending_;
  bool committed_ = false;
  std::string failure_;
};

}  // namespace caplift
