#pragma once
// The base of every control a form holds: labels, pictures, edit boxes, memos
// and animations. A control lives on exactly one form (its owner), which keeps
// it and destroys it; coordinates are relative to the form's client area.
// Controls are painted in creation order, so later controls lie on top.
#include <functional>
#include <string>

#include "platform/bitmap.h"
#include "platform/keys.h"
#include "platform/text.h"

namespace tvz {

class Form;
class Canvas;

// Mouse pointer shapes (the screen-wide cursor and each control's own).
enum class Cursor { Default, None, Arrow, HandPoint, HourGlass };

enum class MouseButton { Left, Right, Middle };

class Control;
using NotifyHandler = std::function<void(Control& sender)>;
using MouseHandler = std::function<void(Control& sender, MouseButton button, ShiftState shift, int x, int y)>;
using KeyHandler = std::function<void(Control& sender, int& key, ShiftState shift)>;
using KeyPressHandler = std::function<void(Control& sender, char& key)>;

class Control {
 public:
  explicit Control(Form& owner);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& owner() const { return owner_; }

  // Position and size on the form.
  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width(); }
  int height() const { return bounds_.height(); }
  void setLeft(int left);
  void setTop(int top);
  void setWidth(int width);
  void setHeight(int height);
  void setBounds(int left, int top, int width, int height);
  Rect boundsRect() const { return bounds_; }

  bool visible() const { return visible_; }
  void setVisible(bool visible);
  void show() { setVisible(true); }
  void hide() { setVisible(false); }

  // A disabled control gets no mouse or key events.
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // The pointer shape while the pointer is over the control (Default: the
  // form's, that is the arrow). Label buttons use HandPoint.
  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor cursor);

  // Tooltip text, shown when the application's hints are on.
  const std::string& hint() const { return hint_; }
  void setHint(std::string hint);

  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  // Background colour (seen where the control is opaque). While parentColor()
  // is true (labels start so) it is the form's colour; setColor ends that.
  Color color() const;
  void setColor(Color color);
  bool parentColor() const { return parentColor_; }
  void setParentColor(bool parentColor);

  // Font. While parentFont() is true the control uses its form's font; any
  // font setter below gives the control its own copy, as on the desktop.
  const FontSpec& font() const;
  bool parentFont() const { return parentFont_; }
  void setParentFont(bool parentFont);
  void setFont(const FontSpec& font);
  void setFontColor(Color color);
  void setFontHeight(int height);
  void setFontBold(bool bold);
  void setFontName(const std::string& family);
  // The form calls this when its font changes.
  void parentFontChanged();

  // Keyboard focus: only edit boxes and memos take it.
  virtual bool canFocus() const { return false; }
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool tabStop) { tabStop_ = tabStop; }
  bool focused() const;
  void setFocus();

  // Asks for a redraw of the screen (setters call it themselves).
  void invalidate();

  // Event handlers. Mouse coordinates are relative to the control. A control
  // that got the mouse-down gets the matching mouse-up wherever the button is
  // released, and a click only when released over it.
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;
  NotifyHandler onClick;
  // Key handlers of a focused control run before its own editing; setting the
  // key (or character) to 0 swallows it.
  KeyHandler onKeyDown;
  KeyHandler onKeyUp;
  KeyPressHandler onKeyPress;

  // Draws the control; origin is the top-left of its form on the canvas.
  virtual void paint(Canvas& canvas, int originX, int originY) = 0;

  // Built-in behaviour, called by the form's input routing after the
  // handlers above. Public so the routing and tests can reach them.
  virtual void handleKeyDown(int& key, ShiftState shift);
  virtual void handleKeyPress(char& key);
  virtual void handleMouseDown(MouseButton button, int x, int y);
  virtual void handleMouseWheel(int steps);  // positive: away from the user

 protected:
  // Font or size changed: layouts cached by the control are out of date.
  virtual void layoutChanged() {}

 private:
  Form& owner_;
  Rect bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  Cursor cursor_ = Cursor::Default;
  std::string hint_;
  int tag_ = 0;
  Color color_ = rgb(192, 192, 192);
  bool parentColor_ = false;
  bool parentFont_ = true;
  FontSpec ownFont_;
  bool tabStop_ = true;
};

}  // namespace tvz
