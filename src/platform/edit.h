#pragma once
// The one-line text box (the contestant's name entry). Typed characters pass
// the form's key-press handler (key preview) and the box's own onKeyPress
// first; either may set the character to 0 to drop it.
#include <string>

#include "platform/control.h"
#include "platform/label.h"

namespace tvz {

class Edit : public Control {
 public:
  explicit Edit(Form& owner);
  Edit(Form& owner, int left, int top, int width, int height);

  const std::string& text() const { return text_; }  // Windows-1252
  void setText(std::string text);                    // cut to maxLength

  // 0: no limit.
  int maxLength() const { return maxLength_; }
  void setMaxLength(int maxLength);

  // Caret position (0..length) and selection.
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void setSelStart(int position);
  void setSelLength(int length);
  void selectAll();

  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);

  // Drawn without a frame when false (the flat, borderless look).
  bool border() const { return border_; }
  void setBorder(bool border);

  // Called after every change of the text.
  NotifyHandler onChange;

  bool canFocus() const override { return enabled() && visible(); }
  void paint(Canvas& canvas, int originX, int originY) override;
  void handleKeyDown(int& key, ShiftState shift) override;
  void handleKeyPress(char& key) override;
  void handleMouseDown(MouseButton button, int x, int y) override;

 private:
  void replaceSelection(const std::string& insert);
  void moveCaret(int position);
  void changedText();

  std::string text_;
  int maxLength_ = 0;
  int selStart_ = 0;
  int selLength_ = 0;
  bool readOnly_ = false;
  Alignment alignment_ = Alignment::Left;
  bool border_ = false;
};

}  // namespace tvz
