// Where the running program's executable lies, found from its name the way
// the shell finds commands.
#pragma once

// The canonical absolute path as a fresh xmalloc'd string; null with errno
// ENOENT when no readable and executable candidate exists.
char* find_executable(const char* name);
