#pragma once
// The static text control. Labels are also the game's buttons: they take mouse
// events, and a label with the hand cursor, centred text and a transparent
// background is a "label button".
#include <string>
#include <vector>

#include "platform/control.h"

namespace tvz {

enum class Alignment { Left, Center, Right };
enum class VerticalAlignment { Top, Center, Bottom };

class Label : public Control {
 public:
  explicit Label(Form& owner);
  Label(Form& owner, int left, int top, int width, int height, std::string caption = {});

  // 8-bit Windows-1252 text; CR LF, CR or LF start a new line.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);
  VerticalAlignment layout() const { return layout_; }
  void setLayout(VerticalAlignment layout);

  // Transparent: only the text is drawn. Opaque: the rectangle is filled with
  // color() first (the pressed look of a label button).
  bool transparent() const { return transparent_; }
  void setTransparent(bool transparent);

  // Word wrap breaks the caption at blanks to the label's width; the text is
  // always clipped to the label's rectangle.
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool wordWrap);

  // Auto size (off by default) fits the label to its caption.
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);

  // The caption as broken into lines for the current width and font.
  const std::vector<std::string>& lines() const;

  void paint(Canvas& canvas, int originX, int originY) override;

 protected:
  void layoutChanged() override;

 private:
  void fitToCaption();

  std::string caption_;
  Alignment alignment_ = Alignment::Left;
  VerticalAlignment layout_ = VerticalAlignment::Top;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool autoSize_ = false;
  mutable bool linesValid_ = false;
  mutable std::vector<std::string> lines_;
};

}  // namespace tvz
