// The full path of a system DLL, built where the DLL search cannot be
// restricted: a lost separator would leave OpenGL unloadable there.
#include <gtest/gtest.h>

#include <string>

#include "system_path.h"

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
  wchar_t path[64];
  ASSERT_TRUE(JoinPath(L"C:\\Windows\\system32", L"opengl32.dll", path, 64));
  EXPECT_EQ(std::wstring(path), L"C:\\Windows\\system32\\opengl32.dll");
  ASSERT_TRUE(JoinPath(L"C:\\", L"glu32.dll", path, 64));
  EXPECT_EQ(std::wstring(path), L"C:\\glu32.dll");
}

TEST(JoinPath, RefusesWhatDoesNotFitAndLeavesNoPartialPath) {
  // "C:\x\a.dll" is 10 characters: it needs 11 with the NUL.
  wchar_t path[11];
  EXPECT_TRUE(JoinPath(L"C:\\x", L"a.dll", path, 11));
  EXPECT_EQ(std::wstring(path), L"C:\\x\\a.dll");
  EXPECT_FALSE(JoinPath(L"C:\\x", L"a.dll", path, 10));
  EXPECT_EQ(path[0], L'\0');
}
