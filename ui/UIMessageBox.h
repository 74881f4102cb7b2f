#pragma once
#include <string>
#include <vector>

#include "ui/UIHostWnd.h"

namespace vr {

class UIButton;

// The framework's modal message box: title, an optional icon, a message and
// a row of buttons. The result is the 1-based position of the pressed
// button, -1 for the close button (or when the window closed otherwise).
class UIMessageBox : public UIHostWnd {
 public:
  UIMessageBox(WindowSystem& system, std::string title, std::string text, std::string iconPath,
               std::vector<std::string> captions);

  // The window size for the message, icon and captions (pixels).
  UISize ComputeSize() const;
  const char* ClassName() const override { return "UIMessageBox"; }
  int OnNotify(const UIEvent& event) override;
  void OnCreated() override;
  const std::vector<UIButton*>& Buttons() const { return buttons_; }

 protected:
  ~UIMessageBox() override = default;

 private:
  std::string title_;
  std::string text_;
  std::string iconPath_;
  std::vector<std::string> captions_;
  std::vector<UIButton*> buttons_;  // owned by the tree
  UIControl* close_ = nullptr;
};

// Shows a message box over `parent` (may be null) and returns its result.
int ShowMessageBox(UIWindowImp* parent, const std::string& title, const std::string& text,
                   const std::string& iconPath, const std::vector<std::string>& captions);

// The application's message boxes, titled "Vesko日历"; `captions` are
// separated by "|" (for example "取消|删除"). Plain, warning and question.
int MsgBox(UIWindowImp* parent, const std::string& text, const std::string& captions);
int MsgBoxWarn(UIWindowImp* parent, const std::string& text, const std::string& captions);
int MsgBoxQuest(UIWindowImp* parent, const std::string& text, const std::string& captions);

// "a|b||c" -> {"a", "b", "", "c"}; an empty text gives no captions.
std::vector<std::string> SplitCaptions(const std::string& captions);

}  // namespace vr
