#include "platform/report.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

const char* report_prefix = "Graze";

} // namespace

void set_report_prefix(const char* prefix) { report_prefix = prefix; }

void report_line(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string line = std::string(report_prefix) + ": ";
    const std::size_t start = line.size();
    if (length > 0) {
        line.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(line.data() + start, static_cast<std::size_t>(length) + 1, format, again);
        line.resize(start + static_cast<std::size_t>(length));
    }
    va_end(again);
    // One write of the whole line, so lines of two threads never interleave.
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}
