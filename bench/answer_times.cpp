// Starts a program and times, from a second process, what its user sees and
// how fast its window answers: the start of the process to the window
// shown, to the first rows and to the filled list; the answer time of
// WM_NULL sent every 20 ms meanwhile; the glyph filter's passes and
// keystrokes in the sample text; and the close to the end of the process.
// Timing from outside needs no help from the program: its state is read from
// the list box (LB_GETCOUNT) and the status line, which is empty while
// nothing runs in the background.
//
// Usage: answer_times SCENE [options] -- PROGRAM [ARGUMENTS]
//   start   the window shown, the rows, and a close (with --close)
//   glyph   after the start, sample text "Aあ", the glyph filter on, then
//           one keystroke of a character already asked about and one new
//   run     only runs PROGRAM, which finds the start time in GVT_LAUNCH_QPC
// Options:
//   --rows N        the filled list has N rows; 0: any count that stays
//   --glyph-rows N  the same for the list after the glyph filter's pass
//   --settle S      seconds a state must hold to count (default 1)
//   --close idle|reading|none  idle: once filled (the default); reading:
//                   at once when the window shows, in a start without cache
//   --class C --title T  the window: class and exact title ("*": any);
//                   default the program's dialog, "#32770" "Glyvanter"
//   --timeout S     for every wait and every answer (default 120)
//   --status TEXT   the settled status line starts with TEXT (default: it
//                   is empty), as it does while fonts are added
// Prints "name value" lines: seconds since the start of the process, or
// "answers_<phase> count p50 p99 max" in milliseconds, and the same as
// "answers_<phase>_shown" for the answers asked once the window showed.
#include "WallClock.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kSampleTextId = 0xE43B;
constexpr int kListId = 0xE43C;
constexpr int kStatusId = 0xE43D;
constexpr WORD kGlyphFilterCommand = 0xE40A;

struct COptions {
    std::wstring Scene;
    std::wstring CommandLine;
    std::wstring Class = L"#32770";
    std::wstring Title = L"Glyvanter";
    std::wstring Close = L"idle";
    std::wstring Status;
    int Rows = 0;
    int GlyphRows = 0;
    double Settle = 1;
    double Timeout = 120;
};

// The program started, ended when a run fails.
HANDLE g_program = nullptr;
// The longest a single answer is waited for, the --timeout; longer ones
// count as this.
UINT g_answerLimitMs = 120000;

[[noreturn]] void Fail(const char* format, const char* what)
{
    if (g_program)
        ::TerminateProcess(g_program, 1);
    std::fflush(stdout);
    std::fprintf(stderr, "answer_times: ");
    std::fprintf(stderr, format, what);
    std::fprintf(stderr, "\n");
    std::exit(2);
}

