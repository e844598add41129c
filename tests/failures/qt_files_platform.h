#pragma once

#include <string>
#include <string_view>

#include "platform/fake/fake_platform.h"
#include "platform/qt/file_io.h"

namespace caplift::testing {

// The fake platform with the Qt backend's file functions: the workflow runs with a scripted user
// and reads and writes files exactly as the application does.
class QtFilesPlatform : public platform::fake::FakePlatform {
 public:
  platform::ReadResult readUtf8File(const std::string& path) override {
    return platform::qt::readUtf8File(path);
  }
  platform::WriteResult writeFileAtomically(const std::string& path,
                                            std::string_view utf8) override {
    return platform::qt::writeFileAtomically(path, utf8);
  }
};

}  // namespace caplift::testing
