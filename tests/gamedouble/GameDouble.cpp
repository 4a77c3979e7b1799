// The game's window as the binder sees it, for the end-to-end tests: an ANSI
// window whose chat line opens with the chat key, takes WM_CHAR bytes and
// sends on Enter. Every event it gets goes to a log (GameLog.h) at once, and
// the window paints its chat so a screenshot shows what arrived.
//
// GameDouble.exe --log <file> [--title <ASCII title>] [--chat-key <VK hex>] [--at <x>,<y>]

#include <windows.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <deque>
#include <string>

#include "gamedouble/GameLog.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kChatLines = 9;
constexpr size_t kTrailEvents = 5;

HANDLE g_log = INVALID_HANDLE_VALUE;
LARGE_INTEGER g_start{};
LARGE_INTEGER g_freq{};
std::string g_title = "GTA:SA:MP test double";
UINT g_chatKey = 0x54;  // T

bool g_open = false;
std::string g_line;    // 1251 bytes
int g_openerScan = -1;  // scan code of the key that opened the line, until its character came
struct ChatMessage {
    std::string text;  // 1251 bytes
    COLORREF color;
};
std::deque<ChatMessage> g_chat;
std::deque<std::string> g_trail;  // the last events, for the status bar

void Log(const char* format, ...)
{
    char event[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(event, sizeof event, format, args);
    va_end(args);

    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const double ms = static_cast<double>(now.QuadPart - g_start.QuadPart) * 1000.0 / static_cast<double>(g_freq.QuadPart);
    char line[1100];
    const int n = std::snprintf(line, sizeof line, "%.3f %s\n", ms, event);
    DWORD written = 0;
    // Unbuffered: a test reads the file while the window runs.
    if (g_log != INVALID_HANDLE_VALUE && n > 0) WriteFile(g_log, line, static_cast<DWORD>(n), &written, nullptr);

    if (std::strncmp(event, "start", 5) != 0 && std::strncmp(event, "ready", 5) != 0) {
        g_trail.emplace_back(event);
        if (g_trail.size() > kTrailEvents) g_trail.pop_front();
    }
}

void AddChat(std::string text, COLORREF color)
{
    g_chat.push_back({std::move(text), color});
    if (g_chat.size() > kChatLines) g_chat.pop_front();
}

std::wstring From1251(const std::string& bytes)
{
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::wstring FromAscii(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

// Game text: light on a black outline, readable on any backdrop.
void OutlinedText(HDC dc, int x, int y, const std::wstring& text, COLORREF color)
{
    SetTextColor(dc, RGB(0, 0, 0));
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) TextOutW(dc, x + dx, y + dy, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void FillRectColor(HDC dc, int left, int top, int right, int bottom, COLORREF color)
{
    const RECT r{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void PaintBackdrop(HDC dc)
{
    // Night sky down to a warm horizon, then the street.
    const int horizon = kHeight * 7 / 10;
    for (int y = 0; y < horizon; ++y) {
        const int t = y * 255 / horizon;
        FillRectColor(dc, 0, y, kWidth, y + 1, RGB(10 + t * 50 / 255, 14 + t * 20 / 255, 34 + t * 30 / 255));
    }
    FillRectColor(dc, 0, horizon, kWidth, kHeight, RGB(14, 14, 18));
    // A skyline with a few lit windows; the same on every paint.
    unsigned seed = 7;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int x = 0; x < kWidth;) {
        const int w = 30 + static_cast<int>(next(50));
        const int h = 60 + static_cast<int>(next(170));
        FillRectColor(dc, x, horizon - h, x + w - 3, horizon, RGB(6, 7, 14));
        for (int wy = horizon - h + 8; wy < horizon - 8; wy += 12)
            for (int wx = x + 5; wx < x + w - 10; wx += 9)
                if (next(7) == 0) FillRectColor(dc, wx, wy, wx + 4, wy + 5, RGB(214, 178, 92));
        x += w;
    }
    // The street's lights.
    for (int x = 20; x < kWidth; x += 80) FillRectColor(dc, x, horizon + 30, x + 40, horizon + 33, RGB(120, 96, 40));
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC window = BeginPaint(hwnd, &ps);
    HDC dc = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, kWidth, kHeight);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PaintBackdrop(dc);

    HFONT chatFont = CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    HFONT hudFont = CreateFontW(-26, 0, 0, 0, FW_HEAVY, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    HFONT smallFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    SetBkMode(dc, TRANSPARENT);

    // HUD in the corner, as the game draws it.
    HGDIOBJ oldFont = SelectObject(dc, hudFont);
    OutlinedText(dc, kWidth - 110, 14, L"21:47", RGB(225, 225, 225));
    OutlinedText(dc, kWidth - 160, 44, L"$00004520", RGB(54, 104, 44));

    // The chat: the messages sent, newest last, then the line being typed.
    SelectObject(dc, chatFont);
    int y = 12;
    for (const ChatMessage& m : g_chat) {
        OutlinedText(dc, 14, y, From1251(m.text), m.color);
        y += 19;
    }
    const int boxTop = 12 + static_cast<int>(kChatLines) * 19 + 8;
    if (g_open) {
        FillRectColor(dc, 10, boxTop, 470, boxTop + 28, RGB(70, 70, 78));
        FillRectColor(dc, 11, boxTop + 1, 469, boxTop + 27, RGB(18, 18, 24));
        std::wstring shown = From1251(g_line) + L"_";
        SIZE size{};
        // Only the end fits: the caret stays in sight.
        while (shown.size() > 1 && GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size) &&
               size.cx > 440)
            shown.erase(0, 1);
        OutlinedText(dc, 18, boxTop + 5, shown, RGB(255, 255, 255));
    } else {
        SelectObject(dc, smallFont);
        char key[8];
        std::snprintf(key, sizeof key, "%02X", g_chatKey);
        OutlinedText(dc, 14, boxTop + 6, L"chat closed: key " + FromAscii(key) + L" or F6 opens it",
                     RGB(150, 150, 160));
    }

    // What arrived last, and whose window this is.
    SelectObject(dc, smallFont);
    FillRectColor(dc, 0, kHeight - 24, kWidth, kHeight, RGB(4, 4, 8));
    std::string trail;
    for (const std::string& e : g_trail) trail += (trail.empty() ? "" : "  |  ") + e;
    if (trail.size() > 90) trail = "..." + trail.substr(trail.size() - 87);
    OutlinedText(dc, 8, kHeight - 19, FromAscii(trail), RGB(130, 200, 130));
    SIZE titleSize{};
    const std::wstring title = FromAscii(g_title);
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &titleSize);
    OutlinedText(dc, kWidth - titleSize.cx - 8, kHeight - 42, title, RGB(160, 160, 175));

    BitBlt(window, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(chatFont);
    DeleteObject(hudFont);
    DeleteObject(smallFont);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(hwnd, &ps);
}

void CloseLine()
{
    g_open = false;
    g_line.clear();
    g_openerScan = -1;
    Log("close");
}

void OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    const unsigned byte = static_cast<unsigned>(wParam) & 0xFF;
    const int scan = static_cast<int>((lParam >> 16) & 0xFF);
    // The opening key's own character comes right after it, with its scan
    // code; a byte posted ahead of it means the key was overtaken.
    const bool opener = g_open && g_openerScan >= 0 && scan == g_openerScan;
    g_openerScan = -1;
    if (opener) {
        Log("char %02X opener", byte);
    } else if (!g_open) {
        Log("char %02X closed", byte);
    } else if (byte == 0x08) {
        if (!g_line.empty()) g_line.pop_back();
        Log("char %02X", byte);
    } else if (byte < 0x20) {
        Log("char %02X ignored", byte);
    } else {
        g_line += static_cast<char>(byte);
        Log("char %02X", byte);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void OnKeyDown(HWND hwnd, WPARAM vk, LPARAM lParam)
{
    Log("keydown %02X", static_cast<unsigned>(vk));
    if (!g_open) {
        if (vk == g_chatKey || vk == VK_F6) {
            g_open = true;
            g_line.clear();
            // A key without a scan code could not be told from a posted byte.
            const int scan = static_cast<int>((lParam >> 16) & 0xFF);
            g_openerScan = scan ? scan : -1;
            Log("open");
        }
    } else if (vk == VK_RETURN) {
        Log("sent %s", gamelog::Hex(g_line).c_str());
        // Actions in the role-play colour, speech in white.
        const bool action = g_line.rfind("/me", 0) == 0 || g_line.rfind("/do", 0) == 0;
        if (!g_line.empty()) AddChat(g_line, action ? RGB(194, 162, 218) : RGB(255, 255, 255));
        CloseLine();
    } else if (vk == VK_ESCAPE) {
        CloseLine();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void OnButton(HWND hwnd, const char* what, unsigned button)
{
    Log("%s %02X", what, button);
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        OnKeyDown(hwnd, wParam, lParam);
        return 0;
    case WM_KEYUP:
        Log("keyup %02X", static_cast<unsigned>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        Log("%s %02X", msg == WM_SYSKEYDOWN ? "syskeydown" : "syskeyup", static_cast<unsigned>(wParam));
        InvalidateRect(hwnd, nullptr, FALSE);
        break;  // DefWindowProc: Alt alone then shows as keymenu
    case WM_CHAR:
        OnChar(hwnd, wParam, lParam);
        return 0;
    case WM_SYSCHAR: {
        const unsigned byte = static_cast<unsigned>(wParam) & 0xFF;
        Log("syschar %02X", byte);
        char text[40];
        std::snprintf(text, sizeof text, "[syschar %02X]", byte);
        AddChat(text, RGB(235, 80, 70));
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU) {
            // Swallowed as games do; the menu loop would hold the keyboard.
            Log("keymenu");
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Log("focus %s", msg == WM_SETFOCUS ? "in" : "out");
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: OnButton(hwnd, "buttondown", 0x01); return 0;
    case WM_LBUTTONUP: OnButton(hwnd, "buttonup", 0x01); return 0;
    case WM_RBUTTONDOWN: OnButton(hwnd, "buttondown", 0x02); return 0;
    case WM_RBUTTONUP: OnButton(hwnd, "buttonup", 0x02); return 0;
    case WM_MBUTTONDOWN: OnButton(hwnd, "buttondown", 0x04); return 0;
    case WM_MBUTTONUP: OnButton(hwnd, "buttonup", 0x04); return 0;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
        OnButton(hwnd, msg == WM_XBUTTONDOWN ? "buttondown" : "buttonup",
                 GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 0x05 : 0x06);
        return TRUE;
    case WM_MOUSEWHEEL:
        Log("wheel %d", GET_WHEEL_DELTA_WPARAM(wParam));
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string Ansi(const wchar_t* s)
{
    const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

int main()
{
    QueryPerformanceFrequency(&g_freq);
    QueryPerformanceCounter(&g_start);

    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int x = 40;
    int y = 40;
    for (int i = 1; argv && i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        if (name == L"--log") {
            g_log = CreateFileW(value, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        } else if (name == L"--title") {
            g_title = Ansi(value);
        } else if (name == L"--chat-key") {
            g_chatKey = static_cast<UINT>(std::wcstoul(value, nullptr, 16));
        } else if (name == L"--at") {
            std::swscanf(value, L"%d,%d", &x, &y);
        }
    }
    LocalFree(argv);
    Log("start %lld %lld", static_cast<long long>(g_start.QuadPart), static_cast<long long>(g_freq.QuadPart));

    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "QuorvelGameDouble";
    RegisterClassA(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, g_title.c_str(), style, x, y, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    Log("ready %llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (g_log != INVALID_HANDLE_VALUE) CloseHandle(g_log);
    return 0;
}