void Report(const char* name, double value)
{
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

// Sends WM_NULL every 20 ms from a thread of its own and keeps the time
// each answer took.
class CAnswerSampler {
public:
    void Start(HWND window)
    {
        m_answers.clear();
        m_stop = false;
        m_thread = std::thread([this, window] { Run(window); });
    }

    // From now on answers also count as answers of the shown window.
    void MarkShown() { m_shown = WallSeconds(); }

    // Prints "answers_<phase> count p50 p99 max" in milliseconds, and the
    // same for the answers asked once the window was shown, as
    // "answers_<phase>_shown": a window still being made answers only when
    // its dialog is set up, which its user does not wait for.
    void StopAndReport(const char* phase)
    {
        m_stop = true;
        m_thread.join();
        std::vector<double> all, shown;
        for (const CAnswer& answer : m_answers) {
            all.push_back(answer.Took);
            if (answer.Sent >= m_shown)
                shown.push_back(answer.Took);
        }
        PrintFigures(phase, all);
        PrintFigures((std::string(phase) + "_shown").c_str(), shown);
        m_shown = 0;
    }

private:
    void Run(HWND window)
    {
        while (!m_stop) {
            const double sent = WallSeconds();
            DWORD_PTR result;
            const bool answered =
                ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, g_answerLimitMs, &result) != 0;
            if (!answered && !::IsWindow(window))
                return;
            m_answers.push_back({sent, (WallSeconds() - sent) * 1000});
            const double wait = sent + 0.020 - WallSeconds();
            if (wait > 0)
                ::Sleep(static_cast<DWORD>(wait * 1000));
        }
    }

    static void PrintFigures(const char* phase, std::vector<double> times)
    {
        std::sort(times.begin(), times.end());
        const auto at = [&times](double share) {
            const std::size_t i = static_cast<std::size_t>(std::ceil(share * times.size()));
            return times.empty() ? 0.0 : times[std::min(times.size(), std::max<std::size_t>(i, 1)) - 1];
        };
        std::printf("answers_%s %zu %.1f %.1f %.1f\n", phase, times.size(), at(0.5), at(0.99),
                    times.empty() ? 0.0 : times.back());
        std::fflush(stdout);
    }

    struct CAnswer {
        double Sent;
        double Took;  // ms
    };
    std::vector<CAnswer> m_answers;
    double m_shown = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// What the window shows: the list's row count and the status line; both -1
// and empty for a window without them.
struct CState {
    bool Visible = false;
    LRESULT Rows = -1;
    std::wstring Status;
};

HANDLE Inherited(DWORD which)
{
    const HANDLE handle = ::GetStdHandle(which);
    ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

class CProgram {
public:
    explicit CProgram(const COptions& options) : m_options(options) {}

    // Starts the program and takes the moment as the origin of every time
    // printed; the program finds it in GVT_LAUNCH_QPC.
    void Launch()
    {
        LARGE_INTEGER counter;
        ::QueryPerformanceCounter(&counter);
        ::SetEnvironmentVariableW(L"GVT_LAUNCH_QPC", std::to_wstring(counter.QuadPart).c_str());
        m_launched = WallSeconds();
        // Console programs write to this one's output.
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = Inherited(STD_INPUT_HANDLE);
        startup.hStdOutput = Inherited(STD_OUTPUT_HANDLE);
        startup.hStdError = Inherited(STD_ERROR_HANDLE);
        PROCESS_INFORMATION info{};
        std::wstring commandLine = m_options.CommandLine;
        if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
            Fail("cannot start %s", Narrow(m_options.CommandLine).c_str());
        ::CloseHandle(info.hThread);
        m_process = info.hProcess;
        g_program = m_process;
        m_processId = info.dwProcessId;
    }

    double Since() const { return WallSeconds() - m_launched; }

    // Waits for the program's window to exist, shown or not.
    HWND FindWindowOfProgram()
    {
        WaitFor("its window", [this] {
            ::EnumWindows(OnWindow, reinterpret_cast<LPARAM>(this));
            return m_window != nullptr;
        });
        return m_window;
    }

    // A lambda has no stdcall conversion in the 32-bit build.
    static BOOL CALLBACK OnWindow(HWND window, LPARAM self)
    {
        return reinterpret_cast<CProgram*>(self)->Matches(window) ? FALSE : TRUE;
    }

    CState Poll() const
    {
        CState state;
        state.Visible = ::IsWindowVisible(m_window) != FALSE;
        const HWND list = ::GetDlgItem(m_window, kListId);
        const HWND status = ::GetDlgItem(m_window, kStatusId);
        DWORD_PTR result = 0;
        if (list && ::SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, g_answerLimitMs, &result))
            state.Rows = static_cast<LRESULT>(result);
        wchar_t text[256] = {};
        if (status)
            ::SendMessageTimeoutW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                  g_answerLimitMs, &result);
        state.Status = text;
        return state;
    }

    // Polls until `done` holds; a timeout or the program's end fails the run.
    template <typename F>
    void WaitFor(const char* what, F&& done)
    {
        const double deadline = WallSeconds() + m_options.Timeout;
        while (!done()) {
            if (::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0) {
                DWORD code = 0;
                ::GetExitCodeProcess(m_process, &code);
                Fail("%s", ("the program ended with exit code " + std::to_string(code) + " while waiting for " + what)
                               .c_str());
            }
            if (WallSeconds() > deadline)
                Fail("%s; the program is ended",
                     ("waited " + std::to_string(static_cast<int>(m_options.Timeout)) + " s in vain for " + what).c_str());
            ::Sleep(5);
        }
    }

    // Waits for `rows` rows (any count that stays, for 0) shown with the
    // status line empty, held for the settling time, and prints "NAME
    // seconds" from `origin` to when it began and "NAME_rows count". A
    // background run shows its status only after half a second, so the
    // settling time must be longer than that.
    void WaitSettled(const char* name, const char* what, LRESULT rows, double origin)
    {
        double since = -1;
        LRESULT last = -2;
        WaitFor(what, [&] {
            const CState state = Poll();
            const double now = Since();
            const bool status = m_options.Status.empty() ? state.Status.empty()
                                                         : state.Status.compare(0, m_options.Status.size(),
                                                                                m_options.Status) == 0;
            const bool holds = state.Visible && status && (rows <= 0 || state.Rows == rows);
            if (!holds)
                since = -1;
            else if (since < 0 || state.Rows != last)
                since = now;
            last = state.Rows;
            return since >= 0 && now - since >= m_options.Settle;
        });
        Report(name, since - origin);
        std::printf("%s_rows %ld\n", name, static_cast<long>(last));
    }

    // A dialog closes on Escape; any other window as on Alt+F4. Returns the
    // seconds to the end of the process: Wine ends it for others at its last
    // call to the server, after every DLL's detach, just before the exit.
    double Close()
    {
        const double asked = WallSeconds();
        if (m_options.Class == L"#32770") {
            ::PostMessageW(m_window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            ::PostMessageW(m_window, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        } else {
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        }
        if (::WaitForSingleObject(m_process, static_cast<DWORD>(m_options.Timeout * 1000)) != WAIT_OBJECT_0)
            Fail("the program did not end within %s s of the close; it is ended",
                 std::to_string(static_cast<int>(m_options.Timeout)).c_str());
        return WallSeconds() - asked;
    }

    // Waits for the program's own end; returns its exit code.
    DWORD WaitForEnd()
    {
        if (::WaitForSingleObject(m_process, static_cast<DWORD>(m_options.Timeout * 1000)) != WAIT_OBJECT_0)
            Fail("%s did not end in time; it is ended", Narrow(m_options.CommandLine).c_str());
        DWORD code = 1;
        ::GetExitCodeProcess(m_process, &code);
        return code;
    }

private:
    bool Matches(HWND window)
    {
        DWORD id = 0;
        ::GetWindowThreadProcessId(window, &id);
        if (id != m_processId || ::GetWindow(window, GW_OWNER))
            return false;
        wchar_t text[256] = {};
        ::GetClassNameW(window, text, 256);
        if (m_options.Class != L"*" && m_options.Class != text)
            return false;
        ::GetWindowTextW(window, text, 256);
        if (m_options.Title != L"*" && m_options.Title != text)
            return false;
        m_window = window;
        return true;
    }

    static std::string Narrow(const std::wstring& text)
    {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string narrow(static_cast<std::size_t>(size), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
        narrow.pop_back();
        return narrow;
    }

    const COptions& m_options;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    HWND m_window = nullptr;
    double m_launched = 0;
};

// From the start of the process to the window shown, the first rows and
// the filled list; the answers meanwhile. Returns the window.
HWND TimeStart(CProgram& program, const COptions& options, CAnswerSampler& sampler)
{
    const HWND window = program.FindWindowOfProgram();
    Report("window_exists", program.Since());
    sampler.Start(window);
    program.WaitFor("the window to show", [&] { return ::IsWindowVisible(window) != FALSE; });
    sampler.MarkShown();
    Report("visible", program.Since());
    if (options.Close == L"reading") {
        const CState state = program.Poll();
        std::printf("reading_at_close %d\n", !state.Status.empty() || state.Rows < options.Rows ? 1 : 0);
        sampler.StopAndReport("start");
        return window;
    }
    if (!::GetDlgItem(window, kListId)) {
        // A window without the list, such as Notepad, is the anchor for
        // answers while idle.
        sampler.StopAndReport("start");
        sampler.Start(window);
        ::Sleep(static_cast<DWORD>(options.Settle * 1000));
        sampler.StopAndReport("idle");
        return window;
    }
    program.WaitFor("the first rows", [&] { return program.Poll().Rows > 0; });
    Report("first_rows", program.Since());
    program.WaitSettled("filled", "the filled list", options.Rows, 0);
    sampler.StopAndReport("start");
    return window;
}

// Sends one character to the sample text as a keystroke's WM_CHAR would
// come; returns the milliseconds the window took to handle it.
double Type(HWND edit, wchar_t c)
{
    const double sent = WallSeconds();
    DWORD_PTR result;
    if (!::SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_NORMAL, g_answerLimitMs, &result))
        Fail("the sample text did not take a character within %s ms", std::to_string(g_answerLimitMs).c_str());
    return (WallSeconds() - sent) * 1000;
}

void GlyphScene(CProgram& program, const COptions& options, HWND window, CAnswerSampler& sampler)
{
    const HWND combo = ::GetDlgItem(window, kSampleTextId);
    const HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
    if (!edit)
        Fail("%s", "no edit field in the sample-text box");
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, g_answerLimitMs, &length);
    ::SendMessageTimeoutW(edit, EM_SETSEL, length, length, SMTO_NORMAL, g_answerLimitMs, &length);
    // The anchor: a keystroke with the glyph filter off.
    Report("key_plain_ms", Type(edit, L'A'));
    Type(edit, L'\u3042');

    // The first pass asks about every style; Ctrl+G comes as its command.
    sampler.Start(window);
    const double toggled = program.Since();
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kGlyphFilterCommand, 1), 0);
    program.WaitSettled("glyph_pass", "the glyph filter's pass", options.GlyphRows, toggled);
    sampler.StopAndReport("glyph_pass");

    // "A" again: known for every style, so only looked up.
    const double known = program.Since();
    Report("key_known_ms", Type(edit, L'A'));
    program.WaitSettled("key_known_done", "the list after a known character", options.GlyphRows, known);

    // "い": asked about anew for every style.
    sampler.Start(window);
    const double fresh = program.Since();
    Report("key_new_ms", Type(edit, L'\u3044'));
    program.WaitSettled("key_new_done", "the list after a new character", options.GlyphRows, fresh);
    sampler.StopAndReport("key_new");
}

