#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/app_test_support.h"

namespace caplift::testing {
namespace {

using namespace platform;
using namespace platform::fake;

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
  static FakeTextView* textOf(FakeWindow* window) {
    auto* scroll = window ? window->content().subview<FakeScrollView>(0) : nullptr;
    return scroll ? dynamic_cast<FakeTextView*>(scroll->documentView.get()) : nullptr;
  }
  // Both fields are set exactly while the preview's modal loop runs.
  void expectPreviewOpen(bool open) {
    EXPECT_EQ(app.previewWindow != nullptr, open);
    EXPECT_EQ(static_cast<bool>(app.previewCompletion), open);
    if (open) {
      EXPECT_TRUE(app.previewWindow->isVisible());
    }
    EXPECT_EQ(fake.modalDepth(), open ? 1u : 0u);
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
  EXPECT_EQ(content.subview<FakeScrollView>(0)->frame(), (Rect{20, 70, 560, 300}));
  EXPECT_TRUE(content.subview<FakeScrollView>(0)->hasVerticalScroller);
  FakeTextView* text = textOf(window);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->frame(), (Rect{0, 0, 560, 300}));
  EXPECT_FALSE(text->editable);
  EXPECT_EQ(text->font, (Font{Font::Kind::kMonospacedSystem, 13}));
  EXPECT_EQ(text->text, srtOf(kTwoTitles));

  const std::pair<const char*, Rect> buttons[] = {
      {"save_ok", {380, 20, 100, 30}}, {"cancel", {20, 20, 100, 30}}, {"back", {490, 20, 100, 30}}};
  for (std::size_t i = 0; i < 3; ++i) {
    auto* button = content.subview<FakeButton>(i + 1);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title(), buttons[i].first);
    EXPECT_EQ(button->frame(), buttons[i].second);
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
  for (const std::pair<std::string, std::string> lookup : {std::pair{"preview", "preview SRT"},
                                                           {"save_ok", "Save OK"},
                                                           {"cancel", "Cancel"},
                                                           {"back", "Back"}}) {
    EXPECT_NE(std::ranges::find(fake.localizedLookups, lookup), fake.localizedLookups.end())
        << lookup.first;
  }
}

// Save and back answer later, from the main queue: after the modal loop and the dialog returned,
// with both fields already empty. Cancel never answers.
TEST_F(Preview, SaveAndBackAnswerOnlyAfterTheDialogHasReturned) {
  for (const std::string pressed : {"save_ok", "back", "cancel"}) {
    SCOPED_TRACE(pressed);
    const bool cancel = pressed == "cancel", save = pressed == "save_ok";
    fake.calls.clear();
    fake.user().chooseFile(input).inspect([&] { expectPreviewOpen(true); }).press(pressed);
    pressChoose();
    expectPreviewOpen(false);
    EXPECT_EQ(fake.pendingWork(), cancel ? 0u : 1u);
    EXPECT_EQ(fake.countCalls("stopModal"), 1u);
    EXPECT_FALSE(fake.windows.back()->isVisible());
    EXPECT_FALSE(fake.windows.back()->closed);
    EXPECT_EQ(fake.countCalls("runSavePanel") + fake.countCalls("runOpenPanel"), 1u);

    if (!cancel) fake.user().cancelPanel();
    EXPECT_EQ(fake.runPostedWork(), cancel ? 0u : 1u);
    EXPECT_EQ(fake.countCalls("runSavePanel"), save ? 1u : 0u);
    EXPECT_EQ(fake.countCalls("runOpenPanel"), pressed == "back" ? 2u : 1u);
    if (!cancel) {
      const long answered = fake.findCall(save ? "runSavePanel" : "runOpenPanel", 1);
      EXPECT_GT(answered, fake.findCall("modal loop ended preview"));
    }
  }
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

// Back, or closing the preview window, opens the panel again and the next file's preview in a
// new window; saving from there saves the next file.
TEST_F(Preview, BackAndClosingTheWindowLeadToASecondPreview) {
  for (const bool byClosing : {false, true}) {
    SCOPED_TRACE(byClosing ? "closed" : "back");
    const std::size_t first = byClosing ? 2 : 0;  // the previews of the first round stay recorded
    const std::string target = dir.file(byClosing ? "closed.srt" : "back.srt");
    fake.openPanels.clear();
    fake.savePanels.clear();
    fake.user().chooseFile(input);
    if (byClosing)
      fake.user().closeWindow();
    else
      fake.user().press("back");
    fake.user().chooseFile(other).press("save_ok").chooseFile(target).dismissAlert();
    pressChoose();
    fake.runPostedWork();
    EXPECT_EQ(fake.openPanels.size(), 2u);
    ASSERT_NE(preview(first + 1), nullptr);
    EXPECT_FALSE(preview(first)->isVisible());
    ASSERT_NE(textOf(preview(first + 1)), nullptr);
    EXPECT_EQ(textOf(preview(first + 1))->text, srtOf(kOtherTitle));
    expectPreviewOpen(false);
    ASSERT_EQ(fake.savePanels.size(), 1u);
    EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, "Other.srt");
    EXPECT_EQ(readBytes(target), srtOf(kOtherTitle));
  }
}

// Only the preview's own window answers, once, as back; the answer opens the next preview, so the
// fields must be empty before it runs.
TEST_F(Preview, WindowWillCloseAnswersBackOnceForThePreviewWindowOnly) {
  auto stray = fake.makeWindow({0, 0, 10, 10}, 1);
  app.windowWillClose(stray.get());  // no preview open
  auto closing = fake.makeWindow({0, 0, 600, 400}, 1);
  auto next = fake.makeWindow({0, 0, 600, 400}, 1);
  app.previewWindow = closing;
  std::vector<bool> answers;
  app.previewCompletion = [&](bool save) {
    answers.push_back(save);
    EXPECT_EQ(app.previewWindow, nullptr);
    EXPECT_FALSE(app.previewCompletion);
    EXPECT_EQ(fake.countCalls("stopModal"), 1u);
    app.previewWindow = next;
    app.previewCompletion = [](bool) {};
  };
  for (platform::Window* other : {stray.get(), app.window.get(), (platform::Window*)nullptr}) {
    app.windowWillClose(other);
    EXPECT_EQ(app.previewWindow, closing);
  }
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(fake.countCalls("stopModal"), 0u);
  app.windowWillClose(closing.get());
  EXPECT_EQ(answers, std::vector<bool>{false});
  EXPECT_EQ(app.previewWindow, next);
  EXPECT_TRUE(app.previewCompletion);
  app.previewWindow.reset();
  app.previewCompletion = nullptr;
}

}  // namespace
}  // namespace caplift::testing
