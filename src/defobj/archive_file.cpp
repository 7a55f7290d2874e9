#include "defobj/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "defobj/raise.h"

namespace {

// The open descriptor of the regular file at the path, or -1 when there
// is none. The open does not wait for a FIFO's writer.
int openRegular(const char* path, const char* function) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return -1;
    raiseAt(LoadError, function, "> cannot read archive %s: %s\n", path, std::strerror(errno));
  }
  struct stat status = {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const bool directory = S_ISDIR(status.st_mode);
    close(fd);
    raiseAt(LoadError, function, "> archive %s is %s\n", path, directory ? "a directory" : "not a regular file");
  }
  return fd;
}

}  // namespace

FILE* archive_open_for_reading(const char* path, const char* function) {
  const int fd = openRegular(path, function);
  if (fd < 0) return nullptr;
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* file = fdopen(fd, "r");
  if (!file) {
    close(fd);
    raiseAt(LoadError, function, "> cannot read archive %s: %s\n", path, std::strerror(errno));
  }
  return file;
}

bool archive_file_present(const char* path, const char* function) {
  const int fd = openRegular(path, function);
  if (fd < 0) return false;
  close(fd);
  return true;
}
