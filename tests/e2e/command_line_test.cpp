// The built saver as its own process: every command-line form, the preview
// inside a parent window, the configuration dialog, the password change on
// the older family, and the fault guard.
#include <gtest/gtest.h>

#include <string>

#include "saver_script.h"
#include "saver_process.h"

namespace {

const DWORD kRefused = 0xFFFFFFFF;  // -1

class SaverCommandLine : public testing::Test {
 protected:
  void SetUp() override { ClearTestRegistry(); }
  void TearDown() override { ClearTestRegistry(); }
};

TEST_F(SaverCommandLine, RefusedFormsExitMinusOneAndLeaveNothing) {
  ParentWindow notParent(40, 40);
  const std::string gone = Handle(notParent.handle);
  DestroyWindow(notParent.handle);
  const std::string refused[] = {"/x", "/\ts",       "/\xC3", "/p",      "/p 0", "/p:1234",
                                 "/l", "/p " + gone, "/a",    "/a 1234", "-/ q"};
  for (const std::string& args : refused) {
    SaverProcess saver(Line(args));
    ASSERT_TRUE(saver.started);
    EXPECT_EQ(saver.Wait(), kRefused) << "arguments \"" << args << "\"";
    EXPECT_FALSE(SettingsKeyExists()) << args;
  }
}

TEST_F(SaverCommandLine, EveryFullScreenFormRunsUntilAKey) {
  for (const char* args : {"/S", "-s", "s", "//s", "/scr", "  /s"}) {
    SaverProcess saver(Line(args));
    HWND window = WaitForWindow(FindFullScreenSaver);
    ASSERT_NE(window, nullptr) << args;
    PostMessageA(window, WM_KEYDOWN, 'K', 0);
    EXPECT_EQ(saver.Wait(), 0u) << args;
  }
  EXPECT_EQ(StoredCount(), 5u);  // written back by the run
}

TEST_F(SaverCommandLine, SecondFullScreenStartEndsAtOnce) {
  SaverProcess first(Line("/s"));
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  SaverProcess second(Line("/s"));
  EXPECT_EQ(second.Wait(), 0u);
  EXPECT_EQ(first.Wait(0), STILL_ACTIVE);
  PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(first.Wait(), 0u);
}

// A folder with blanks in its name that also holds DLLs planted beside the
// saver, named like system DLLs that windows, dialogs and the runtime's
// start-up load (Wine is told to prefer them there, as Windows does for DLLs
// that are not known system ones): full screen, preview, dialog and a
// refused letter run as always and load none.
TEST_F(SaverCommandLine, SaverInAFolderWithBlanksAndPlantedDllsLoadsNone) {
  const std::string folder = TestFolder() + "saver copies\\";
  const std::string planted = TestFolder() + "..\\planted\\";
  const char* const dlls[] = {"uxtheme.dll", "dwmapi.dll", "ole32.dll", "msimg32.dll", "bcrypt.dll", "crypt32.dll"};
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((TestFolder() + "kelvaris.scr").c_str(), (folder + "kelvaris.scr").c_str(), FALSE));
  for (const char* dll : dlls) {
    ASSERT_TRUE(CopyFileA((planted + dll).c_str(), (folder + dll).c_str(), FALSE)) << dll;
    DeleteFileA((folder + dll + ".loaded").c_str());
  }

