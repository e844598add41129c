#include "tests/app/app_test_support.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "convert/extract_srt.h"

namespace caplift::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "caplift-app-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  if (path_.empty()) ADD_FAILURE() << "cannot make a temporary folder";
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const std::string target = file(name);
  std::ofstream(target, std::ios::binary) << bytes;
  return target;
}

std::string TempDir::makeFolder(const std::string& name) const {
  fs::create_directories(file(name));
  return file(name);
}

std::vector<std::string> TempDir::names() const {
  std::vector<std::string> result;
  for (const auto& entry : fs::directory_iterator(path_)) {
    result.push_back(entry.path().filename().string());
  }
  std::sort(result.begin(), result.end());
  return result;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kTwoTitles = R"(<?xml version="1.0" encoding="UTF-8"?>
<fcpxml version="1.8"><library><event name="e"><project name="p"><sequence><spine>
<gap name="Gap" offset="0s" duration="20s" start="0s">
<title name="First" lane="1" offset="1s" duration="2s" start="0s"><text><text-style>Hello</text-style></text></title>
<title name="Second" lane="1" offset="5s" duration="3/2s" start="0s"><text><text-style>Good bye</text-style></text></title>
</gap></spine></sequence></project></event></library></fcpxml>
)";

const char* const kOtherTitle = R"(<?xml version="1.0" encoding="UTF-8"?>
<fcpxml version="1.8"><library><event name="e"><project name="p"><sequence><spine>
<gap name="Gap" offset="0s" duration="20s" start="0s">
<title name="Other" lane="1" offset="7s" duration="1s" start="0s"><text><text-style>Another file</text-style></text></title>
</gap></spine></sequence></project></event></library></fcpxml>
)";

const char* const kNotXml = "This is a plain text note, <not an export.\n";

const char* const kNotUtf8 = "<?xml version=\"1.0\"?><fcpxml>caf\xE9</fcpxml>\n";

platform::fake::FakeWindow& launch(platform::fake::FakePlatform& fake, AppDelegate& app) {
  fake.setDelegate(&app);
  fake.run();
  return static_cast<platform::fake::FakeWindow&>(*app.window);
}

AppTest::AppTest() {
  fake.onScriptError = [](const std::string& message) {
    ADD_FAILURE() << "scripted user: " << message;
  };
  launch(fake, app);
}

void AppTest::TearDown() {
  std::string left;
  for (const auto& step : fake.user().steps()) left += " " + step.describe();
  EXPECT_TRUE(fake.user().empty()) << "steps never taken:" << left;
  EXPECT_EQ(fake.modalDepth(), 0u);
}

std::string AppTest::srtOf(const std::string& document) {
  ExtractResult result = caplift::extractSRT(document);
  EXPECT_TRUE(result.ok());
  return result.srt;
}

platform::fake::FakeWindow& AppTest::mainWindow() {
  return static_cast<platform::fake::FakeWindow&>(*app.window);
}

void AppTest::pressChoose() {
  auto* button = mainWindow().button("choose");
  ASSERT_NE(button, nullptr);
  button->press();
}

std::vector<std::string> AppTest::alertMessages() const {
  std::vector<std::string> messages;
  for (const auto& alert : fake.alerts) messages.push_back(alert.informativeText);
  return messages;
}

}  // namespace caplift::testing
