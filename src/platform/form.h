#pragma once
// Forms: the screens of the game. A form is a rectangle of the one window,
// stacked with the other forms (stay-on-top forms above ordinary ones), with
// controls painted in creation order. Screens derive from Form and override
// the handlers they need, named as on the desktop.
//
// How a screen is written:
//
//   class TTopMenu : public tvz::Form {
//    public:
//     tvz::Picture* BkgndImg = add<tvz::Picture>(0, 0, 800, 600);
//     tvz::Label* QuitBtn = add<tvz::Label>(300, 360, 200, 36, "Quit");
//     bool QuitPressed = false;
//
//     TTopMenu() {
//       fillScreen();                      // full-screen form at 0,0 800x600
//       setStayOnTop(true);
//       setKeyPreview(true);
//       setFont({"Times New Roman", 32});
//       QuitBtn->setAlignment(tvz::Alignment::Center);
//       QuitBtn->setLayout(tvz::VerticalAlignment::Center);
//       QuitBtn->setTransparent(true);
//       QuitBtn->setCursor(tvz::Cursor::HandPoint);
//       QuitBtn->onClick = [this](tvz::Control&) { QuitPressed = true; };
//     }
//     void FormShow() override { QuitPressed = false; }
//     void FormKeyDown(int& key, tvz::ShiftState shift) override {
//       if (key == tvz::vk::F4 && shift.alt) key = 0;  // Alt+F4 never closes
//     }
//     void FormKeyUp(int& key, tvz::ShiftState) override {
//       if (key == 'Q') QuitPressed = true;
//     }
//     void FormClose(tvz::CloseAction& action) override { action = tvz::CloseAction::Free; }
//   };
//   TTopMenu* TopMenu = nullptr;
//
//   // Creating it: FormCreate runs once construction is complete; with a slot
//   // given, the slot is set now and goes back to null when the form is
//   // released (deferred, after the current event) or destroyed.
//   if (!tvz::createForm(&TopMenu)) report "Insufficent memory ..."
//   TopMenu->Show();
//   ...
//   TopMenu->Close();   // FormClose: Free -> released after this event, TopMenu = nullptr
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/application.h"
#include "platform/control.h"
#include "platform/timer.h"

namespace tvz {

class Canvas;

// What Close() does, chosen by FormClose: nothing, hide, or release.
enum class CloseAction { None, Hide, Free };

class Form {
 public:
  Form();  // a 800x600 form at 0,0, hidden, black, Times New Roman 24 silver
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // --- Controls and timers owned by the form ---
  // Creates a control of type T on this form: add<Label>(left, top, w, h, "caption").
  template <class T, class... Args>
  T* add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = control.get();
    controls_.push_back(std::move(control));
    return raw;
  }
  // A timer that lives as long as the form.
  Timer* addTimer(std::uint32_t intervalMs, std::function<void(Timer&)> onTimer, bool enabled = true);
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // --- Position and look ---
  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width(); }
  int height() const { return bounds_.height(); }
  Rect boundsRect() const { return bounds_; }
  void setBounds(int left, int top, int width, int height);
  // Full-screen forms: top-left corner, the screen's size.
  void fillScreen();
  // Dialog-like forms: designed size, centred on the screen.
  void setClientSize(int width, int height);
  void centerOnScreen();

  Color color() const { return color_; }
  void setColor(Color color);
  const FontSpec& font() const { return font_; }
  void setFont(const FontSpec& font);
  void setFontColor(Color color);
  void setFontHeight(int height);

  const std::string& caption() const { return caption_; }  // never drawn
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  const std::string& hint() const { return hint_; }
  void setHint(std::string hint);
  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor cursor);

  bool stayOnTop() const { return stayOnTop_; }
  void setStayOnTop(bool stayOnTop);
  // Key preview: the form's key handlers see every key before the focused
  // control and may swallow it by setting it to 0.
  bool keyPreview() const { return keyPreview_; }
  void setKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

  // --- Showing and closing ---
  bool visible() const { return visible_; }
  void setVisible(bool visible) { visible ? Show() : Hide(); }
  // Shows the form above the others of its kind and makes it the active form
  // (FormShow, then FormActivate).
  void Show();
  void Hide();
  // Shows the form and runs a nested loop until it is hidden or closed; the
  // timers keep ticking meanwhile and no other form gets input.
  int ShowModal();
  bool modal() const { return modal_; }
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }
  // Runs FormClose (default action Hide), then hides or releases the form.
  // Closing the main form ends the program.
  void Close();
  // Destroys the form once the current event has been handled.
  void Release();
  bool releasing() const { return releasing_; }
  void BringToFront();
  bool active() const;

  // --- Focus ---
  Control* focusedControl() const { return focused_; }
  void SetFocus(Control* control);  // nullptr: the form itself

  // --- Handlers, named as the screens write them ---
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormHide() {}
  virtual void FormActivate() {}
  virtual void FormClose(CloseAction& /*action*/) {}
  virtual void FormDestroy() {}
  virtual void FormKeyDown(int& /*key*/, ShiftState /*shift*/) {}
  virtual void FormKeyUp(int& /*key*/, ShiftState /*shift*/) {}
  virtual void FormKeyPress(char& /*key*/) {}
  // Mouse on the form's empty area; coordinates relative to the form.
  virtual void FormMouseDown(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
  virtual void FormMouseUp(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
  virtual void FormClick() {}

  // --- Used by the application ---
  // The slot cleared when the form is destroyed (see createForm).
  void setRegistrySlot(std::function<void()> clearSlot) { clearSlot_ = std::move(clearSlot); }
  void paint(Canvas& canvas);
  // Top-most visible, enabled control under a point relative to the form.
  Control* controlAt(int x, int y) const;
  void routeKeyDown(int& key, ShiftState shift);
  void routeKeyUp(int& key, ShiftState shift);
  void routeKeyPress(char& key);
  void controlDestroyed(Control* control);
  // Runs FormDestroy and clears the registry slot (once).
  void prepareDestruction();

 private:
  void focusFirstControl();

  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Timer>> timers_;
  Rect bounds_{0, 0, kScreenWidth, kScreenHeight};
  Color color_ = rgb(0, 0, 0);
  FontSpec font_;
  std::string caption_;
  std::string hint_;
  Cursor cursor_ = Cursor::Default;
  bool stayOnTop_ = false;
  bool keyPreview_ = false;
  bool visible_ = false;
  bool modal_ = false;
  int modalResult_ = 0;
  bool releasing_ = false;
  bool destroyed_ = false;
  bool shownOnce_ = false;
  Control* focused_ = nullptr;
  std::function<void()> clearSlot_;
};

// Creates a form, sets *slot (if given) and runs FormCreate. The slot returns
// to null when the form is destroyed. Returns nullptr (slot untouched) when
// construction or FormCreate fails for lack of memory or resources.
template <class T, class... Args>
T* createForm(T** slot = nullptr, Args&&... args) {
  T* form = nullptr;
  try {
    form = new T(std::forward<Args>(args)...);
  } catch (const std::exception&) {
    return nullptr;
  }
  if (slot) {
    *slot = form;
    form->setRegistrySlot([slot, form] {
      if (*slot == form) *slot = nullptr;
    });
  }
  try {
    form->FormCreate();
  } catch (const std::exception&) {
    if (slot && *slot == form) *slot = nullptr;
    form->setRegistrySlot(nullptr);
    delete form;
    return nullptr;
  }
  return form;
}

// Destroys a form at once (FormDestroy runs, its slot goes back to null).
void destroyForm(Form* form);

}  // namespace tvz
