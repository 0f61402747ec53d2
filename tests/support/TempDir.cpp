// TempDir.cpp - a temporary folder that a test creates and removes again.
#include "TempDir.h"

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorabs-test-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