  SaverProcess saver("\"" + folder + "kelvaris.scr\" /s");
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, 'K', 0);
  EXPECT_EQ(saver.Wait(), 0u);

  ParentWindow parent(152, 112);
  SaverProcess preview("\"" + folder + "kelvaris.scr\" /p " + Handle(parent.handle));
  // The parent goes only once the preview has started, its window made.
  ASSERT_NE(WaitForWindow([&] {
              HWND child = FindWindowExA(parent.handle, nullptr, "WindowsScreenSaverClass", nullptr);
              return child && HasVisibleStyle(child) ? child : nullptr;
            }),
            nullptr);
  DestroyWindow(parent.handle);
  EXPECT_EQ(preview.Wait(), 0u);

  // An unclosed quote swallows the whole line: no arguments, the dialog.
  const std::string program = folder + "kelvaris.scr";
  SaverProcess unclosed("\"" + program + " /s", program.c_str());
  HWND dialog = WaitForWindow(FindConfigDialog);
  ASSERT_NE(dialog, nullptr);
  // Drawn whole before it goes: its controls' drawing is what loads more DLLs.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(unclosed.Wait(), 0u);

  SaverProcess refused("\"" + program + "\" /x");
  EXPECT_EQ(refused.Wait(), kRefused);

  for (const char* dll : dlls) {
    EXPECT_EQ(GetFileAttributesA((folder + dll + ".loaded").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the planted " << dll << " was loaded";
  }
}

// Wine draws OpenGL into a child window off screen, so the preview's frames
// cannot be read back from outside; the host tests read them in-process.
TEST_F(SaverCommandLine, PreviewRunsInsideItsParentUntilTheParentGoes) {
  for (const char* form : {"/p ", "/p", "/l "}) {
    ParentWindow parent(152, 112);
    SaverProcess saver(Line(form + Handle(parent.handle)));
    HWND child = WaitForWindow(
        [&] { return FindWindowExA(parent.handle, nullptr, "WindowsScreenSaverClass", "Preview"); });
    ASSERT_NE(child, nullptr) << form;
    RECT client;
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);

    PostMessageA(child, WM_KEYDOWN, 'K', 0);
    PostMessageA(child, WM_LBUTTONDOWN, 0, 0);
    SetCursorPos(500, 500);
    PostMessageA(child, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(WaitUntilHandled(saver, child)) << "input closed the preview " << form;

    DestroyWindow(parent.handle);
    EXPECT_EQ(saver.Wait(), 0u) << form;
  }
}

// Runs the dialog with the given arguments, lets `act` work on it, and
// returns the exit code.
DWORD RunDialog(const std::string& args, const std::function<void(HWND)>& act) {
  SaverProcess saver(Line(args));
  HWND dialog = WaitForWindow(FindConfigDialog);
  EXPECT_NE(dialog, nullptr) << args;
  if (!dialog) return STILL_ACTIVE;
  act(dialog);
  return saver.Wait();
}

std::string FieldText(HWND dialog) {
  char text[64] = {};
  GetDlgItemTextA(dialog, 1005, text, sizeof(text));
  return text;
}

// Reads the field into *shown, then presses the button.
std::function<void(HWND)> ReadFieldAndPress(std::string* shown, WPARAM button) {
  return [shown, button](HWND d) {
    *shown = FieldText(d);
    PostMessageA(d, WM_COMMAND, button, 0);
  };
}

TEST_F(SaverCommandLine, DialogShowsTheCountAndStoresTheConvertedText) {
  std::string shown;
  EXPECT_EQ(RunDialog("/c", ReadFieldAndPress(&shown, IDCANCEL)), 0u);
  EXPECT_EQ(shown, "5");
  EXPECT_FALSE(SettingsKeyExists());

  struct Typed {
    const char* text;
    DWORD stored;
  };
  for (Typed t : {Typed{" 12", 12}, Typed{"12abc", 12}, Typed{"abc", 0}, Typed{"", 0}, Typed{"+7", 7},
                  Typed{"1234567890123456789012345678901234567890", 2147483647},
                  Typed{"-99999999999", 0x80000000}, Typed{"0000000000000000000000000000000000000042", 0}}) {
    const DWORD code = RunDialog("/c", [&](HWND d) {
      SetDlgItemTextA(d, 1005, t.text);
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(code, 1u) << t.text;
    EXPECT_EQ(StoredCount(), t.stored) << "typed \"" << t.text << "\"";
  }

  // The last OK stored 0; the dialog shows what is stored.
  StoreCount(33);
  EXPECT_EQ(RunDialog("", ReadFieldAndPress(&shown, IDOK)), 1u);
  EXPECT_EQ(shown, "33");
  EXPECT_EQ(StoredCount(), 33u);
}

TEST_F(SaverCommandLine, CancelEscapeAndCloseStoreNothing) {
  StoreCount(9);
  auto edited = [](HWND d) { SetDlgItemTextA(d, 1005, "77"); };
  EXPECT_EQ(RunDialog("/c",
                      [&](HWND d) {
                        edited(d);
                        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                      }),
            0u);
  EXPECT_EQ(RunDialog("/c",
                      [&](HWND d) {
                        edited(d);
                        PostMessageA(GetDlgItem(d, 1005), WM_KEYDOWN, VK_ESCAPE, 0);
                      }),
            0u);
  EXPECT_EQ(RunDialog("/c",
                      [&](HWND d) {
                        edited(d);
                        PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
                      }),
            0u);
  EXPECT_EQ(StoredCount(), 9u);
}

TEST_F(SaverCommandLine, DialogOwnerIsTheGivenWindowOrTheForegroundOne) {
  ParentWindow foreground(60, 60);
  ParentWindow named(60, 60);
  SetForegroundWindow(foreground.handle);
  struct Form {
    std::string args;
    HWND owner;
  };
  // The dialog owned by `named` comes last: when it closes, the system
  // activates its owner, and under Wine that can arrive after the next
  // SetForegroundWindow below and take the foreground from `foreground`.
  for (const Form& f : {Form{"/c " + Handle(named.handle), foreground.handle}, Form{"/c", foreground.handle},
                        Form{"/c:0", foreground.handle}, Form{"", nullptr},
                        Form{"/c:" + Handle(named.handle), named.handle}}) {
    SetForegroundWindow(foreground.handle);
    HWND owner = reinterpret_cast<HWND>(-1);
    RunDialog(f.args, [&](HWND d) {
      owner = GetWindow(d, GW_OWNER);
      PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(owner, f.owner) << "arguments \"" << f.args << "\"";
  }
}

TEST_F(SaverCommandLine, ChangePasswordOnTheOlderFamily) {
  ParentWindow owner(60, 60);
  SaverProcess saver(Line("/a " + Handle(owner.handle), "kelvaris98.scr"));
  EXPECT_EQ(saver.Wait(), 0u);
  EXPECT_EQ(ReadTestDword("ChangeCalls", 0), 1u);
  EXPECT_EQ(ReadTestDword("ChangeOwner", 0), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner.handle)));
}

TEST_F(SaverCommandLine, FaultGuardEndsTheRunWithTheFaultCode) {
  SetUsePassword(1);
  WriteTestDword("VerifyFaults", 1);
  SaverProcess saver(Line("/s", "kelvaris98.scr"));
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, 'K', 0);  // the close asks the verifier, which faults
  EXPECT_EQ(saver.Wait(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
}

}  // namespace
