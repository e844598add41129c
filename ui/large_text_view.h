#pragma once

#include <compare>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QString>

class QTextLayout;

namespace caplift {

// Read-only plain text that stays fast at any size: it keeps the UTF-8 text and an index of line
// starts, and lays out only the lines on screen. QPlainTextEdit builds a block per line up front,
// which takes seconds for a 20 MB subtitle file. Long lines wrap at the view's width; the view
// scrolls by whole lines, and the user selects with mouse or keyboard and copies.
class LargeTextView final : public QAbstractScrollArea {
 public:
  struct Position {
    std::size_t line = 0;
    int column = 0;  // in UTF-16 units of the line
    friend auto operator<=>(const Position&, const Position&) = default;
  };

  explicit LargeTextView(QWidget* parent = nullptr);

  // Shown as it is; shared, so that a large text is held once.
  void setText(std::shared_ptr<const std::string> utf8);
  // Shown, greyed, while the text is empty; never part of the text.
  void setPlaceholderText(const QString& placeholder);
  const QString& placeholderText() const { return placeholder_; }
  const std::string& text() const { return *text_; }
  std::size_t lineCount() const { return lineStarts_.size(); }
  QString lineText(std::size_t line) const;

  bool hasSelection() const { return anchor_ != cursor_; }
  QString selectedText() const;
  void select(Position from, Position to);
  void selectAll();
  void copy() const;
  // The text position under a point of the viewport.
  Position positionAt(const QPoint& point) const;
  int lineHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void indexLines();
  void updateScrollBars();
  // Lays out one line, wrapped; returns its height.
  double layOut(QTextLayout& layout) const;
  Position endOfText() const;

  std::shared_ptr<const std::string> text_ = std::make_shared<const std::string>();
  std::vector<std::size_t> lineStarts_;  // byte offset of every line
  QString placeholder_;
  Position anchor_;
  Position cursor_;
  bool selecting_ = false;
};

}  // namespace caplift
