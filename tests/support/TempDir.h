// TempDir.h - a temporary folder that a test creates and removes again.
#pragma once

#include <string>

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Full name of a file inside the folder.
  std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};
