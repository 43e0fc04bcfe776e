// The yardstick for the resident cost: the main window's visible work done the
// plainest way. A 466 x 211 window; a one-second timer reads the memory status
// and sets the tray hint; a 300-ms timer records the free share and repaints a
// 294 x 71 trace. Minimised, it goes to the tray as the program does.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kTraceWidth = 294, kTraceHeight = 71, kTraceLeft = 26, kTraceTop = 81;

struct State {
    NOTIFYICONDATAA tray{};
    int history[kTraceWidth]{};
    int next = 0;
    int freePercent = 0;
};

void SampleMemory(State& state)
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    state.freePercent = status.ullTotalPhys ? static_cast<int>(status.ullAvailPhys * 100 / status.ullTotalPhys) : 0;
    std::snprintf(state.tray.szTip, sizeof(state.tray.szTip), "Floor: free RAM=%llu Mb", status.ullAvailPhys / 1048576);
    state.tray.uFlags = NIF_TIP;
    Shell_NotifyIconA(NIM_MODIFY, &state.tray);
}

void PaintTrace(const State& state, HDC dc)
{
    RECT trace{kTraceLeft, kTraceTop, kTraceLeft + kTraceWidth, kTraceTop + kTraceHeight};
    FillRect(dc, &trace, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(0, 128, 0));
    HPEN line = CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
    HGDIOBJ old = SelectObject(dc, grid);
    for (int x = trace.left; x < trace.right; x += 14) {
        MoveToEx(dc, x, trace.top, nullptr);
        LineTo(dc, x, trace.bottom);
    }
    for (int y = trace.top; y < trace.bottom; y += 14) {
        MoveToEx(dc, trace.left, y, nullptr);
        LineTo(dc, trace.right, y);
    }
    SelectObject(dc, line);
    POINT points[kTraceWidth];
    for (int i = 0; i < kTraceWidth; ++i) {
        int value = state.history[(state.next + i) % kTraceWidth];
        points[i] = {trace.left + i, trace.bottom - 1 - value * (kTraceHeight - 1) / 100};
    }
    Polyline(dc, points, kTraceWidth);
    SelectObject(dc, old);
    DeleteObject(grid);
    DeleteObject(line);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* stored = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!stored)
        return DefWindowProcA(window, message, wParam, lParam);
    State& state = *stored;
    switch (message) {
    case WM_TIMER:
        if (wParam == 1) {
            SampleMemory(state);
        } else {
            state.history[state.next] = state.freePercent;
            state.next = (state.next + 1) % kTraceWidth;
            RECT trace{kTraceLeft, kTraceTop, kTraceLeft + kTraceWidth, kTraceTop + kTraceHeight};
            InvalidateRect(window, &trace, FALSE);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintTrace(state, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            ShowWindow(window, SW_HIDE);
        return 0;
    case kTrayMessage:
        if (lParam == WM_LBUTTONDBLCLK)
            ShowWindow(window, SW_RESTORE);
        return 0;
    case WM_DESTROY:
        Shell_NotifyIconA(NIM_DELETE, &state.tray);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "FloorWindow";
    RegisterClassA(&windowClass);
    State state;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    RECT frame{0, 0, 466, 211};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowA("FloorWindow", "Floor", style, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, &state);
    state.tray.cbSize = sizeof(state.tray);
    state.tray.hWnd = window;
    state.tray.uID = 1;
    state.tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    state.tray.uCallbackMessage = kTrayMessage;
    state.tray.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    Shell_NotifyIconA(NIM_ADD, &state.tray);
    SetTimer(window, 1, 1000, nullptr);
    SetTimer(window, 2, 300, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
