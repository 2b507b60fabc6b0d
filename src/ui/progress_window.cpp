#include "ui/progress_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/wide.h"
#include "ui/byte_progress.h"
#include "ui/dpi.h"
#include "ui/paint.h"

namespace {

constexpr int kIconResource = 101;
constexpr int kClassNameCapacity = 64;
constexpr COLORREF kEditText = RGB(235, 238, 248);
constexpr COLORREF kEditBackground = RGB(32, 36, 52);
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_FLAT | BS_OWNERDRAW;
// Texts for screen readers only: visible to them, zero pixels on screen. A static right before
// the edit names it; the other carries what the window says now and announces its changes.
constexpr DWORD kSpokenStyle = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr int kDirLabelId = 1002;
constexpr int kSpokenStatusId = 1005;
constexpr const wchar_t* kDirLabel = L"安装目录";
// The label's size: the em height, as the label's text is drawn.
constexpr int kEditFontHeight = 13;
// The card's text begins this far inside the card; the path begins as far inside its frame.
constexpr int kEditLeftInset = 20;
constexpr int kEditRightInset = 8;
// Not in every SDK: a live region's content changed (Windows 8 and later).
constexpr DWORD kEventLiveRegionChanged = 0x8019;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr const wchar_t* kBrowseCaption = L"浏览...";

// A property whose presence marks a window; its value only has to be non-null.
const HANDLE kTagPresent = reinterpret_cast<HANDLE>(1);

// The owner-drawn buttons: what they show depends on the window's hover and focus state.
void RepaintButtons(HWND window) {
  InvalidateRect(GetDlgItem(window, kMainButtonId), nullptr, FALSE);
  InvalidateRect(GetDlgItem(window, kBrowseButtonId), nullptr, FALSE);
}

// The buttons draw themselves; a hover change must reach them as well as the window.
void RepaintWithButtons(HWND window) {
  if (window == nullptr) return;
  InvalidateRect(window, nullptr, FALSE);
  RepaintButtons(window);
}

// Whether a control is there for the mouse: shown and enabled.
bool usable(HWND control) {
  return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
}

// What a screen reader should say for the window's current look.
std::wstring spoken_text(const WindowSnapshot& view) {
  switch (view.state) {
    case WindowState::Working: return to_wide(without_byte_count(to_u16(view.status)));
    case WindowState::Failed:
      return view.error_text.empty() ? to_wide(subtitle(view.state, view.purpose))
                                     : view.error_text;
    default: return to_wide(subtitle(view.state, view.purpose));
  }
}

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
  // Read whole: a longer text than any fixed buffer is refused for its length, not cut to fit.
  const HWND edit = GetDlgItem(window_, kDirEditId);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return text;
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

