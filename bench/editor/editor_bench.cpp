// Times the editor as a user meets it: whole processes on an X server (Xvfb), driven through
// X with synthetic keys (XTEST), nothing inside the program. A key counts as handled when the
// window has drawn its answer: the driver holds a DAMAGE record on each of the editor's
// windows and, after sending a key, waits for the first drawing into the window. The program
// draws a window in one piece after it has handled the input before, so that drawing is the
// answer to the key. (Qt does not answer _NET_WM_PING without a window manager, so a ping
// cannot serve.) The time of a key is from sending it to that drawing; Save as is timed to
// the file's arrival in its folder (inotify), start-up to the last drawing before the window
// stays unchanged for 200 ms.
//
// usage: editor_bench PROGRAM WORKDIR IMAGE SMALL EMPTY [ROUNDS]
//   PROGRAM  the editor, copied into WORKDIR/app (its settings.ini is written there)
//   IMAGE    the large image (255 entries); SMALL an image of one 2-byte entry; EMPTY one
//            without entries
//   ONLY=start,save,undo,keys (environment) runs only those groups of rows
// Prints each row: the median over interleaved rounds, its baseline and the ratio.
//        editor_bench --menus PROGRAM WORKDIR IMAGE   checks Alt+E, D twice in one process.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

pid_t running = -1; // the editor being driven, ended on any failure

[[noreturn]] void die(const std::string& why) {
    if (running > 0)
        kill(running, SIGKILL);
    std::fprintf(stderr, "editor_bench: %s\n", why.c_str());
    std::exit(1);
}

// The connection to the X server and what it reports about the editor's windows.
class XServer {
  public:
    XServer() {
        // Windows of an ended editor vanish under their damage records: such errors are expected.
        XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
        d_ = XOpenDisplay(nullptr);
        if (!d_)
            die("cannot open the X display (is DISPLAY set?)");
        int error = 0;
        int major = 0, minor = 0;
        if (!XTestQueryExtension(d_, &testEvent_, &error, &major, &minor))
            die("the X server has no XTEST");
        if (!XDamageQueryExtension(d_, &damageEvent_, &error))
            die("the X server has no DAMAGE");
        root_ = DefaultRootWindow(d_);
        XSelectInput(d_, root_, SubstructureNotifyMask);
        XSync(d_, False);
    }
    ~XServer() { XCloseDisplay(d_); }

    // Forgets the windows of an ended process.
    void clear() {
        for (auto& [w, dmg] : damage_)
            XDamageDestroy(d_, dmg);
        XSync(d_, True);
        damage_.clear();
        damaged_.clear();
        mapped_.clear();
    }

    // Every new top-level window gets a damage record at once, before it can draw.
    void pump(int timeoutMs) {
        if (!XPending(d_)) {
            pollfd p{ConnectionNumber(d_), POLLIN, 0};
            poll(&p, 1, timeoutMs);
        }
        while (XPending(d_)) {
            XEvent ev;
            XNextEvent(d_, &ev);
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root_) {
                damage_[ev.xcreatewindow.window] =
                    XDamageCreate(d_, ev.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (ev.type == MapNotify && ev.xmap.event == root_) {
                mapped_.push_back(ev.xmap.window);
            } else if (ev.type == UnmapNotify && ev.xunmap.event == root_) {
                mapped_.erase(std::remove(mapped_.begin(), mapped_.end(), ev.xunmap.window), mapped_.end());
            } else if (ev.type == damageEvent_ + XDamageNotify) {
                damaged_.insert(reinterpret_cast<XDamageNotifyEvent*>(&ev)->drawable);
            }
        }
    }

    bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
        const auto start = Clock::now();
        while (!done()) {
            const double left = timeoutMs - msSince(start);
            if (left <= 0)
                return false;
            pump(static_cast<int>(left) + 1);
        }
        return true;
    }

    void forgetDamage(Window w) {
        auto it = damage_.find(w);
        if (it != damage_.end())
            XDamageSubtract(d_, it->second, None, None);
        damaged_.erase(w);
    }
    bool damaged(Window w) const { return damaged_.count(w) > 0; }

