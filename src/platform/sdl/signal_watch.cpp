#include "platform/sdl/signal_watch.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

namespace velko::sdl {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// A signal handler reaches nothing but what has static storage; these two are all it needs,
// and only one watch exists at a time to own them.
volatile std::sig_atomic_t gArrived = 0;
volatile std::sig_atomic_t gWriteFd = -1;

extern "C" void onSignal(int sig) {
    const int saved = errno;
    if (gArrived == 0) {
        gArrived = sig;
    }
    const char byte = 1;
    if (gWriteFd >= 0) {
        [[maybe_unused]] const auto n = write(gWriteFd, &byte, 1);
    }
    errno = saved;
}

// A sleep waits in select rather than poll, so that it stays apart from the event wait (which
// polls) for whoever looks at the system call a program sits in, such as the window tests.
bool waitReadable(int fd, int ms) {
    if (fd >= FD_SETSIZE) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, ms) > 0;
    }
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return select(fd + 1, &set, nullptr, nullptr, &tv) > 0;
}

}  // namespace

Result<std::unique_ptr<SignalWatch>> SignalWatch::install() {
    if (gWriteFd >= 0) {
        return makeError("signals are already watched");
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return makeError(std::string("cannot watch for signals: ") + std::strerror(errno));
    }
    std::unique_ptr<SignalWatch> w(new SignalWatch());
    w->readFd_ = fds[0];
    w->writeFd_ = fds[1];
    w->owner_ = std::this_thread::get_id();
    gArrived = 0;
    gWriteFd = fds[1];
    // SDL would turn SIGINT and SIGTERM into a quit event, which a message box holds back.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &w->previous_[i]);
    }
    w->waker_ = std::thread([raw = w.get()] { raw->wakeWindow(); });
    return w;
}

SignalWatch::~SignalWatch() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous_[i], nullptr);
    }
    stopping_ = true;
    const char byte = 0;
    [[maybe_unused]] const auto n = write(writeFd_, &byte, 1);
    waker_.join();
    gWriteFd = -1;
    gArrived = 0;
    close(readFd_);
    close(writeFd_);
}

// The event wait of SDL does not end for a signal (it retries the interrupted poll), but it
// does for an event pushed from another thread.
void SignalWatch::wakeWindow() {
    pollfd p{readFd_, POLLIN, 0};
    while (poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
    if (stopping_) {
        return;
    }
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    SDL_PushEvent(&e);
}

int SignalWatch::arrived() const {
    return gArrived;
}

void SignalWatch::check() {
    const int sig = gArrived;
    if (sig != 0 && ending_ && std::this_thread::get_id() == owner_) {
        ending_(sig);
    }
}

void SignalWatch::sleep(std::uint32_t ms) {
    // Once a signal has arrived the pipe stays readable; without an ending to run the sleep
    // must still take its time, or a pacing loop would spin.
    if (gArrived != 0 && !(ending_ && std::this_thread::get_id() == owner_)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0 || gArrived != 0) {
            break;
        }
        // Longer waits than a poll can take (24 days) take two turns.
        const int slice = static_cast<int>(std::min<long long>(left, 1LL << 30));
        if (waitReadable(readFd_, slice) && gArrived != 0) {
            break;
        }
    }
    check();
}

}  // namespace velko::sdl