  // The monitor the person looks at: the one under the cursor. Its DPI is not known before a
  // window exists there; the system's is the first guess, corrected below.
  POINT cursor{};
  GetCursorPos(&cursor);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  Rect work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& r = monitor.rcWork;
    work = Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  const int sized_for = system_dpi();
  edit_brush_.reset(CreateSolidBrush(kEditBackground));
  const auto place = [&](int dpi) {
    const Placement at =
        centred_on(work, scale(kWindowWidth, dpi), scale(kWindowHeight, dpi));
    return RECT{at.x, at.y, at.x + scale(kWindowWidth, dpi), at.y + scale(kWindowHeight, dpi)};
  };
  const RECT first = place(sized_for);
  HWND window = CreateWindowExW(kWindowExStyle, kWindowClassName, kWindowTitle, kWindowStyle,
                                first.left, first.top, first.right - first.left,
                                first.bottom - first.top, nullptr, nullptr, instance, this);
  if (window == nullptr) return;  // nothing would ever end the loop
  window_ = window;
  // WM_CREATE laid the controls out at the window's own DPI (dpi_); the frame follows.
  if (dpi_ != sized_for) {
    const RECT r = place(dpi_);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!instance_tag_.empty()) SetPropW(window, instance_tag_.c_str(), kTagPresent);
  if (icon != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (OnKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool ProgressWindow::OnKey(const MSG& msg) {
  const bool ours = window_ != nullptr && (msg.hwnd == window_ || IsChild(window_, msg.hwnd));
  if (!ours || msg.message != WM_KEYDOWN) return false;
  const auto reveal_focus = [this] {
    if (!show_focus_) {
      show_focus_ = true;
      RepaintButtons(window_);
    }
  };
  switch (msg.wParam) {
    case VK_TAB: {
      // Shift+Tab goes forward too: with three stops at most, one direction reaches all.
      reveal_focus();
      HWND focus = GetFocus();
      if (focus != nullptr && !IsChild(window_, focus)) focus = nullptr;  // the window itself
      if (HWND next = GetNextDlgTabItem(window_, focus, FALSE)) SetFocus(next);
      return true;
    }
    case VK_RETURN: {
      // Enter starts the install from the edit or the main button; on a focused button it
      // presses that button, as Space does. In every other state it does nothing: a key
      // pressed while typing elsewhere must never cancel.
      reveal_focus();
      HWND focus = GetFocus();
      if (focus == GetDlgItem(window_, kBrowseButtonId)) {
        OnCommand(kBrowseButtonId);
      } else if (model_->snapshot().state == WindowState::Ready) {
        OnCommand(kMainButtonId);
      }
      return true;
    }
    case VK_ESCAPE:
      SendMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_SPACE: reveal_focus(); return false;  // the focused button presses itself
    default: return false;
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
  constexpr Rect kNowhere{0, 0, 0, 0};
  create_child(window, L"STATIC", kDirLabel, kSpokenStyle, kNowhere, kDirLabelId, instance_);
  HWND edit = create_child(window, L"EDIT", install_dir_.c_str(), kEditStyle, kDirEditRect,
                           kDirEditId, instance_);
  HWND browse = create_child(window, L"BUTTON", kBrowseCaption, kButtonStyle, kBrowseButtonRect,
                             kBrowseButtonId, instance_);
  HWND main = create_child(window, L"BUTTON", L"开始安装", kButtonStyle, kMainButtonRect,
                           kMainButtonId, instance_);
  create_child(window, L"STATIC", L"", kSpokenStyle, kNowhere, kSpokenStatusId, instance_);
  // A visible control covers its whole hover rectangle, so the window itself never sees the
  // mouse there: the controls pass their mouse moves on, or their hover looks could never show.
  for (HWND child : {edit, browse, main}) {
    if (child != nullptr) {
      SetWindowSubclass(child, &ProgressWindow::ChildProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  ApplyDpi(window_dpi(window));
}

void ProgressWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  ScopedFont font(CreateFontW(-scale(kEditFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
  for (const auto& [id, rect] : {std::pair{kDirEditId, kDirEditRect},
                                 std::pair{kBrowseButtonId, kBrowseButtonRect},
                                 std::pair{kMainButtonId, kMainButtonRect}}) {
    const Rect r = scale(rect, dpi);
    SetWindowPos(GetDlgItem(window_, id), nullptr, r.x, r.y, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The edit keeps using the old font until it has the new one; only then may the old one go.
  HWND edit = GetDlgItem(window_, kDirEditId);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  std::swap(edit_font_, font);
  {
    const ScopedWindowDc dc(edit);
    const ScopedSelection selected(dc.get(), edit_font_.get());
    TEXTMETRICW metrics{};
    edit_line_height_ = dc.get() != nullptr && GetTextMetricsW(dc.get(), &metrics) ? metrics.tmHeight : 0;
  }
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(scale(kEditLeftInset, dpi), scale(kEditRightInset, dpi)));
  // The client area follows the new line height (WM_NCCALCSIZE below).
  SetWindowPos(edit, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RepaintWithButtons(window_);
}

LRESULT CALLBACK ProgressWindow::ChildProc(HWND child, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR, DWORD_PTR self_value) {
  auto* self = reinterpret_cast<ProgressWindow*>(self_value);
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      MapWindowPoints(child, GetParent(child), &point, 1);
      self->OnMouseMove(point.x, point.y, child);
      break;
    }
    case WM_MOUSELEAVE: self->OnMouseLeave(child); break;
    case WM_NCDESTROY: RemoveWindowSubclass(child, &ProgressWindow::ChildProc, 0); break;
    default:
      if (GetDlgCtrlID(child) == kDirEditId) {
        if (const std::optional<LRESULT> handled = self->EditFrame(child, message, wparam, lparam)) {
          return *handled;
        }
      }
  }
  return DefSubclassProc(child, message, wparam, lparam);
}

// A single-line edit draws its text at the top of its client area: the client area is made one
// line tall and centred in the control, and the band around it is painted as the edit's own
// background and counts as the edit for the mouse.
std::optional<LRESULT> ProgressWindow::EditFrame(HWND edit, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
      RECT* client = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                            : reinterpret_cast<RECT*>(lparam);
      const int spare = (client->bottom - client->top) - edit_line_height_;
      if (edit_line_height_ > 0 && spare > 0) {
        client->top += spare / 2;
        client->bottom -= spare - spare / 2;
      }
      return result;
    }
    case WM_NCPAINT: {
      DefSubclassProc(edit, message, wparam, lparam);
      RECT whole{};
      RECT client{};
      GetWindowRect(edit, &whole);
      GetClientRect(edit, &client);
      MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
      OffsetRect(&client, -whole.left, -whole.top);
      OffsetRect(&whole, -whole.left, -whole.top);
      const ScopedWindowDc dc(edit, true);
      if (dc.get() == nullptr) return 0;
      ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
      FillRect(dc.get(), &whole, edit_brush_.get());
      return 0;
    }
    case WM_NCHITTEST: return HTCLIENT;
    default: return std::nullopt;
  }
}

void ProgressWindow::Repaint() {
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void ProgressWindow::ApplyStateToControls() {
  const WindowSnapshot view = model_->snapshot();
  const WindowState state = view.state;
  if (const auto caption = main_caption(state, view.purpose)) {
    const int dir_show = state == WindowState::Ready ? SW_SHOW : SW_HIDE;
    ShowWindow(GetDlgItem(window_, kDirEditId), dir_show);
    ShowWindow(GetDlgItem(window_, kBrowseButtonId), dir_show);
    HWND main = GetDlgItem(window_, kMainButtonId);
    SetWindowTextW(main, to_wide(*caption).c_str());
    ShowWindow(main, SW_SHOW);
    EnableWindow(main, TRUE);
    if (state != applied_state_) {
      // Ready starts at the main button, so Enter or Space installs. Entering any other state
      // the focus leaves the controls: a key meant for a button that has just become "取消"
      // must not cancel the install.
      focus_on_activation_ = state == WindowState::Ready ? main : nullptr;
      if (GetActiveWindow() == window_) SetFocus(focus_on_activation_ ? main : window_);
      applied_state_ = state;
    }
  }
  Announce();
  Repaint();
}

void ProgressWindow::Announce() {
  const std::wstring text = spoken_text(model_->snapshot());
  if (text == announced_) return;
  announced_ = text;
  HWND spoken = GetDlgItem(window_, kSpokenStatusId);
  SetWindowTextW(spoken, text.c_str());
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, spoken, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(kEventLiveRegionChanged, spoken, OBJID_CLIENT, CHILDID_SELF);
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
  // The hover rectangles are laid out at 96 DPI; the mouse moves in the window's pixels.
  const int32_t id = hover_target(unscale(x, dpi_), unscale(y, dpi_), model_->snapshot().state);
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
  SetCursorFor(id);
}

void ProgressWindow::SetCursorFor(int32_t id) {
  // The hover id may name a hidden control (its rectangle is still tested): the hand shows only
  // where something can be pressed.
  const bool pressable = id > 0 && usable(GetDlgItem(window_, id));
  const wchar_t* cursor = !pressable ? IDC_ARROW : id == kDirEditId ? IDC_IBEAM : IDC_HAND;
  SetCursor(LoadCursorW(nullptr, cursor));
}

bool ProgressWindow::OnSetCursor(LPARAM lparam) {
  // Asked for the window and, through the controls' default handling, for each control: the
  // cursor of what is under the mouse, so it never flickers back to the class's arrow.
  POINT cursor;
  if (LOWORD(lparam) != HTCLIENT || !GetCursorPos(&cursor) || !ScreenToClient(window_, &cursor)) {
    return false;
  }
  SetCursorFor(hover_target(unscale(cursor.x, dpi_), unscale(cursor.y, dpi_), model_->snapshot().state));
  return true;
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
      id = hover_target(unscale(cursor.x, dpi_), unscale(cursor.y, dpi_), model_->snapshot().state);
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
      PaintWindow(dc, model_->snapshot(), client.right - client.left, client.bottom - client.top,
                  dpi_);
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
    case WM_ACTIVATE:
      // As a dialog does: the focused control is kept while another window is active (the
      // folder picker, a message box) and gets the focus back afterwards.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        focus_on_activation_ = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
      } else {
        const HWND target = focus_on_activation_;
        SetFocus(target != nullptr && IsWindowVisible(target) ? target : window);
      }
      return 0;
    case WM_DRAWITEM:
      if (lparam != 0) {
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), model_->hover(), dpi_,
                   show_focus_);
      }
      return 1;
    case WM_COMMAND:
      // A double-click on an owner-drawn button sends BN_CLICKED and then BN_DOUBLECLICKED: only
      // the first is a press, or "开始安装" would start and at once cancel.
      if (HIWORD(wparam) == BN_CLICKED) OnCommand(LOWORD(wparam));
      return 0;
    case WM_DPICHANGED: {
      // The window moved to a monitor of another DPI (or the setting changed): take the size
      // Windows suggests and lay the controls out anew.
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      ApplyDpi(HIWORD(wparam));
      return 0;
    }
    case WM_CTLCOLOREDIT:
      SetTextColor(reinterpret_cast<HDC>(wparam), kEditText);
      SetBkColor(reinterpret_cast<HDC>(wparam), kEditBackground);
      return reinterpret_cast<LRESULT>(edit_brush_.get());
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), window); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(window); return 0;
    case WM_SETCURSOR:
      return OnSetCursor(lparam) ? TRUE : DefWindowProcW(window, message, wparam, lparam);
    case kMsgStateChanged: ApplyStateToControls(); return 0;
    case kMsgProgress:
      // The model holds the latest percentage; a coalesced message may carry an older one.
      Repaint();
      return 0;
    case kMsgStatus:
      Announce();
      Repaint();
      return 0;
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