    // Keys as "ctrl+shift+z", "alt+e", "Down", "a".
    void key(const std::string& combo) {
        std::vector<KeyCode> held;
        std::size_t from = 0;
        for (;;) {
            const std::size_t plus = combo.find('+', from);
            std::string part =
                combo.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
            if (plus == std::string::npos || plus == combo.size() - 1) {
                if (plus == combo.size() - 1)
                    part = "plus";
                press(keysym(part));
                break;
            }
            const KeySym mod = part == "ctrl"    ? XK_Control_L
                               : part == "shift" ? XK_Shift_L
                               : part == "alt"   ? XK_Alt_L
                                                 : keysym(part);
            const KeyCode code = XKeysymToKeycode(d_, mod);
            XTestFakeKeyEvent(d_, code, True, CurrentTime);
            held.push_back(code);
            from = plus + 1;
        }
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            XTestFakeKeyEvent(d_, *it, False, CurrentTime);
        XFlush(d_);
    }

    void focus(Window w) {
        XSetInputFocus(d_, w, RevertToParent, CurrentTime);
        XSync(d_, False);
    }
    Window focused() {
        Window w = None;
        int revert = 0;
        XGetInputFocus(d_, &w, &revert);
        return w;
    }

    const std::vector<Window>& mapped() const { return mapped_; }
    ::Display* raw() { return d_; }

  private:
    KeySym keysym(const std::string& name) {
        if (name.size() == 1) {
            const unsigned char c = static_cast<unsigned char>(name[0]);
            return static_cast<KeySym>(c); // Latin-1 keysyms are the characters
        }
        const KeySym s = XStringToKeysym(name.c_str());
        if (s == NoSymbol)
            die("unknown key " + name);
        return s;
    }
    // A character on a key's second level (capitals, '_') is typed with Shift.
    void press(KeySym s) {
        const KeyCode code = XKeysymToKeycode(d_, s);
        if (!code)
            die("no key code for a key");
        int perCode = 0;
        KeySym* levels = XGetKeyboardMapping(d_, code, 1, &perCode);
        const bool shifted = perCode > 1 && levels[0] != s && levels[1] == s;
        XFree(levels);
        const KeyCode shift = XKeysymToKeycode(d_, XK_Shift_L);
        if (shifted)
            XTestFakeKeyEvent(d_, shift, True, CurrentTime);
        XTestFakeKeyEvent(d_, code, True, CurrentTime);
        XTestFakeKeyEvent(d_, code, False, CurrentTime);
        if (shifted)
            XTestFakeKeyEvent(d_, shift, False, CurrentTime);
    }

    ::Display* d_ = nullptr;
    Window root_ = None;
    int testEvent_ = 0;
    int damageEvent_ = 0;
    std::map<Window, Damage> damage_;
    std::set<Window> damaged_;
    std::vector<Window> mapped_;
};

constexpr int kTimeoutMs = 20000;
constexpr int kPauseMs = 50;
constexpr int kQuietMs = 200;

