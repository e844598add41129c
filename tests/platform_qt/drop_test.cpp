// Dropping files on a window, with synthesized drag events.
#include <gtest/gtest.h>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

using Paths = std::vector<std::string>;

class QtDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = platform().makeWindow({100, 100, 400, 200}, kTitled | kClosable);
    window_->setFileDropHandler(
        [this](const Paths& paths) {
          asked_.push_back(paths);
          return paths.size() == 1 && paths[0].ends_with(".fcpxml");
        },
        [this](const Paths& paths) { dropped_.push_back(paths); });
    window_->makeKeyAndOrderFront();
  }
  void TearDown() override { window_->orderOut(); }

  template <class Event>
  bool send(const QMimeData& data) {
    Event event(QPoint(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widgetOf(window_), &event);
    return event.isAccepted();
  }
  bool overlayShown() const {
    auto* overlay = widgetOf(window_)->findChild<QWidget*>("caplift_drop_overlay");
    return overlay && overlay->isVisible();
  }

  std::shared_ptr<Window> window_;
  std::vector<Paths> asked_;
  std::vector<Paths> dropped_;
};

std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(list);
  return data;
}

TEST_F(QtDropTest, AnAcceptedFileIsShownAndDeliveredAfterTheDropEvent) {
  const auto data = urls({QUrl::fromLocalFile("/tmp/Project 1.fcpxml")});
  EXPECT_TRUE(send<QDragEnterEvent>(*data));
  EXPECT_TRUE(overlayShown());
  QDragLeaveEvent leave;
  QCoreApplication::sendEvent(widgetOf(window_), &leave);
  EXPECT_FALSE(overlayShown()) << "leaving clears the highlight";

  EXPECT_TRUE(send<QDragEnterEvent>(*data));
  send<QDropEvent>(*data);
  EXPECT_FALSE(overlayShown());
  EXPECT_EQ(asked_, std::vector<Paths>(2, {"/tmp/Project 1.fcpxml"}));
  EXPECT_TRUE(dropped_.empty()) << "the handler must not run inside the drop event";
  ASSERT_TRUE(waitUntil([&] { return !dropped_.empty(); }));
  EXPECT_EQ(dropped_, std::vector<Paths>{{"/tmp/Project 1.fcpxml"}});
}

TEST_F(QtDropTest, ABundleFolderArrivesWithoutItsTrailingSlash) {
  send<QDragEnterEvent>(*urls({QUrl(QStringLiteral("file:///tmp/Scene.fcpxmld/"))}));
  EXPECT_EQ(asked_, std::vector<Paths>{{"/tmp/Scene.fcpxmld"}});
}

TEST_F(QtDropTest, RefusedDragsShowNothing) {
  QMimeData text;
  text.setText(QStringLiteral("/tmp/a.fcpxml"));
  const auto several = urls({QUrl::fromLocalFile("/tmp/a.fcpxml"), QUrl::fromLocalFile("/b.xml")});
  const auto remote = urls({QUrl(QStringLiteral("https://example.org/a.fcpxml"))});
  for (const QMimeData* data : {several.get(), remote.get(), &text}) {
    EXPECT_FALSE(send<QDragEnterEvent>(*data));
    EXPECT_FALSE(overlayShown());
  }
  // Only the local files were put to the handler; the others never reach it.
  EXPECT_EQ(asked_.size(), 1u);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dropped_.empty());
}

}  // namespace
}  // namespace caplift::platform::qt::testing
