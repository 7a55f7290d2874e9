// Cuts the last component off a path in place, keeping the separator
// before it; both "/" and "\" separate, and a trailing separator is passed
// over first: "/a/b/c" and "/a/b/c/" become "/a/b/", "/a" becomes "/".
#pragma once

// The path, or null (path unchanged) when it is null, shorter than two
// characters or has no separator before its last component.
char* dropdir(char* path);