// One run of the editor.
class Editor {
  public:
    Editor(XServer& x, const fs::path& program, const std::vector<std::string>& args)
        : x_(x), folder_(args.empty() ? fs::path() : fs::path(args.front()).parent_path()) {
        x_.clear();
        start_ = Clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            // Started from the image's folder, where its dialogs open.
            if (!folder_.empty() && chdir(folder_.c_str()) != 0)
                _exit(127);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 2);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        running = pid_;
        // Started: the main window shown, drawn and answering.
        if (!x_.waitUntil([&] { return !x_.mapped().empty(); }, kTimeoutMs))
            die("the editor showed no window");
        window_ = x_.mapped().front();
        if (!x_.waitUntil([&] { return x_.damaged(window_); }, kTimeoutMs))
            die("the editor's window was never drawn");
        // Idle: the last drawing before the window stays unchanged for kQuietMs.
        startMs_ = msSince(start_);
        for (;;) {
            x_.forgetDamage(window_);
            if (!x_.waitUntil([&] { return x_.damaged(window_); }, kQuietMs))
                break;
            startMs_ = msSince(start_);
        }
        // Without a window manager nobody gives the new window the input focus: the user's
        // first click would.
        x_.focus(window_);
    }
    ~Editor() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        running = -1;
    }

    double startMs() const { return startMs_; }
    Window window() const { return window_; }
    pid_t pid() const { return pid_; }

    // Waits for the window's next drawing (the key was handled and shown); a key that draws
    // nothing gets a short pause instead.
    void settle(bool draws = false, Window w = None) {
        if (w == None)
            w = window_;
        if (!draws) {
            x_.waitUntil([] { return false; }, kPauseMs);
            return;
        }
        if (!x_.waitUntil([&] { return x_.damaged(w); }, kTimeoutMs))
            die("the window drew nothing after the key " + lastKey_);
    }

    // Sends a key and waits until it is handled; returns milliseconds.
    double key(const std::string& combo, bool draws = true, Window w = None) {
        if (w == None)
            w = window_;
        x_.forgetDamage(w);
        lastKey_ = combo;
        const auto t = Clock::now();
        x_.key(combo);
        settle(draws, w);
        return msSince(t);
    }

    // Resident memory in KiB.
    long residentKiB() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmRSS:", 0) == 0)
                return std::atol(line.c_str() + 6);
        return 0;
    }

    // The window mapped after this process' main window (a dialog), waiting up to timeoutMs.
    Window newWindow(int timeoutMs) {
        Window found = None;
        x_.waitUntil(
            [&] {
                for (Window w : x_.mapped())
                    if (w != window_)
                        found = w;
                return found != None;
            },
            timeoutMs);
        return found;
    }

  private:
    XServer& x_;
    fs::path folder_;
    pid_t pid_ = -1;
    Window window_ = None;
    Clock::time_point start_;
    double startMs_ = 0;
    std::string lastKey_;
};

void writeSettings(const fs::path& folder, bool pane) {
    std::ofstream(folder / "settings.ini") << "[M]\npod=" << (pane ? 1 : 0) << "\n";
}

double runCommand(const std::vector<std::string>& args) {
    const auto t = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        die(args[0] + " failed");
    return msSince(t);
}

// ONLY=start,save,undo,keys limits the run to those groups of rows.
bool wanted(const char* group) {
    const char* only = std::getenv("ONLY");
    return !only || std::string(",").append(only).append(",").find(std::string(",") + group + ",") !=
                        std::string::npos;
}

struct Row {
    std::string what;
    std::string baseline;
    std::vector<double> value, base;
    std::string unit = "ms";
    double goal = 0;
};

void print(const Row& r) {
    if (r.value.empty())
        return; // not run (ONLY)
    const double v = median(r.value), b = median(r.base), ratio = b > 0 ? v / b : 0.0;
    std::printf("%-48s %10.2f %s   %-22s %10.2f %s   ratio %6.2f", r.what.c_str(), v, r.unit.c_str(),
                r.baseline.c_str(), b, r.unit.c_str(), ratio);
    if (r.goal > 0)
        std::printf("   goal <= %.2g: %s", r.goal, ratio <= r.goal ? "met" : "NOT MET");
    std::printf("\n");
}

