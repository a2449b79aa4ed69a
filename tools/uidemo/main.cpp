// uidemo: the smallest program on the window system, used by the end-to-end smoke test. It
// opens a framed window with one button of its own drawing, reports on standard output when
// the button is clicked ("clicked") and when the window is closed ("closed"), and exits 0
// after closing. Each click also starts a thread that posts to the window once the loop has
// gone to sleep ("woken": posting from another thread wakes the loop), and then plays ping-pong
// with the loop: it posts, waits for the window to take the message, posts again, a few
// thousand times ("pingpong"), so a wake-up lost at any moment of the loop's cycle hangs it.
// It gives up after 30 seconds (exit 2) so a broken test never hangs. For the desktop test it
// also reports the pointer entering the client area ("entered", mouse-leave tracking starts),
// leaving it ("left X Y", where GetCursorPos finds the pointer), minimizing ("minimized") and
// restoring ("restored") through the desktop, and each paint after a restore ("repainted").
// For the keyboard it reports each key pressed in the main window with the Ctrl state the
// program sees ("key 65 ctrl") and each character ("char 1"); the D key opens a modal dialog
// ("modal open": the main window is disabled; its keys are reported as "dialog key ...") that
// Escape ends ("modal ended"), after which the keyboard must come back to the main window.
// With a command-line argument the give-up time is that many seconds.
#include "platform/ui/User.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>

namespace {

constexpr RECT kButton{20, 20, 120, 60};
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kWakeMessage = WM_APP + 1; // wParam: 0 the first post, then the round
constexpr int kPingPongRounds = 3000;
bool g_pressed = false;
int g_clicks = 0;
bool g_tracking = false;
bool g_minimized = false;
bool g_restored = false;

void Say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// The thread that posts, and what it waits for between its posts.
struct Poster {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable taken;
    int rounds = 0; // messages the window has taken
    bool stop = false;

    void Start(HWND hwnd) {
        Join();
        rounds = 0;
        stop = false;
        thread = std::thread([this, hwnd] { Run(hwnd); });
    }
    void Run(HWND hwnd) {
        // Long enough for the loop to be waiting: the post must wake it, not find it awake.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (int round = 0; round <= kPingPongRounds; ++round) {
            PostMessage(hwnd, kWakeMessage, WPARAM(round), 0);
            std::unique_lock lock(mutex);
            taken.wait(lock, [&] { return rounds > round || stop; });
            if (stop) {
                return;
            }
        }
    }
    void Took() {
        {
            std::lock_guard lock(mutex);
            ++rounds;
        }
        taken.notify_all();
    }
    void Join() {
        if (thread.joinable()) {
            {
                std::lock_guard lock(mutex);
                stop = true;
            }
            taken.notify_all();
            thread.join();
        }
    }
} g_poster;

void PaintButton(HDC dc) {
    COLORREF face = g_clicks ? RGB(120, 200, 120) : GetSysColor(COLOR_BTNFACE);
    HBRUSH b = CreateSolidBrush(face);
    FillRect(dc, &kButton, b);
    DeleteObject(b);
    HBRUSH light = GetSysColorBrush(g_pressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    HBRUSH dark = GetSysColorBrush(g_pressed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    RECT top{kButton.left, kButton.top, kButton.right, kButton.top + 1};
    RECT left{kButton.left, kButton.top, kButton.left + 1, kButton.bottom};
    RECT bottom{kButton.left, kButton.bottom - 1, kButton.right, kButton.bottom};
    RECT right{kButton.right - 1, kButton.top, kButton.right, kButton.bottom};
    FillRect(dc, &top, light);
    FillRect(dc, &left, light);
    FillRect(dc, &bottom, dark);
    FillRect(dc, &right, dark);
}

bool InButton(LPARAM l) { return PtInRect(kButton, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}); }

// A key as the window sees it, with the Ctrl state the program reads for it.
void SayKey(const char* window, WPARAM vk) {
    std::printf(GetKeyState(VK_CONTROL) < 0 ? "%skey %d ctrl\n" : "%skey %d\n", window, int(vk));
    std::fflush(stdout);
}

void SayChar(const char* window, WPARAM ch) {
    std::printf("%schar %d\n", window, int(ch));
    std::fflush(stdout);
}

// The modal dialog: Escape enables its owner again and closes it, as a modal form ends.
LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_CHAR: SayChar("dialog ", w); return 0;
    case WM_KEYDOWN:
        SayKey("dialog ", w);
        if (w == VK_ESCAPE) {
            EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
            DestroyWindow(hwnd);
            Say("modal ended");
        }
        return 0;
    default: return DefWindowProc(hwnd, msg, w, l);
    }
}

