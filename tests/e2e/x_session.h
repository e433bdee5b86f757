// A virtual X server with one program running on it: start, type, click,
// read the program's output, take screenshots.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char *at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

class XSession {
  public:
    // Starts Xvfb; available() is false when Xvfb or xdotool are missing.
    XSession();
    ~XSession();
    bool available() const { return display_ >= 0; }

    // Starts the program with its arguments, in the working directory given
    // (else ours), its output going to files we read back.
    bool start(const std::string &program, const std::vector<std::string> &args = {},
               const std::string &directory = "");
    // Ends the program if it still runs.
    void stop();
    // Waits for the program's window and gives it the keyboard focus.
    bool wait_window(double seconds);
    // Types one key (an xdotool key name) and lets a few passes run.
    void key(const std::string &name, double settle = 0.25);
    void xdotool(const std::string &args);
    // Holds the program between two instructions and lets it go on: what
    // arrives meanwhile waits for one and the same pass.
    void hold();
    void release();
    // Output and error output of the program so far.
    std::string output() const;
    std::string errors() const;
    // A path in the session's private directory.
    std::string path(const std::string &name) const { return dir_ + "/" + name; }
    // Waits until the output contains text.
    bool wait_output(const std::string &text, double seconds) const;
    // Waits for the program to end; returns its exit status or -1000.
    int wait_exit(double seconds);
    Image screenshot(const std::string &path) const;
    // Window rectangle on the screen.
    bool window_geometry(int &x, int &y, int &w, int &h) const;
    // The program's window, as xdotool names it.
    const std::string &window() const { return window_; }
    // The window's title.
    std::string window_name() const;
    // Asks the window to close, as a window manager's close button does.
    void close_window() const;

  private:
    int display_ = -1;
    pid_t xvfb_ = -1, program_ = -1;
    std::string dir_, window_;
    std::string env() const;
};

} // namespace e2e
