#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_delegate.h"
#include "platform/fake/fake_platform.h"

namespace caplift::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::string write(const std::string& name, const std::string& bytes) const;
  std::string makeFolder(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> names() const;

 private:
  std::string path_;
};

std::string readBytes(const std::string& path);

// Starts `app` on `fake` and gives its main window.
platform::fake::FakeWindow& launch(platform::fake::FakePlatform& fake, AppDelegate& app);

// A small document with two titles, and the bytes of things that are not documents.
extern const char* const kTwoTitles;
extern const char* const kOtherTitle;
extern const char* const kNotXml;
extern const char* const kNotUtf8;

// The application on the fake platform, launched, with a scripted user whose mistakes fail the
// test.
class AppTest : public ::testing::Test {
 protected:
  AppTest();
  void TearDown() override;

  // The SRT text that the conversion makes of `document`.
  static std::string srtOf(const std::string& document);
  platform::fake::FakeWindow& mainWindow();
  // Presses the main window's file button, as the user does to start.
  void pressChoose();
  // The informative texts of every alert shown so far.
  std::vector<std::string> alertMessages() const;

  platform::fake::FakePlatform fake;
  AppDelegate app{fake};
  TempDir dir;
};

}  // namespace caplift::testing
