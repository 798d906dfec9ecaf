// The full path of a file in a folder, as the saver builds the path of a
// system DLL on systems that cannot restrict the DLL search. Platform-free,
// so that it is checked natively.
#pragma once

#include <cstddef>

// Writes folder, a backslash and name into path, which holds capacity
// characters with the terminating NUL. A folder that already ends in a
// backslash (the root of a drive) gets none added. When the result does not
// fit, returns false and leaves path empty.
bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity);
