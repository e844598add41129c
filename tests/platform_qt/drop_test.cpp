// Dropping files on a window, with synthesized drag events.
#include <gtest/gtest.h>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/qt/qt_window.h"
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
    widget_ = qtWindowOf(window_.get())->widget();
  }
  void TearDown() override { window_->orderOut(); }

  bool enter(const QMimeData& data) {
    QDragEnterEvent event(QPoint(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget_, &event);
    return event.isAccepted();
  }
  void drop(const QMimeData& data) {
    QDropEvent event(QPointF(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget_, &event);
  }
  bool overlayShown() const {
    auto* overlay = widget_->findChild<QWidget*>("caplift_drop_overlay");
    return overlay && overlay->isVisible();
  }

  std::shared_ptr<Window> window_;
  QWidget* widget_ = nullptr;
  std::vector<Paths> asked_;
  std::vector<Paths> dropped_;
};

TEST_F(QtDropTest, AnAcceptedFileIsShownAndDeliveredAfterTheDropEvent) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/Project 1.fcpxml")});
  EXPECT_TRUE(enter(data));
  EXPECT_TRUE(overlayShown());
  EXPECT_EQ(asked_, std::vector<Paths>{{"/tmp/Project 1.fcpxml"}});
  drop(data);
  EXPECT_FALSE(overlayShown());
  EXPECT_TRUE(dropped_.empty()) << "the handler must not run inside the drop event";
  ASSERT_TRUE(waitUntil([&] { return !dropped_.empty(); }));
  EXPECT_EQ(dropped_, std::vector<Paths>{{"/tmp/Project 1.fcpxml"}});
}

TEST_F(QtDropTest, ABundleFolderArrivesWithoutItsTrailingSlash) {
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("file:///tmp/Scene.fcpxmld/"))});
  enter(data);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0], Paths{"/tmp/Scene.fcpxmld"});
}

TEST_F(QtDropTest, RefusedDragsShowNothing) {
  QMimeData several;
  several.setUrls({QUrl::fromLocalFile("/tmp/a.fcpxml"), QUrl::fromLocalFile("/tmp/b.fcpxml")});
  QMimeData remote;
  remote.setUrls({QUrl(QStringLiteral("https://example.org/a.fcpxml"))});
  QMimeData text;
  text.setText(QStringLiteral("/tmp/a.fcpxml"));
  for (const QMimeData* data : {&several, &remote, &text}) {
    EXPECT_FALSE(enter(*data));
    EXPECT_FALSE(overlayShown());
  }
  // Only the local files were put to the handler; the others never reach it.
  EXPECT_EQ(asked_.size(), 1u);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dropped_.empty());
}

TEST_F(QtDropTest, LeavingClearsTheHighlight) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/x.fcpxml")});
  ASSERT_TRUE(enter(data));
  QDragLeaveEvent leave;
  QCoreApplication::sendEvent(widget_, &leave);
  EXPECT_FALSE(overlayShown());
}

}  // namespace
}  // namespace caplift::platform::qt::testing
