// CommandRun.h - runs the built vorabs-translate and keeps its exit status and both streams.
#pragma once

#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

inline std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct CommandRun {
  int status = -1;
  std::string out; // standard output
  std::string err; // standard error
};

// The command run with args (a shell word list) in folder.
inline CommandRun run_command(const TempDir& folder, const std::string& args) {
  const std::string out = folder.file("stdout"), err = folder.file("stderr");
  const std::string command =
      std::string(VORABS_TRANSLATE_COMMAND) + " " + args + " >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  CommandRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = file_text(out);
  run.err = file_text(err);
  return run;
}

inline int count_lines(const std::string& text) {
  int lines = 0;
  for (char c : text)
    lines += c == '\n';
  return lines;
}
