// End-to-end checks: the built tavo-convert started as a process, its stdout, stderr and exit
// status captured.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "convert_run.h"

extern char** environ;

namespace {

struct Captured {
    int status = -1;  // the exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Drains both pipes together, so that a child filling one cannot block on the other.
void Drain(int outFd, int errFd, Captured& captured) {
    std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&captured.out, &captured.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds.data(), fds.size(), 10000) <= 0) {
            if (errno == EINTR) continue;
            ADD_FAILURE() << "tavo-convert did not finish its output";
            return;
        }
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            std::array<char, 4096> buffer{};
            const ssize_t got = read(fds[k].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[k]->append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[k].fd = -1;
                --open;
            }
        }
    }
}

// Starts the program with args; with stdoutPath its stdout goes to that file instead.
Captured Spawn(std::initializer_list<std::string> args, const char* stdoutPath = nullptr) {
    Captured captured;
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
        ADD_FAILURE() << "pipe failed";
        return captured;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath, O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    for (const int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
        posix_spawn_file_actions_addclose(&actions, fd);
    }

    std::string program = TAVO_CONVERT_PATH;
    std::vector<std::string> storage(args);
    std::vector<char*> argv{program.data()};
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned == 0) Drain(outPipe[0], errPipe[0], captured);
    close(outPipe[0]);
    close(errPipe[0]);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return captured;
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(wstatus)) captured.status = WEXITSTATUS(wstatus);
    return captured;
}

// What the program prints must be exactly what the in-process run produces.
void ExpectSameAsInProcess(std::initializer_list<std::string> args) {
    const std::vector<std::string> owned(args);
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    const tavo::cli::Outcome expected = tavo::cli::Run(views);
    const Captured captured = Spawn(args);
    EXPECT_EQ(captured.status, expected.status);
    EXPECT_EQ(captured.out, expected.out);
    EXPECT_EQ(captured.err, expected.err);
}

TEST(Process, WritesWhatTheRunProducesWithItsExitStatus) {
    ExpectSameAsInProcess({"Length"});
    ExpectSameAsInProcess({"--refresh", "--exp", "Length", "ヤード", "100"});
    ExpectSameAsInProcess({"面積", "坪", "－３０"});
    ExpectSameAsInProcess({"--", "Weight", "8", "--"});
    ExpectSameAsInProcess({"--help"});
    ExpectSameAsInProcess({"Lenght"});
    ExpectSameAsInProcess({"Length", "1"});
    ExpectSameAsInProcess({});
}

TEST(Process, ExitStatusesAndStreams) {
    const Captured fresh = Spawn({"Length"});
    EXPECT_EQ(fresh.status, 0);
    EXPECT_EQ(fresh.out.rfind("0\tメートル\t 1\n1\tヤード\t 1.094\n", 0), 0U) << fresh.out;
    const Captured misuse = Spawn({"Volume", "gallon", "1"});
    EXPECT_EQ(misuse.status, 2);
    EXPECT_EQ(misuse.out, "");
    EXPECT_NE(misuse.err.find("4 ガロン(米)"), std::string::npos) << misuse.err;
    const Captured help = Spawn({"--exp", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: tavo-convert", 0), 0U);
}

TEST(Process, AnOutputThatCannotBeWrittenFails) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    const Captured captured = Spawn({"Length"}, "/dev/full");
    EXPECT_EQ(captured.status, 1);
    EXPECT_NE(captured.err.find("could not write"), std::string::npos) << captured.err;
}

}  // namespace
