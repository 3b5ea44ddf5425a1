#pragma once
// The multi-line text box, used read-only for the help text and the champions
// list: arrow, page, Home/End keys and the mouse wheel scroll it.
#include <string>
#include <vector>

#include "platform/control.h"

namespace tvz {

class Memo : public Control {
 public:
  explicit Memo(Form& owner);
  Memo(Form& owner, int left, int top, int width, int height);

  // The text's lines (Windows-1252). After changing them through editLines()
  // call linesChanged().
  const std::vector<std::string>& lines() const { return lines_; }
  void setLines(std::vector<std::string> lines);
  void setText(const std::string& text);  // split at CR LF, CR or LF
  void addLine(std::string line);
  void clear();
  std::vector<std::string>& editLines() { return lines_; }
  void linesChanged();

  // Long lines wrap at the memo's width when on (the default) and are cut off
  // when off.
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool wordWrap);

  bool border() const { return border_; }
  void setBorder(bool border);

  // Display lines: the lines after wrapping. The caret sits on one display
  // line and the view follows it, as in a read-only desktop memo.
  int displayLineCount() const;
  const std::string& displayLine(int index) const;
  int topLine() const { return topLine_; }
  int caretLine() const { return caretLine_; }
  int visibleLineCount() const;  // whole lines that fit the height
  void setCaretLine(int line);
  void scrollTo(int topLine);

  bool canFocus() const override { return enabled() && visible(); }
  void paint(Canvas& canvas, int originX, int originY) override;
  void handleKeyDown(int& key, ShiftState shift) override;
  void handleMouseDown(MouseButton button, int x, int y) override;
  void handleMouseWheel(int steps) override;

 protected:
  void layoutChanged() override;

 private:
  void rebuild() const;
  int lastTopLine() const;

  std::vector<std::string> lines_;
  bool wordWrap_ = true;
  bool border_ = false;
  int topLine_ = 0;
  int caretLine_ = 0;
  mutable bool displayValid_ = false;
  mutable std::vector<std::string> display_;
};

}  // namespace tvz