COptions ParseOptions(int argc, const wchar_t* const* argv)
{
    COptions options;
    if (argc < 2)
        Fail("%s", "usage: answer_times start|glyph|run [options] -- PROGRAM [ARGUMENTS]");
    options.Scene = argv[1];
    if (options.Scene != L"start" && options.Scene != L"glyph" && options.Scene != L"run")
        Fail("%s", "the scene is start, glyph or run");
    int i = 2;
    for (; i < argc && std::wcscmp(argv[i], L"--") != 0; i += 2) {
        if (i + 1 >= argc)
            Fail("%s", "an option without its value");
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        if (name == L"--rows")
            options.Rows = std::wcstol(value, nullptr, 10);
        else if (name == L"--glyph-rows")
            options.GlyphRows = std::wcstol(value, nullptr, 10);
        else if (name == L"--settle")
            options.Settle = std::wcstod(value, nullptr);
        else if (name == L"--close")
            options.Close = value;
        else if (name == L"--class")
            options.Class = value;
        else if (name == L"--title")
            options.Title = value;
        else if (name == L"--timeout")
            options.Timeout = std::wcstod(value, nullptr);
        else if (name == L"--status")
            options.Status = value;
        else
            Fail("%s", "unknown option");
    }
    for (++i; i < argc; ++i) {
        if (!options.CommandLine.empty())
            options.CommandLine += L' ';
        options.CommandLine += L'"' + std::wstring(argv[i]) + L'"';
    }
    if (options.CommandLine.empty())
        Fail("%s", "no program given after --");
    return options;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const COptions options = ParseOptions(argc, argv);
    ::LocalFree(argv);
    g_answerLimitMs = static_cast<UINT>(options.Timeout * 1000);
    CProgram program(options);
    program.Launch();
    if (options.Scene == L"run")
        return static_cast<int>(program.WaitForEnd());
    CAnswerSampler sampler;
    const HWND window = TimeStart(program, options, sampler);
    if (options.Scene == L"glyph")
        GlyphScene(program, options, window, sampler);
    if (options.Close != L"none")
        Report("close", program.Close());
    return 0;
}
