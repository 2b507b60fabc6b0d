#include "ui/progress_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/wide.h"
#include "ui/paint.h"

namespace {

constexpr int kIconResource = 101;
constexpr int kDirCapacity = 260;
constexpr int kClassNameCapacity = 64;
constexpr COLORREF kEditText = RGB(235, 238, 248);
constexpr COLORREF kEditBackground = RGB(32, 36, 52);
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_FLAT | BS_OWNERDRAW;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr const wchar_t* kBrowseCaption = L"浏览...";

// A property whose presence marks a window; its value only has to be non-null.
const HANDLE kTagPresent = reinterpret_cast<HANDLE>(1);

HWND create_child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, Rect r, int id,
                  HINSTANCE instance) {
  return CreateWindowExW(0, cls, text, style, r.x, r.y, r.width, r.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

ProgressWindow::ProgressWindow() : model_(std::make_shared<WindowModel>()) {}

ProgressWindow::~ProgressWindow() {
  model_->detach();
}

void ProgressWindow::SetInstallDir(const std::wstring& dir) {
  install_dir_ = dir;
  if (window_ != nullptr) SetWindowTextW(GetDlgItem(window_, kDirEditId), install_dir_.c_str());
}

std::wstring ProgressWindow::GetInstallDir() const {
  if (window_ == nullptr) return install_dir_;
  wchar_t buffer[kDirCapacity] = {};
  GetWindowTextW(GetDlgItem(window_, kDirEditId), buffer, kDirCapacity);
  return buffer;
}

void ProgressWindow::Close() {
  if (window_ != nullptr) {
    model_->detach();  // setters from now on only store
    DestroyWindow(window_);
    window_ = nullptr;
  }
  PostQuitMessage(0);
}

void ProgressWindow::Run(HINSTANCE instance) {
  instance_ = instance;
  HICON icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ProgressWindow::StaticProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClassName;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  RegisterClassExW(&wc);

  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  edit_font_.reset(CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
  edit_brush_.reset(CreateSolidBrush(kEditBackground));

  HWND window =
      CreateWindowExW(kWindowExStyle, kWindowClassName, kWindowTitle, kWindowStyle,
                      (screen_width - kWindowWidth) / 2, (screen_height - kWindowHeight) / 2,
                      kWindowWidth, kWindowHeight, nullptr, nullptr, instance, this);
  if (window == nullptr) return;  // nothing would ever end the loop
  window_ = window;
  if (!instance_tag_.empty()) SetPropW(window, instance_tag_.c_str(), kTagPresent);
  if (icon != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const bool ours = window_ != nullptr && (msg.hwnd == window_ || IsChild(window_, msg.hwnd));
    if (ours && msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
      // No control is a tab stop, so walk the children ourselves (Shift+Tab too, forward).
      if (HWND next = GetNextDlgTabItem(window_, GetFocus(), FALSE)) SetFocus(next);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK ProgressWindow::StaticProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  ProgressWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<ProgressWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(window, message, wparam, lparam);
}

void ProgressWindow::CreateControls(HWND window) {
  HWND edit = create_child(window, L"EDIT", install_dir_.c_str(), kEditStyle, kDirEditRect,
                           kDirEditId, instance_);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(edit_font_.get()), FALSE);
  HWND browse = create_child(window, L"BUTTON", kBrowseCaption, kButtonStyle, kBrowseButtonRect,
                             kBrowseButtonId, instance_);
  HWND main = create_child(window, L"BUTTON", L"开始安装", kButtonStyle, kMainButtonRect,
                           kMainButtonId, instance_);
  // A visible button covers its whole hover rectangle, so the window itself never sees the mouse
  // there: the buttons pass their mouse moves on, or their hover colours could never show.
  for (HWND button : {browse, main}) {
    if (button != nullptr) {
      SetWindowSubclass(button, &ProgressWindow::ButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
  }
}

LRESULT CALLBACK ProgressWindow::ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR, DWORD_PTR self_value) {
  auto* self = reinterpret_cast<ProgressWindow*>(self_value);
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      MapWindowPoints(button, GetParent(button), &point, 1);
      self->OnMouseMove(point.x, point.y, button);
      break;
    }
    case WM_MOUSELEAVE: self->OnMouseLeave(button); break;
    case WM_NCDESTROY: RemoveWindowSubclass(button, &ProgressWindow::ButtonProc, 0); break;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

void ProgressWindow::Repaint() {
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

namespace {

// The buttons draw themselves; a hover change must reach them as well as the window.
void RepaintWithButtons(HWND window) {
  if (window == nullptr) return;
  InvalidateRect(window, nullptr, FALSE);
  InvalidateRect(GetDlgItem(window, kMainButtonId), nullptr, FALSE);
  InvalidateRect(GetDlgItem(window, kBrowseButtonId), nullptr, FALSE);
}

}  // namespace

void ProgressWindow::ApplyStateToControls() {
  const WindowState state = model_->snapshot().state;
  if (const auto caption = main_caption(state)) {
    const int dir_show = state == WindowState::Ready ? SW_SHOW : SW_HIDE;
    ShowWindow(GetDlgItem(window_, kDirEditId), dir_show);
    ShowWindow(GetDlgItem(window_, kBrowseButtonId), dir_show);
    HWND main = GetDlgItem(window_, kMainButtonId);
    SetWindowTextW(main, to_wide(*caption).c_str());
    ShowWindow(main, SW_SHOW);
    EnableWindow(main, TRUE);
  }
  Repaint();
}

void ProgressWindow::OnCommand(int id) {
  const Action* action = nullptr;
  if (id == kMainButtonId) {
    switch (model_->snapshot().state) {
      case WindowState::Ready: action = &onStart; break;
      case WindowState::Working: action = &onCancel; break;
      case WindowState::Finished: action = &onLaunch; break;
      case WindowState::Failed: action = &onRetry; break;
      case WindowState::UpdateAvailable: action = &onUpdateNow; break;
    }
  } else if (id == kBrowseButtonId) {
    action = &onBrowse;
  }
  if (action != nullptr && *action) (*action)();
}

void ProgressWindow::OnMouseMove(int32_t x, int32_t y, HWND tracked) {
  const int32_t id = hover_target(x, y, model_->snapshot().state);
  if (model_->set_hover(id)) RepaintWithButtons(window_);
  // The window tracks its own leave once; a button asks on every move (cheap, and it has no
  // flag of its own).
  if (tracked != window_ || !tracking_leave_) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = tracked;
    track.dwHoverTime = HOVER_DEFAULT;
    if (TrackMouseEvent(&track) && tracked == window_) tracking_leave_ = true;
  }
  const wchar_t* cursor = id == kDirEditId ? IDC_IBEAM : id > 0 ? IDC_HAND : IDC_ARROW;
  SetCursor(LoadCursorW(nullptr, cursor));
}

void ProgressWindow::OnMouseLeave(HWND tracked) {
  if (tracked == window_) tracking_leave_ = false;
  // Leaving the window for one of its buttons (or a button for the window) is no leave at all:
  // judge by where the cursor is now.
  int32_t id = kNoHover;
  POINT cursor;
  if (window_ != nullptr && GetCursorPos(&cursor)) {
    HWND under = WindowFromPoint(cursor);
    if (under == window_ || (under != nullptr && IsChild(window_, under))) {
      ScreenToClient(window_, &cursor);
      id = hover_target(cursor.x, cursor.y, model_->snapshot().state);
    }
  }
  if (model_->set_hover(id)) RepaintWithButtons(window_);
}

LRESULT ProgressWindow::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  window_ = window;
  // One of our own messages: from now on a setter of its kind posts again (before the values
  // are read below, so none is missed).
  if (message >= kMsgStateChanged && message <= kMsgReleaseSummary) model_->take_pending(message);
  switch (message) {
    case WM_CREATE:
      model_->attach(window);
      CreateControls(window);
      ApplyStateToControls();
      return 0;
    case WM_DESTROY:
      model_->detach();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      if (!instance_tag_.empty()) RemovePropW(window, instance_tag_.c_str());
      // The handle dies with this message; nothing may use it afterwards.
      window_ = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      PaintWindow(dc, model_->snapshot(), client.right - client.left, client.bottom - client.top);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (onClose) {
        onClose();
      } else {
        model_->detach();
        DestroyWindow(window);
        window_ = nullptr;
        PostQuitMessage(0);
      }
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DRAWITEM:
      if (lparam != 0) {
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), model_->hover());
      }
      return 1;
    case WM_COMMAND: OnCommand(LOWORD(wparam)); return 0;
    case WM_CTLCOLOREDIT:
      SetTextColor(reinterpret_cast<HDC>(wparam), kEditText);
      SetBkColor(reinterpret_cast<HDC>(wparam), kEditBackground);
      return reinterpret_cast<LRESULT>(edit_brush_.get());
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), window); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(window); return 0;
    case kMsgStateChanged: ApplyStateToControls(); return 0;
    case kMsgProgress:
      // The model holds the latest percentage; a coalesced message may carry an older one.
      Repaint();
      return 0;
    case kMsgStatus:
    case kMsgReleaseSummary: Repaint(); return 0;
    case kMsgError:
      model_->set_state_now(WindowState::Failed);
      ApplyStateToControls();
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

bool BringTaggedWindowToFront(const std::wstring& tag) {
  struct Search {
    const std::wstring* tag;
    HWND found;
  } search{&tag, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(context);
        wchar_t class_name[kClassNameCapacity] = {};
        GetClassNameW(window, class_name, kClassNameCapacity);
        if (std::wstring_view(class_name) != kWindowClassName ||
            GetPropW(window, wanted->tag->c_str()) == nullptr) {
          return TRUE;
        }
        wanted->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
  return true;
}
