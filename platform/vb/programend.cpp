#include "platform/vb/programend.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace vb {

namespace {

std::function<void(int)>& handlerStore() {
    static std::function<void(int)> handler;
    return handler;
}

[[noreturn]] void leaveProcess(int code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(code);
}

} // namespace

void End(int code) {
    if (const auto handler = handlerStore()) // a copy: the handler may replace itself
        handler(code);
    // A handler that comes back has not ended anything: the process ends here.
    leaveProcess(code);
}

void setEndHandler(std::function<void(int)> handler) {
    handlerStore() = std::move(handler);
}

void throwOnEnd() {
    setEndHandler([](int code) { throw ProgramEnded(code); });
}

} // namespace vb
