#include "x_session.h"

#include <png.h>

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace e2e {

namespace {

std::string run(const std::string &command) {
    std::string out;
    if (FILE *p = popen(command.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

void pause_for(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string file_text(const std::string &path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool have(const char *tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

XSession::XSession() {
    if (!have("Xvfb") || !have("xdotool")) return;
    char tmpl[] = "/tmp/orv-e2e-XXXXXX";
    if (!mkdtemp(tmpl)) return;
    dir_ = tmpl;
    int fds[2];
    if (pipe(fds) != 0) return;
    xvfb_ = fork();
    if (xvfb_ == 0) {
        close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        std::freopen("/dev/null", "w", stderr);
        // Without -noreset the server resets whenever its last client leaves
        // (each xdotool call), and a program connecting meanwhile loses its
        // display.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes the number and the newline separately and dies when
    // the pipe is closed between the two: read up to the newline.
    std::string number;
    char c;
    for (;;) {
        ssize_t n = read(fds[0], &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) display_ = std::atoi(number.c_str());
}

void XSession::stop() {
    if (program_ > 0) {
        kill(program_, SIGKILL);
        waitpid(program_, nullptr, 0);
    }
    program_ = -1;
}

XSession::~XSession() {
    stop();
    if (xvfb_ > 0) {
        kill(xvfb_, SIGTERM);
        waitpid(xvfb_, nullptr, 0);
    }
    if (!dir_.empty()) run("rm -rf " + dir_);
}

std::string XSession::env() const {
    return "DISPLAY=:" + std::to_string(display_) + " ";
}

bool XSession::start(const std::string &program, const std::vector<std::string> &args,
                     const std::string &directory) {
    if (!available()) return false;
    stop();
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    program_ = fork();
    if (program_ == 0) {
        setenv("DISPLAY", (":" + std::to_string(display_)).c_str(), 1);
        setenv("ORV_NO_DIALOGS", "1", 1);
        unsetenv("SDL_VIDEODRIVER");
        // No session bus under the virtual server: fail fast instead of waiting on it.
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
        std::freopen(path("out.txt").c_str(), "w", stdout);
        std::freopen(path("err.txt").c_str(), "w", stderr);
        if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    return program_ > 0;
}

void XSession::hold() {
    if (program_ > 0) kill(program_, SIGSTOP);
}

void XSession::release() {
    if (program_ > 0) kill(program_, SIGCONT);
}

bool XSession::wait_window(double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        std::istringstream ids(
            run(env() + "xdotool search --onlyvisible --name Orvane 2>/dev/null"));
        if (ids >> window_) {
            xdotool("windowfocus --sync " + window_);
            pause_for(0.5);
            return true;
        }
        pause_for(0.2);
    }
    return false;
}

void XSession::xdotool(const std::string &args) {
    run(env() + "xdotool " + args + " 2>/dev/null");
}

void XSession::key(const std::string &name, double settle) {
    xdotool("key " + name);
    pause_for(settle);
}

std::string XSession::output() const {
    return file_text(path("out.txt"));
}

std::string XSession::errors() const {
    return file_text(path("err.txt"));
}

bool XSession::wait_output(const std::string &text, double seconds) const {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        if (output().find(text) != std::string::npos) return true;
        pause_for(0.1);
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

int XSession::wait_exit(double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (waitpid(program_, &status, WNOHANG) == program_) {
            program_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        }
        pause_for(0.1);
    }
    return -1000;
}

bool XSession::window_geometry(int &x, int &y, int &w, int &h) const {
    std::string out = run(env() + "xdotool getwindowgeometry --shell " + window_);
    return std::sscanf(out.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &x, &y, &w,
                       &h) == 4;
}

std::string XSession::window_name() const {
    std::string name = run(env() + "xdotool getwindowname " + window_ + " 2>/dev/null");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

void XSession::close_window() const {
    run(env() + XCLOSE_PATH + std::string(" ") + window_);
}

Image XSession::screenshot(const std::string &path) const {
    Image image;
    run(env() + XSHOT_PATH + std::string(" ") + path);
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return image;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return Image{};
    }
    png_init_io(png, f);
    png_read_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.rgb.resize(size_t(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y)
        png_read_row(png, &image.rgb[size_t(y) * image.width * 3], nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return image;
}

} // namespace e2e
