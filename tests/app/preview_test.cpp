#include <gtest/gtest.h>

#include "tests/app/app_test_support.h"

namespace caplift::testing {
namespace {

using platform::Font;
using platform::Rect;
using platform::fake::FakeButton;
using platform::fake::FakeScrollView;
using platform::fake::FakeTextView;
using platform::fake::FakeWindow;

class Preview : public AppTest {
 protected:
  std::string input = dir.write("Project 1.fcpxml", kTwoTitles);
  std::string other = dir.write("Other.fcpxml", kOtherTitle);

  FakeWindow* preview(std::size_t index = 0) {
    std::size_t seen = 0;
    for (const auto& window : fake.windows) {
      if (window->title() == "preview" && seen++ == index) return window.get();
    }
    return nullptr;
  }
  void expectNoPreviewOpen() {
    EXPECT_EQ(app.previewWindow, nullptr);
    EXPECT_FALSE(app.previewCompletion);
  }
  void expectPreviewOpen() {
    EXPECT_NE(app.previewWindow, nullptr);
    EXPECT_TRUE(app.previewCompletion);
    EXPECT_EQ(fake.modalDepth(), 1u);
    EXPECT_TRUE(app.previewWindow && app.previewWindow->isVisible());
  }
};

TEST_F(Preview, ShowsTheWholeTextReadOnlyAboveThreeButtons) {
  fake.user().chooseFile(input).press("cancel");
  pressChoose();
  FakeWindow* window = preview();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->contentRect(), (Rect{420, 250, 600, 400}));  // centred on 1440 x 900
  EXPECT_TRUE(window->centered);
  EXPECT_EQ(window->styleMask(), 1u);
  EXPECT_EQ(window->level(), platform::WindowLevel::kModalPanel);
  EXPECT_FALSE(window->releasedWhenClosed);
  EXPECT_EQ(window->delegate(), &app);

  const auto& content = window->content();
  ASSERT_EQ(content.subviews.size(), 4u);
  auto* scroll = content.subview<FakeScrollView>(0);
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->frame(), (Rect{20, 70, 560, 300}));
  EXPECT_TRUE(scroll->hasVerticalScroller);
  auto* text = dynamic_cast<FakeTextView*>(scroll->documentView.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->frame(), (Rect{0, 0, 560, 300}));
  EXPECT_FALSE(text->editable);
  EXPECT_EQ(text->font, (Font{Font::Kind::kMonospacedSystem, 13}));
  EXPECT_EQ(text->text, srtOf(kTwoTitles));
  EXPECT_FALSE(text->text.empty());

  struct Expected {
    const char* title;
    Rect frame;
  };
  const Expected buttons[] = {
      {"save_ok", {380, 20, 100, 30}}, {"cancel", {20, 20, 100, 30}}, {"back", {490, 20, 100, 30}}};
  for (std::size_t i = 0; i < 3; ++i) {
    auto* button = content.subview<FakeButton>(i + 1);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title(), buttons[i].title);
    EXPECT_EQ(button->frame(), buttons[i].frame);
    EXPECT_EQ(button->bezelStyle, platform::BezelStyle::kRounded);
  }
}

TEST_F(Preview, TitlesComeFromTheStringTable) {
  fake.strings = {
      {"preview", "Preview"}, {"save_ok", "Save"}, {"cancel", "Cancel"}, {"back", "Back"}};
  fake.user().chooseFile(input).press("Cancel");
  pressChoose();
  FakeWindow* window = fake.windowTitled("Preview");
  ASSERT_NE(window, nullptr);
  EXPECT_NE(window->button("Save"), nullptr);
  EXPECT_NE(window->button("Back"), nullptr);
  for (const auto& lookup :
       std::vector<std::pair<std::string, std::string>>{{"preview", "preview SRT"},
                                                        {"save_ok", "Save OK"},
                                                        {"cancel", "Cancel"},
                                                        {"back", "Back"}}) {
    EXPECT_NE(std::find(fake.localizedLookups.begin(), fake.localizedLookups.end(), lookup),
              fake.localizedLookups.end())
        << lookup.first;
  }
}

// Save and back answer later, from the main queue: after the modal loop and the dialog returned,
// with both fields already empty.
TEST_F(Preview, SaveAndBackAnswerOnlyAfterTheDialogHasReturned) {
  for (const char* pressed : {"save_ok", "back"}) {
    SCOPED_TRACE(pressed);
    fake.calls.clear();
    fake.user().chooseFile(input).inspect([&] { expectPreviewOpen(); }).press(pressed);
    pressChoose();
    expectNoPreviewOpen();
    EXPECT_EQ(fake.modalDepth(), 0u);
    EXPECT_EQ(fake.pendingWork(), 1u);
    EXPECT_FALSE(fake.windows.back()->isVisible());
    EXPECT_FALSE(fake.windows.back()->closed);
    EXPECT_EQ(fake.countCalls("runSavePanel") + fake.countCalls("runOpenPanel"), 1u);

    fake.user().cancelPanel();
    EXPECT_EQ(fake.runPostedWork(), 1u);
    const bool save = std::string(pressed) == "save_ok";
    const long answered = fake.findCall(save ? "runSavePanel" : "runOpenPanel", 1);
    EXPECT_GT(answered, fake.findCall("modal loop ended preview"));
    EXPECT_EQ(fake.countCalls("runSavePanel"), save ? 1u : 0u);
  }
}