// Alt+E, D twice in one process: does the Add dialog open both times?
int checkMenus(XServer& x, const fs::path& program, const std::string& image) {
    Editor ed(x, program, {image});

    int opened = 0;
    for (int i = 0; i < 2; ++i) {
        x.key("alt+e");
        const Window menu = ed.newWindow(2000);
        x.key("d");
        Window dialog = None;
        x.waitUntil(
            [&] {
                for (Window w : x.mapped())
                    if (w != ed.window() && w != menu)
                        dialog = w;
                return dialog != None;
            },
            3000);
        std::printf("round %d: Edit menu %s, Add dialog %s\n", i + 1, menu ? "opened" : "did NOT open",
                    dialog ? "opened" : "did NOT open");
        if (!dialog)
            continue;
        ++opened;
        ed.settle();
        std::printf("  input focus %s the dialog (0x%lx, menu 0x%lx, focus 0x%lx)\n",
                    x.focused() == dialog ? "on" : "NOT on", dialog, menu, x.focused());
        x.key("Escape");
        x.waitUntil(
            [&] { return std::find(x.mapped().begin(), x.mapped().end(), dialog) == x.mapped().end(); },
            kTimeoutMs);
        ed.settle();
        const Window f = x.focused();
        std::printf("  after the dialog closed the input focus is %s (window 0x%lx, main 0x%lx)\n",
                    f == ed.window() ? "on the main window" : "NOT on the main window", f, ed.window());
    }
    return opened == 2 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "--menus") {
        XServer x;
        const fs::path app = fs::path(argv[3]) / "app";
        fs::create_directories(app);
        fs::remove(app / "vornix");
        fs::copy_file(argv[2], app / "vornix");
        writeSettings(app, false);
        return checkMenus(x, app / "vornix", fs::absolute(argv[4]).string());
    }
    if (argc < 6)
        die("usage: editor_bench PROGRAM WORKDIR IMAGE SMALL EMPTY [ROUNDS]");
    const fs::path work = fs::absolute(argv[2]);
    const std::string image = fs::absolute(argv[3]).string();
    const std::string small = fs::absolute(argv[4]).string();
    const std::string empty = fs::absolute(argv[5]).string();
    const int rounds = argc > 6 ? std::atoi(argv[6]) : 10;
    const fs::path app = work / "app";
    const fs::path out = fs::path(image).parent_path(); // saved beside the image
    fs::create_directories(app);
    const fs::path program = app / "vornix";
    fs::remove(program);
    fs::copy_file(argv[1], program);
    const double fileMiB = static_cast<double>(fs::file_size(image)) / (1024.0 * 1024.0);

    XServer x;
    Row start{"start with the image, to idle", "no argument", {}, {}, "ms", 1.2};
    Row memory{"memory after opening the image", "no argument", {}, {}, "MiB", 0};
    Row edits{"memory: 200 deletes kept for undo", "the image", {}, {}, "MiB", 0};
    Row save{"Save as of the image (Return to file in place)", "cp of the same file", {}, {}, "ms", 1.2};
    Row undo{"one undo or redo step (label) on the image", "on an empty image", {}, {}, "ms", 1.5};
    Row undoDelete{"undo/redo of deleting the first entry", "of a one-entry image", {}, {}, "ms", 0};
    Row hexKey{"hex preview of a 63 KB entry, per Down key", "pane hidden", {}, {}, "ms", 0};
    Row hold{"Home and 254 Down with the pane showing hex", "pane hidden", {}, {}, "ms", 5};

    int inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // A new file is named only when complete (linked from an unnamed one: IN_CREATE); one
    // that replaces an old file is renamed over it (IN_MOVED_TO).
    inotify_add_watch(inotify, out.c_str(), IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE);

    for (int round = 0; round <= rounds; ++round) {
        const bool counted = round > 0; // the first round warms the caches
        const bool flip = round % 2;    // the order of each pair alternates
        std::fprintf(stderr, "round %d of %d\r", round, rounds);

        // Start-up and memory.
        writeSettings(app, false);
        for (int k = 0; k < 2 && wanted("start"); ++k) {
            const bool withImage = (k == 0) != flip;
            Editor ed(x, program, withImage ? std::vector<std::string>{image} : std::vector<std::string>{});
            if (!counted)
                continue;
            (withImage ? start.value : start.base).push_back(ed.startMs());
            const double mib = static_cast<double>(ed.residentKiB()) / 1024.0;
            if (withImage)
                memory.value.push_back(mib);
            else
                memory.base.push_back(mib);
        }

        // Save as against cp.
        for (int k = 0; k < 2 && wanted("save"); ++k) {
            const fs::path target = out / ("saved-" + std::to_string(round) + ".t64");
            if ((k == 0) != flip) {
                Editor ed(x, program, {image});
                ed.key("ctrl+shift+s", false);
                const Window dialog = ed.newWindow(kTimeoutMs);
                if (!dialog)
                    die("Ctrl+Shift+S showed no save dialog");
                ed.settle(true, dialog);
                // The dialog opens in the image's folder: the name alone, as a user types it.
                ed.key("ctrl+a", false, dialog);
                for (char c : target.filename().string())
                    ed.key(std::string(1, c), false, dialog);
                char events[4096];
                while (read(inotify, events, sizeof events) > 0) {
                }
                const auto t = Clock::now();
                x.key("Return");
                bool written = false;
                while (!written && msSince(t) < kTimeoutMs) {
                    pollfd p{inotify, POLLIN, 0};
                    poll(&p, 1, 100);
                    ssize_t n = 0;
                    while ((n = read(inotify, events, sizeof events)) > 0)
                        for (ssize_t i = 0; i < n;) {
                            auto* e = reinterpret_cast<inotify_event*>(events + i);
                            if (e->len && target.filename() == e->name)
                                written = true;
                            i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
                        }
                }
                if (!written)
                    die("the image was not saved");
                if (counted)
                    save.value.push_back(msSince(t));
                ed.settle();
            } else {
                const double ms = runCommand({"cp", image, target.string()});
                if (counted)
                    save.base.push_back(ms);
            }
            fs::remove(target);
            sync();
        }

        // Undo and redo steps: of a label edit on the image and on an empty one; of deleting
        // the first entry of the image and of a one-entry image. Then the memory of 200 edits.
        for (int k = 0; k < 4 && wanted("undo"); ++k) {
            const bool large = (k % 2 == 0) != flip;
            const bool label = k < 2;
            Editor ed(x, program, {large ? image : label ? empty : small});
            if (label) {
                ed.key("shift+Tab", false); // the list has the focus; before it is the label box
                ed.key("x");
                ed.key("Tab", false);
            } else if (large) {
                ed.key("End", false);
                ed.key("Home", false);
                ed.key("Delete");
            } else {
                ed.key("ctrl+a", false);
                ed.key("Delete");
            }
            Row& row = label ? undo : undoDelete;
            for (int i = 0; i < 10; ++i) {
                const double u = ed.key("ctrl+z");
                const double r = ed.key("ctrl+shift+z");
                if (counted) {
                    (large ? row.value : row.base).push_back(u);
                    (large ? row.value : row.base).push_back(r);
                }
            }
            if (large && label && counted) {
                const long before = ed.residentKiB();
                ed.key("End", false);
                ed.key("Home", false);
                for (int i = 0; i < 200; ++i)
                    ed.key("Delete");
                edits.value.push_back(static_cast<double>(ed.residentKiB() - before) / 1024.0);
                edits.base.push_back(fileMiB);
            }
        }

        // Moving through the list with the preview pane showing hex, and hidden.
        for (int k = 0; k < 2 && wanted("keys"); ++k) {
            const bool pane = (k == 0) != flip;
            writeSettings(app, pane);
            Editor ed(x, program, {image});
            ed.key("End");
            std::vector<double> keys;
            const auto t = Clock::now();
            ed.key("Home");
            for (int i = 0; i < 254; ++i)
                keys.push_back(ed.key("Down"));
            const double total = msSince(t);
            if (counted) {
                (pane ? hold.value : hold.base).push_back(total);
                (pane ? hexKey.value : hexKey.base).push_back(median(keys));
            }
        }
        writeSettings(app, false);
    }
    std::fprintf(stderr, "\n");
    std::printf("%d interleaved rounds, medians; the image is %.1f MiB\n", rounds, fileMiB);
    for (const Row* r : {&start, &save, &undo, &undoDelete, &hexKey, &hold})
        print(*r);
    if (!memory.value.empty())
        std::printf("%-48s %10.2f MiB  %-22s %10.2f MiB  +%.2f x file   goal <= 1.1 x file + a few MiB\n",
                    memory.what.c_str(), median(memory.value), memory.baseline.c_str(), median(memory.base),
                    (median(memory.value) - median(memory.base)) / fileMiB);
    if (!edits.value.empty())
        std::printf("%-48s %10.2f MiB  (%.2f x the file)\n", edits.what.c_str(), median(edits.value),
                    median(edits.value) / fileMiB);
    if (!hexKey.value.empty())
        std::printf("hex preview per Down key: %.2f ms (goal <= 5 ms): %s\n", median(hexKey.value),
                    median(hexKey.value) <= 5 ? "met" : "NOT MET");
    return 0;
}
