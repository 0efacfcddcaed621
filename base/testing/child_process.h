// Runs risky code in a child process with a time limit, so that a crash or a hang fails one test
// case instead of stopping the whole test program.
#pragma once

#include <chrono>
#include <functional>
#include <string>

struct ChildOutcome {
    bool exited = false;   // the body returned (or called exit)
    int exitCode = -1;     // its value, when it exited
    int signal = 0;        // the signal that ended it, when it did not exit
    bool timedOut = false; // still running at the limit, so it was killed

    bool ExitedWith(int code) const { return exited && exitCode == code; }
    // "exited with 0", "killed by signal 11 (Segmentation fault)", "still running after 5000 ms".
    std::string Describe() const;
};

// Forks, runs body in the child and ends the child with body's return value. The parent waits
// at most limit, then kills the child. The child must not touch GoogleTest's state: it returns
// what it found and the parent asserts.
ChildOutcome RunInChild(const std::function<int()>& body, std::chrono::milliseconds limit);
