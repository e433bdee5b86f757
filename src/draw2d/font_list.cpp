#include "draw2d/font_list.h"

#include "orv/message.h"

#include <cctype>
#include <climits>

namespace orv::draw2d {
namespace {

bool is_blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Leading white space dropped, every run of it one blank, no trailing blank.
std::string squeeze(const char *begin, const char *end) {
    std::string out;
    bool pending_blank = false;
    for (const char *p = begin; p != end; ++p) {
        if (is_blank(*p)) {
            pending_blank = !out.empty();
            continue;
        }
        if (pending_blank) out += ' ';
        pending_blank = false;
        out += *p;
    }
    return out;
}

// A decimal height, saturated rather than overflowing; the font maker
// refuses heights it cannot draw.
int parse_height(const std::string &word) {
    long long value = 0;
    std::size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) negative = word[i++] == '-';
    for (; i < word.size() && std::isdigit(static_cast<unsigned char>(word[i])); ++i)
        if (value < INT_MAX) value = value * 10 + (word[i] - '0');
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

// One squeezed line into a request; false when its face name is too long.
bool parse_line(const std::string &line, FontRequest *request) {
    request->face = line;
    request->height = 0;
    const std::size_t blank = line.rfind(' ');
    if (std::isdigit(static_cast<unsigned char>(line.back())) && blank != std::string::npos) {
        request->height = parse_height(line.substr(blank + 1));
        request->face = line.substr(0, blank);
    }
    if (request->face.size() > max_face_name) {
        OVwarning("Font face name longer than %zu characters: %s\n", max_face_name,
                  request->face.c_str());
        return false;
    }
    return true;
}

} // namespace

std::vector<FontRequest> parse_font_list(const char *text, std::size_t size) {
    std::vector<FontRequest> requests;
    const char *end = text + size;
    int number = 0;
    for (const char *line = text; line < end;) {
        const char *stop = line;
        while (stop < end && *stop != '\n')
            ++stop;
        const char *next = stop < end ? stop + 1 : end;
        ++number;
        if (stop > line && stop[-1] == '\r') --stop;
        const std::size_t length = static_cast<std::size_t>(stop - line);
        if (length > max_font_line) {
            OVwarning("Font list line %d is longer than %zu characters; skipped\n", number,
                      max_font_line);
        } else if (length > 1) {
            const std::string squeezed = squeeze(line, stop);
            FontRequest request;
            if (!squeezed.empty() && parse_line(squeezed, &request))
                requests.push_back(std::move(request));
        }
        line = next;
    }
    return requests;
}

} // namespace orv::draw2d
