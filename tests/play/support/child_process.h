#pragma once
// A program the test starts with its own environment additions and its output in
// a file, signals, and waits for with a time limit (a hung program fails the test
// rather than hanging it).

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ChildProcess {
 public:
  // Starts program with args; extraEnv: "NAME=VALUE" entries added to (or replacing) the test's own.
  // stdout and stderr go to outputPath.
  bool Start(const std::string& program, const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
             const std::string& outputPath) {
    std::vector<std::string> env = extraEnv;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      bool replaced = false;
      for (const std::string& extra : extraEnv) replaced = replaced || entry.substr(0, entry.find('=') + 1) == extra.substr(0, extra.find('=') + 1);
      if (!replaced) env.push_back(entry);
    }
    std::vector<std::string> argStrings = {program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const int failed = posix_spawnp(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) pid_ = -1;
    return !failed;
  }

  ~ChildProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Signal(int sig) {
    if (pid_ > 0 && !exited_) kill(pid_, sig);
  }

  bool Running() {
    Poll();
    return pid_ > 0 && !exited_;
  }

  // The exit status once it ended within seconds; -1 when it did not (it is then killed), -2 for a signal.
  int Wait(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (Running() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!exited_) return -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -2;
  }

 private:
  void Poll() {
    if (pid_ <= 0 || exited_) return;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) exited_ = true;
  }

  pid_t pid_ = -1;
  bool exited_ = false;
  int status_ = 0;
};
