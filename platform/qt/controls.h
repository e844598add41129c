#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QImage>

#include "platform/qt/view_node.h"

class QLabel;
class QPushButton;

namespace caplift::platform::qt {

class QtButton final : public QtViewOf<Button> {
 public:
  QtButton(const std::string& title, std::function<void()> action);
  void setTitle(const std::string& title) override;
  std::string title() const override { return title_; }
  void setBezelStyle(BezelStyle style) override { bezelStyle_ = style; }
  QPushButton* pushButton() const;

 private:
  std::string title_;
  BezelStyle bezelStyle_ = BezelStyle::kDefault;  // Qt draws one push-button style only
};

// A one-line QLabel. It shows plain text, or a link that opens in the default browser.
class QtTextField final : public QtViewOf<TextField> {
 public:
  // A static label, or (`isLabel` false) a field with the bezel and background of an input.
  QtTextField(const std::string& text, bool isLabel);
  void setStringValue(const std::string& utf8) override;
  std::string stringValue() const override { return text_; }
  void setLinkValue(const std::string& text, const std::string& url) override;
  void setAlignment(TextAlignment alignment) override;
  void setFont(const Font& font) override;
  void setEditable(bool editable) override;
  void setSelectable(bool selectable) override;
  void setBezeled(bool bezeled) override;
  void setDrawsBackground(bool draws) override;
  // Qt labels keep their formatting whatever the user does; nothing to switch.
  void setAllowsEditingTextAttributes(bool) override {}
  QLabel* label() const;

 private:
  void applyInteraction();

  std::string text_;
  bool isLink_ = false;
  bool editable_ = false;
  bool selectable_ = false;
};

class QtImage final : public Image {
 public:
  explicit QtImage(QImage image) : image_(std::move(image)) {}
  const QImage& image() const { return image_; }

 private:
  QImage image_;
};

class QtImageView final : public QtViewOf<ImageView> {
 public:
  explicit QtImageView(const Rect& frame);
  void setImage(std::shared_ptr<Image> image) override;
  void setImageScaling(ImageScaling scaling) override;
};

// Loads an image file; null when the file is missing or not a readable image.
std::shared_ptr<Image> loadQtImage(const std::string& path);

}  // namespace caplift::platform::qt
