// The texture error codes and their once-per-path reporter.
#pragma once

namespace orv::tex {

enum TextureError : int {
    kNotFound = 1,
    kNoMemory = 2,
    kBadFormat = 3,
    kReadError = 4,
    kTooLarge = 5,
    kNotSquare = 6,
    kBadSize = 7,
    kReported = 8, // the reader has printed its own message
    kColorMap = 9
};

// Prints the message of code with the path unless the path is among the last
// six reported (it then becomes the most recent).
void report_error(int code, const char *path);
// Forgets the remembered paths (a new universe starts afresh).
void forget_reported();

} // namespace orv::tex
