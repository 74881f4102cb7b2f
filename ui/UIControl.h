#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/UIEvent.h"
#include "ui/UIGeometry.h"
#include "ui/UIMsg.h"
#include "ui/UIRefObj.h"

namespace vr {

class IUIContainer;
class UIGraphics;
class UILayout;
class UIRender;

// The base of every control: a lightweight node of a window's retained tree,
// without a native window of its own. rc is kept in the parent's coordinates;
// the control's own space has its top-left corner at (0,0).
class UIControl : public UIRefObj {
 public:
  using EventCallback = void (*)(void* object, const UIEvent& event);

  // State bits (effective values, including ancestors for hidden/disabled).
  static constexpr uint32_t kStateHover = 1u << 0;
  static constexpr uint32_t kStatePressed = 1u << 1;
  static constexpr uint32_t kStateHidden = 1u << 3;
  static constexpr uint32_t kStateDisabled = 1u << 4;

  // Flags A.
  static constexpr uint8_t kFlagSelect = 1u << 0;
  static constexpr uint8_t kFlagPosParent = 1u << 1;
  static constexpr uint8_t kFlagVisible = 1u << 2;
  static constexpr uint8_t kFlagEnable = 1u << 3;
  static constexpr uint8_t kFlagHit = 1u << 4;
  static constexpr uint8_t kFlagFloat = 1u << 6;
  static constexpr uint8_t kFlagTearingDown = 1u << 7;
  // Flags B.
  static constexpr uint8_t kFlagAdj = 1u << 0;
  static constexpr uint8_t kFlagContainer = 1u << 1;
  static constexpr uint8_t kFlagNeedsLayout = 1u << 2;
  static constexpr uint8_t kFlagWidthParent = 1u << 3;
  static constexpr uint8_t kFlagHeightParent = 1u << 4;
  static constexpr uint8_t kFlagFocusable = 1u << 5;
  static constexpr uint8_t kFlagTrack = 1u << 7;

  // GetRelative kinds.
  static constexpr int kFirstChild = 0;
  static constexpr int kLastChild = 1;
  static constexpr int kPrevSibling = 2;
  static constexpr int kNextSibling = 3;
  static constexpr int kParent = 4;

  UIControl();

