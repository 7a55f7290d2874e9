// Textual canonical form of a path: absolute, without "." components,
// ".." folded into the component before it, single separators. Only the
// current directory is read from the file system; links are not resolved.
#pragma once

// A fresh xmalloc'd string, or null when the path is null or the current
// directory cannot be had.
char* brood_realpath(const char* path);
