#include "base/testing/child_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <thread>

std::string ChildOutcome::Describe() const
{
    if (timedOut) {
        return "still running at the time limit";
    }
    if (exited) {
        return "exited with " + std::to_string(exitCode);
    }
    return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
}

ChildOutcome RunInChild(const std::function<int()>& body, std::chrono::milliseconds limit)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        // A crash must end the child by its signal even where a runtime (such as a sanitizer)
        // has installed handlers that would turn it into an ordinary exit.
        for (const int fatal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
            ::signal(fatal, SIG_DFL);
        }
        const int code = body();
        std::fflush(nullptr);
        ::_exit(code);
    }
    ChildOutcome outcome;
    if (child < 0) {
        outcome.signal = -1;
        return outcome;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (done == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        outcome.timedOut = true;
        return outcome;
    }
    if (WIFEXITED(status)) {
        outcome.exited = true;
        outcome.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
    return outcome;
}