  // --- Virtual operations --------------------------------------------------
  virtual bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result);
  virtual intptr_t OnCreate(intptr_t param);
  virtual bool DefHandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result);
  virtual void OnStateChanged(uint32_t oldState, uint32_t newState);
  virtual bool NeedsHoverRedraw() const;
  virtual void OnRButtonUp(int x, int y);
  virtual bool IsTrack() const;
  virtual const char* ClassName() const;
  virtual bool SetAttribute(const std::string& name, const std::string& value);
  virtual void Paint(UIGraphics& g);
  virtual void ClipRegion(UIGraphics& g);
  virtual void GetDesiredSize(UISize* size);
  virtual void DispatchMsg(UIMsg* msg);
  virtual void GetPadding(UIRect* padding) const;
  virtual void ClientRect(UIRect* rect) const;
  virtual void Relayout();
  virtual void Invalidate(const UIRect* rect);
  virtual bool OnChildEvent(const UIEvent& event);
  virtual void NativeSync();
  virtual void OnPosChanged();
  virtual void GetTips(std::string* tips) const;
  virtual int GetDlgCode() const;
  virtual bool IsArrowGroup() const;
  virtual bool IsFocusable() const;
  virtual UIControl* GetFocusTarget();
  virtual bool PtInControl(UIPoint windowPoint) const;
  virtual bool OnSetCursor(int x, int y);
  virtual UIControl* HitTest(int x, int y);

  // --- Tree ----------------------------------------------------------------
  void AddChild(UIControl* child);  // takes over the caller's reference
  void SetHost(IUIContainer* host);
  void RemoveAllChildren();
  void RemoveSelf();
  void SendToBack();
  UIControl* GetRelative(int kind) const;
  int IndexInParent() const;
  UIControl* FindById(const std::string& id);
  UIControl* Parent() const { return parent_; }
  const std::vector<UIControl*>& Children() const { return children_; }
  IUIContainer* Host() const { return host_; }

  // --- Geometry ------------------------------------------------------------
  const UIRect& Rect() const { return rc_; }
  int Width() const { return rc_.Width(); }
  int Height() const { return rc_.Height(); }
  void WindowRect(UIRect* rect) const;
  void ScreenOrigin(UIPoint* point) const;
  void SetPos(int x, int y, int w, int h);
  void SetPosDirect(int x, int y, int w, int h);

  // --- Attributes, text, state ---------------------------------------------
  std::string GetAttribute(const std::string& name) const;
  const std::map<std::string, std::string>& Attributes() const { return attributes_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void SetHighlightText(const std::string& text, const std::string& fontSpec,
                        const std::string& colour);
  const std::string& Id() const { return id_; }
  const std::string& Tips() const { return tips_; }
  int Serial() const { return serial_; }
  uint32_t State() const { return state_; }
  uint8_t FlagsA() const { return flagsA_; }
  uint8_t FlagsB() const { return flagsB_; }
  bool IsVisibleSelf() const { return (flagsA_ & kFlagVisible) != 0; }
  bool IsEnabledSelf() const { return (flagsA_ & kFlagEnable) != 0; }
  bool IsHidden() const { return (state_ & kStateHidden) != 0; }
  bool IsDisabled() const { return (state_ & kStateDisabled) != 0; }
  bool IsSelected() const { return (flagsA_ & kFlagSelect) != 0; }
  int Cursor() const { return cursor_; }
  int RgnRadius() const { return rgnRadius_; }
  const UIRect& Padding() const { return padding_; }
  UILayout* Layout() const { return layout_; }
  UIRender* Back() const { return back_; }
  void SetVisible(bool show, bool notify);
  void RequestFocus();
  void SetReceivesChildEvents(bool on) { receivesChildEvents_ = on; }
  bool ReceivesChildEvents() const { return receivesChildEvents_; }
  void* UserData() const { return userData_; }
  void SetUserData(void* data) { userData_ = data; }

  // --- Messages, events, timers --------------------------------------------
  intptr_t SendMsg(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled = nullptr);
  const UIMsg* CurrentMsg() const { return currentMsg_; }
  void SetHandled(bool handled) { handled_ = handled; }
  bool Handled() const { return handled_; }
  int FireEvent(const std::string& name, int value1 = 0, int value2 = 0);
  void AddListener(void* object, EventCallback callback);
  // index 0..127; the host timer id is ((index | 0x80) << 24) | (serial & 0xFFFFFF).
  void SetControlTimer(int index, uint32_t milliseconds);
  void KillControlTimer(int index);
  static uint32_t ControlTimerId(int index, int serial);

 protected:
  ~UIControl() override;

  void SetFlagA(uint8_t bit, bool on);
  void SetFlagB(uint8_t bit, bool on);
  void SetStateBits(uint32_t newState);  // runs OnStateChanged on a change
  void SetBack(UIRender* render);        // takes over the reference
  void SetLayout(UILayout* layout);      // takes over the reference

 private:
  void HandleShow(bool show, bool fromAncestor);
  void HandleEnable(bool enable, bool fromAncestor);
  void HandleHover(bool entering);
  void ApplyCss(const std::string& cssName);
  void ApplyParentExtent(bool width);

  bool handled_ = false;
  int serial_ = 0;
  UIRect rc_;
  UIRect padding_;
  std::string text_;
  std::string tips_;
  UIControl* parent_ = nullptr;
  UILayout* layout_ = nullptr;
  UIRender* back_ = nullptr;
  IUIContainer* host_ = nullptr;
  UIMsg* currentMsg_ = nullptr;
  void* userData_ = nullptr;
  int rgnRadius_ = 0;
  std::map<std::string, std::string> attributes_;
  uint32_t state_ = 0;
  uint8_t flagsA_ = kFlagVisible | kFlagEnable | kFlagHit;
  uint8_t flagsB_ = kFlagNeedsLayout;
  bool receivesChildEvents_ = false;
  uint8_t cssDepth_ = 0;  // nesting of css entries being applied; bounds self-reference
  int cursor_ = 32512;
  std::string id_;
  std::vector<UIControl*> children_;
  std::vector<std::pair<void*, EventCallback>> listeners_;
};

}  // namespace vr
