// Nothing outside the document is ever opened. Every external reference here names a FIFO that
// nobody writes to: opening it for reading would block, so a parser that tried would hang the
// child, and the time limit would catch it. A secret in a regular file shows that nothing of its
// content reaches the text or the message either. (That the text comes out as if the references
// were empty is checked with the parser policy.)
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "convert/extract_srt.h"
#include "tests/hostile/child_process.h"

namespace caplift::testing {
namespace {

class ExternalResource : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("caplift-hostile-external-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    std::ofstream(path("secret.txt")) << "SECRET-CONTENT";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string path(const char* name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(ExternalResource, IsNeverOpened) {
  for (const char* name : {"pipe", "secret.txt"}) {
    const std::string target = path(name);
    const std::string kDocuments[] = {
        "<!DOCTYPE t [<!ENTITY e SYSTEM '" + target + "'>]><title name='&e;'>&e;</title>",
        "<!DOCTYPE t [<!ENTITY e SYSTEM 'file://" + target +
            "'>]><title><text><text-style>&e;</text-style></text></title>",
        "<!DOCTYPE t [<!ENTITY % p SYSTEM '" + target + "'> %p;]><title/>",
        "<!DOCTYPE t SYSTEM '" + target + "'><title/>",
        "<!DOCTYPE t PUBLIC '-//x//y' '" + target + "'><title/>",
        "<!DOCTYPE t [<!ENTITY e SYSTEM '" + target + "' NDATA n>]><title name='e'/>",
        "<?xml-stylesheet href='" + target + "'?><title/>",
        "<title xmlns:xi='http://www.w3.org/2001/XInclude'><xi:include href='" + target +
            "' parse='text'/></title>",
        "<title xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:schemaLocation='u " +
            target + "'/>",
    };
    for (const std::string& document : kDocuments) {
      SCOPED_TRACE(document);
      const ChildOutcome child = runInChild(
          [&] {
            const ExtractResult result = extractSRT(document);
            return result.ok() ? result.srt : result.failure->description();
          },
          20);
      ASSERT_FALSE(child.timedOut) << "the parser opened " << target;
      ASSERT_TRUE(child.finished) << "signal " << child.signal;
      EXPECT_EQ(child.report.find("SECRET"), std::string::npos) << child.report;
    }
  }
}

}  // namespace
}  // namespace caplift::testing
