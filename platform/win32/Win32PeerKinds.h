#pragma once
// The kinds of peer the factory makes (internal to the Win32 layer).
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/PointerTracking.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Window.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace dz::win32 {

// A window of the program's own class that paints its model through the
// canvas (double-buffered: no flicker when the colour flashes) and reports
// the mouse to it: the panel, the media player's bar, the form.
class SurfacePeer : public WinPeer, public Window {
 public:
  explicit SurfacePeer(TWinControl& control) : WinPeer(control) {}
  ~SurfacePeer() override;
  HWND Hwnd() const noexcept override { return Handle(); }

  // Creates the child window under the parent's peer.
  bool CreateChild();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Messages every surface handles; returns true when handled.
  bool HandleSurfaceMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  void Paint() noexcept;
  void Mouse(UINT msg, WPARAM wParam, LPARAM lParam);
  bool SetCursorFromModel() noexcept;
  PointerTracking pointer_;
  bool releasingCapture_ = false;
};

// The form: a top-level window; the first one made is the main form.
class FormPeer final : public SurfacePeer, public MainFormWindow {
 public:
  explicit FormPeer(TForm& form);
  ~FormPeer() override;

  TForm& Form() const noexcept { return form_; }
  HWND Handle() const noexcept override { return Window::Handle(); }
  bool PreviewChar(char& ch) override;
  void FocusNextControl(bool forward) override;
  void StartupIdle() override { form_.HandleStartupIdle(); }

  void Changed(PeerChange what) override;

  // The tooltip window of the form's controls; made when first wanted.
  HWND HintWindow(bool make) noexcept;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ApplyBounds() noexcept override;

 private:
  void ShowInState() noexcept;
  bool IsMainForm() const noexcept;
  void ReportWindowState(WPARAM sizeType);
  void ReportBounds();
  TForm& form_;
  OwnedWindow hint_;
  bool applyingState_ = false;
  bool reportingBounds_ = false;
};

// A standard control (BUTTON, EDIT, COMBOBOX), subclassed.
class NativePeer : public WinPeer {
 public:
  explicit NativePeer(TWinControl& control) : WinPeer(control) {}
  ~NativePeer() override;
  HWND Hwnd() const noexcept override { return window_.Get(); }

  bool Create(const char* cls, DWORD style, DWORD exStyle);

 protected:
  // Messages seen before the control's own procedure; true when handled.
  virtual bool Subclassed(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The control's own procedure.
  LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  std::string WindowText() const;
  void SetWindowTextQuietly(const std::string& text) noexcept;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  OwnedWindow window_;
  WNDPROC original_ = nullptr;
};

// A push button. An owner-drawn one also reports the pointer's coming and
// going (its face shows the pointer over it) and its presses to the model.
class ButtonPeer final : public NativePeer {
 public:
  explicit ButtonPeer(TButton& button);
  bool OnCommand(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) noexcept override;

 protected:
  bool Subclassed(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool OwnerDrawnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT Press(UINT msg, WPARAM wParam, LPARAM lParam);
  TButton& button_;
  PointerTracking pointer_;
};

class CheckBoxPeer final : public NativePeer {
 public:
  explicit CheckBoxPeer(TCheckBox& box);
  void Changed(PeerChange what) override;
  bool OnCommand(WORD code) override;

 private:
  TCheckBox& box_;
};

class EditPeer final : public NativePeer {
 public:
  explicit EditPeer(TEdit& edit);
  void Changed(PeerChange what) override;
  bool OnCommand(WORD code) override;

 private:
  TEdit& edit_;
};

class ComboBoxPeer final : public NativePeer {
 public:
  explicit ComboBoxPeer(TComboBox& combo);
  void Changed(PeerChange what) override;
  bool OnCommand(WORD code) override;

 protected:
  void ApplyBounds() noexcept override;

 private:
  void FillItems() noexcept;
  void ApplySelection();
  TComboBox& combo_;
};

}  // namespace dz::win32
