#pragma once
// Ending the program at once (End statement). Tests replace the handler with
// one that throws ProgramEnded, so they see the end without ending themselves.

#include <functional>
#include <stdexcept>

namespace vb {

struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(int c) : std::runtime_error("program ended"), code(c) {}
    int code;
};

// Never returns: the handler must end the process or throw.
[[noreturn]] void End(int code = 0);
// Empty function restores the default (flush and leave the process).
void setEndHandler(std::function<void(int)> handler);
// Handler for tests: throws ProgramEnded.
void throwOnEnd();

} // namespace vb