TEST_F(Preview, CancelDropsTheAnswer) {
  fake.user().chooseFile(input).press("cancel");
  pressChoose();
  expectNoPreviewOpen();
  EXPECT_EQ(fake.pendingWork(), 0u);
  EXPECT_EQ(fake.countCalls("stopModal"), 1u);
  EXPECT_FALSE(preview()->isVisible());
  EXPECT_EQ(fake.runPostedWork(), 0u);
  EXPECT_EQ(fake.openPanels.size(), 1u);
  EXPECT_TRUE(fake.savePanels.empty());
  EXPECT_TRUE(fake.alerts.empty());
}

TEST_F(Preview, ButtonsDoNothingWithoutAPreview) {
  const auto before = fake.calls.size();
  app.handleOKButton(nullptr);
  app.handleBackButton(nullptr);
  app.handleCancelButton(nullptr);
  EXPECT_EQ(fake.calls.size(), before);
  EXPECT_EQ(fake.pendingWork(), 0u);
}

TEST_F(Preview, BackLeadsToASecondPreviewInANewWindow) {
  fake.user().chooseFile(input).press("back");
  pressChoose();
  fake.user().chooseFile(other).press("cancel");
  fake.runPostedWork();
  ASSERT_NE(preview(1), nullptr);
  EXPECT_NE(preview(0), preview(1));
  EXPECT_FALSE(preview(0)->isVisible());
  EXPECT_FALSE(preview(0)->closed);
  auto* text = dynamic_cast<FakeTextView*>(
      preview(1)->content().subview<FakeScrollView>(0)->documentView.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, srtOf(kOtherTitle));
}

TEST_F(Preview, WindowWillCloseIgnoresOtherWindowsAndClosesWithoutAPreview) {
  int answers = 0;
  auto stray = fake.makeWindow({0, 0, 10, 10}, 1);
  app.windowWillClose(stray.get());  // no preview open
  app.previewWindow = fake.makeWindow({0, 0, 600, 400}, 1);
  app.previewCompletion = [&](bool) { ++answers; };
  const auto previewWindow = app.previewWindow;
  for (platform::Window* closing : {stray.get(), app.window.get(), (platform::Window*)nullptr}) {
    app.windowWillClose(closing);
    EXPECT_EQ(app.previewWindow, previewWindow);
    EXPECT_TRUE(app.previewCompletion);
  }
  EXPECT_EQ(answers, 0);
  EXPECT_EQ(fake.countCalls("stopModal"), 0u);
}

TEST_F(Preview, ClosingThePreviewAnswersBackOnceWithTheFieldsAlreadyEmpty) {
  std::vector<bool> answers;
  auto closing = fake.makeWindow({0, 0, 600, 400}, 1);
  auto next = fake.makeWindow({0, 0, 600, 400}, 1);
  app.previewWindow = closing;
  app.previewCompletion = [&](bool save) {
    answers.push_back(save);
    EXPECT_EQ(app.previewWindow, nullptr);
    EXPECT_FALSE(app.previewCompletion);
    EXPECT_EQ(fake.countCalls("stopModal"), 1u);
    // The answer opens the next preview, as back does.
    app.previewWindow = next;
    app.previewCompletion = [](bool) {};
  };
  app.windowWillClose(closing.get());
  EXPECT_EQ(answers, std::vector<bool>{false});
  EXPECT_EQ(app.previewWindow, next);
  EXPECT_TRUE(app.previewCompletion);
  app.previewWindow.reset();
  app.previewCompletion = nullptr;
}

TEST_F(Preview, ClosingThePreviewWindowActsAsBack) {
  fake.user().chooseFile(input).closeWindow().chooseFile(other).press("save_ok");
  pressChoose();
  EXPECT_EQ(fake.openPanels.size(), 2u);
  ASSERT_NE(preview(1), nullptr);
  expectNoPreviewOpen();
  EXPECT_EQ(fake.pendingWork(), 1u);

  const std::string target = dir.file("other.srt");
  fake.user().chooseFile(target).dismissAlert();
  fake.runPostedWork();
  ASSERT_EQ(fake.savePanels.size(), 1u);
  EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, "Other.srt");
  EXPECT_EQ(readBytes(target), srtOf(kOtherTitle));
}

}  // namespace
}  // namespace caplift::testing
