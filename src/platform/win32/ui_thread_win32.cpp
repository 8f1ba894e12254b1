#include "platform/win32/ui_thread_win32.h"

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr UINT kInvokeMessage = WM_USER + 1;  // lParam: InvokeRequest*
constexpr UINT kPostMessage = WM_USER + 2;    // lParam: owned std::function*
constexpr UINT kWakeMessage = WM_USER + 3;    // only ends a wait
constexpr char kClassName[] = "TarnelUiHandOff";
// A wait also ends on its own now and then, so a wake that raced with the
// start of the wait costs at most this long.
constexpr DWORD kServeTimeoutMs = 50;

struct InvokeRequest {
  const std::function<void()>* call;
  bool ran = false;
  std::exception_ptr error;
};

// Exceptions must not unwind through the system's frames between
// DispatchMessage and here.
void RunInvoke(InvokeRequest& request) noexcept {
  try {
    (*request.call)();
  } catch (...) {
    request.error = std::current_exception();
  }
  request.ran = true;
}

// noexcept: an error escaping a posted call ends the program.
void RunPosted(std::unique_ptr<std::function<void()>> call) noexcept { (*call)(); }

LRESULT CALLBACK HandOffProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kInvokeMessage:
      RunInvoke(*reinterpret_cast<InvokeRequest*>(lparam));
      return 0;
    case kPostMessage:
      RunPosted(std::unique_ptr<std::function<void()>>(reinterpret_cast<std::function<void()>*>(lparam)));
      return 0;
    case kWakeMessage:
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

[[noreturn]] void ThrowLastError(const char* what) {
  throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

// Registered once per process; Windows unregisters it at exit.
void RegisterHandOffClass() {
  static const ATOM atom = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HandOffProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc);
  }();
  if (atom == 0) ThrowLastError("RegisterClassEx");
}

}  // namespace

Win32UiThread::Win32UiThread() : owner_thread_(GetCurrentThreadId()) {
  RegisterHandOffClass();
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) ThrowLastError("CreateWindowEx");
}

Win32UiThread::~Win32UiThread() {
  DiscardQueuedPosts();
  DestroyWindow(window_);
}

void Win32UiThread::DiscardQueuedPosts() {
  MSG msg;
  while (PeekMessageA(&msg, window_, kPostMessage, kPostMessage, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(msg.lParam);
  }
}

bool Win32UiThread::OnUiThread() const { return GetCurrentThreadId() == owner_thread_; }

void Win32UiThread::Invoke(const std::function<void()>& call) {
  if (OnUiThread()) {
    call();
    return;
  }
  InvokeRequest request{&call, false, nullptr};
  SendMessageA(window_, kInvokeMessage, 0, reinterpret_cast<LPARAM>(&request));
  if (request.error) std::rethrow_exception(request.error);
  if (!request.ran) ThrowLastError("Hand-off to the UI thread");
}

void Win32UiThread::Post(std::function<void()> call) {
  auto owned = std::make_unique<std::function<void()>>(std::move(call));
  if (!PostMessageA(window_, kPostMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
    ThrowLastError("PostMessage");
  }
  owned.release();  // the queue owns it now
}

void Win32UiThread::Wake() { PostMessageA(window_, kWakeMessage, 0, 0); }

// Sent messages (workers' Invokes) are served inside every PeekMessage.
// Besides those, only this window's own messages and repaints are taken from
// the queue. User input stays queued until the wait ends: the caller is in
// the middle of a command (Stop, Start, closing the window), and a click that
// started another command now would re-enter the very object being waited
// for. Repaints keep every window of the thread drawn meanwhile. The wake
// mask leaves input out as well, so pending input does not spin the loop.
void Win32UiThread::ServeUntil(const std::atomic<bool>& done) {
  MSG msg;
  while (!done) {
    while (!done && PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    while (!done && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
    if (done) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, kServeTimeoutMs, QS_SENDMESSAGE | QS_POSTMESSAGE | QS_PAINT, 0);
  }
}