void OpenModal(HWND owner) {
    HWND dialog = CreateWindowEx(0, "UiDemoDialog", "uidemo dialog", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                 160, 160, 200, 100, owner, nullptr, nullptr, nullptr);
    if (!dialog) {
        return;
    }
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    Say("modal open");
}

LRESULT DemoProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintButton(dc);
        EndPaint(hwnd, &ps);
        if (g_restored) {
            g_restored = false;
            Say("repainted");
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (!g_tracking) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = hwnd;
            g_tracking = TrackMouseEvent(&tme) != FALSE;
            Say("entered");
        }
        return 0;
    case WM_MOUSELEAVE: {
        g_tracking = false;
        POINT p{};
        GetCursorPos(&p);
        std::printf("left %d %d\n", int(p.x), int(p.y));
        std::fflush(stdout);
        return 0;
    }
    case WM_KEYDOWN:
        SayKey("", w);
        if (w == 'D' && GetKeyState(VK_CONTROL) >= 0) {
            OpenModal(hwnd);
        }
        return 0;
    case WM_CHAR: SayChar("", w); return 0;
    case WM_SIZE:
        if (w == SIZE_MINIMIZED) {
            g_minimized = true;
            Say("minimized");
        } else if (w == SIZE_RESTORED && g_minimized) {
            g_minimized = false;
            g_restored = true;
            Say("restored");
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (InButton(l)) {
            g_pressed = true;
            SetCapture(hwnd);
            InvalidateRect(hwnd, &kButton, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (g_pressed) {
            g_pressed = false;
            ReleaseCapture();
            if (InButton(l)) {
                ++g_clicks;
                std::printf("clicked\n");
                std::fflush(stdout);
                g_poster.Start(hwnd);
            }
            InvalidateRect(hwnd, &kButton, FALSE);
        }
        return 0;
    case kWakeMessage:
        if (w == 0 || w == kPingPongRounds) {
            std::printf(w == 0 ? "woken\n" : "pingpong\n");
            std::fflush(stdout);
        }
        g_poster.Took();
        return 0;
    case WM_TIMER:
        if (w == kGiveUpTimer) {
            std::printf("timeout\n");
            std::fflush(stdout);
            PostQuitMessage(2);
        }
        return 0;
    case WM_DESTROY:
        std::printf("closed\n");
        std::fflush(stdout);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProc(hwnd, msg, w, l);
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        const UINT giveUpMs = argc > 1 ? UINT(std::atoi(argv[1])) * 1000u : 30000u;
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DemoProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(std::intptr_t(COLOR_WINDOW + 1));
        wc.lpszClassName = "UiDemo";
        RegisterClass(&wc);
        WNDCLASS dc = wc;
        dc.lpfnWndProc = DialogProc;
        dc.lpszClassName = "UiDemoDialog";
        RegisterClass(&dc);
        HWND hwnd = CreateWindowEx(0, "UiDemo", "uidemo", WS_OVERLAPPEDWINDOW, 100, 100, 320, 200, nullptr,
                                   nullptr, nullptr, nullptr);
        if (!hwnd) {
            std::fprintf(stderr, "uidemo: cannot create the window\n");
            return 1;
        }
        SetTimer(hwnd, kGiveUpTimer, giveUpMs, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        std::printf("shown\n");
        std::fflush(stdout);
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        g_poster.Join();
        ui::ShutdownWindowSystem();
        return int(msg.wParam);
    } catch (const std::exception& e) {
        g_poster.Join();
        std::fprintf(stderr, "uidemo: %s\n", e.what());
        return 3;
    }
}
