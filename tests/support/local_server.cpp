#include "support/local_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "support/test_support.h"

namespace korvane::test {

LocalServer::LocalServer(const std::vector<std::string>& args, const std::string& script) {
  int in[2];
  int out[2];
  if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[0]);
    close(in[1]);
    close(out[0]);
    close(out[1]);
    std::vector<std::string> all = {"python3", script};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp("python3", argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  stdin_ = in[1];
  // The first line is "PORT <n>".
  std::string line;
  char c = 0;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  if (line.rfind("PORT ", 0) != 0) throw std::runtime_error("the local server did not start");
  port_ = std::stoi(line.substr(5));
}

LocalServer::~LocalServer() {
  if (stdin_ >= 0) close(stdin_);  // the server ends when its input closes
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
}

std::string LocalServer::Url(const std::string& mode, const std::string& scheme) const {
  return scheme + "://127.0.0.1:" + std::to_string(port_) + "/m/" + mode;
}

fs::path TlsFile(const std::string& name) { return fs::path(KORVANE_TEST_TLS_DIR) / name; }

void WriteResultDays(const fs::path& file, const std::vector<ResultDay>& days) {
  std::string text;
  for (const ResultDay& d : days) text += d.date + "\t" + d.midday + "\t" + d.evening + "\n";
  WriteBytes(file, text);
}

}  // namespace korvane::test
