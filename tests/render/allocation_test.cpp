// A tick and a frame allocate nothing: counted over many real ticks and
// frames, as calls to the C library's allocator and as busy blocks in every
// heap of the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "scene_fixture.h"
#include "test_window.h"
#include "renderer.h"

namespace {

// Counts the C library's allocations made by this program, by routing its
// imports of malloc, calloc and realloc (operator new ends in malloc too)
// through counters.
volatile long allocations = 0;
void* (*realMalloc)(size_t);
void* (*realCalloc)(size_t, size_t);
void* (*realRealloc)(void*, size_t);

void* CountedMalloc(size_t size) {
  InterlockedIncrement(&allocations);
  return realMalloc(size);
}
void* CountedCalloc(size_t count, size_t size) {
  InterlockedIncrement(&allocations);
  return realCalloc(count, size);
}
void* CountedRealloc(void* p, size_t size) {
  InterlockedIncrement(&allocations);
  return realRealloc(p, size);
}

// Replaces the import `name` of msvcrt.dll in this program; returns the old one.
void* HookImport(const char* name, void* replacement) {
  BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "msvcrt.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<char*>(byName->Name), name) != 0) continue;
      DWORD protection;
      VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
      void* old = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
      return old;
    }
  }
  return nullptr;
}

template <typename F>
void Hook(const char* name, F replacement, F* original) {
  *original = reinterpret_cast<F>(HookImport(name, reinterpret_cast<void*>(replacement)));
}

// Busy blocks in all heaps of the process.
long HeapBlocks() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  long blocks = 0;
  for (DWORD i = 0; i < count && i < 64; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
    }
    HeapUnlock(heaps[i]);
  }
  return blocks;
}

TEST(Allocation, TicksAndFramesAllocateNothing) {
  HWND window = CreateTestWindow("AllocationWindow", 320, 240);
  ASSERT_NE(window, nullptr);
  ResetScene(kMaxSatellites);
  SpawnSatellites();
  rendererState = {};
  rendererState.clientWidth = 320;
  rendererState.clientHeight = 240;
  ASSERT_TRUE(LoadGlLibraries());
  InitGl(window);
  ASSERT_NE(wglGetCurrentContext(), nullptr);
  for (int i = 0; i < 20; ++i) {  // the driver settles in on its first frames
    AdvanceScene();
    DrawScene();
    SwapBuffers(rendererState.deviceContext);
  }

  Hook("malloc", CountedMalloc, &realMalloc);
  Hook("calloc", CountedCalloc, &realCalloc);
  Hook("realloc", CountedRealloc, &realRealloc);
  ASSERT_TRUE(realMalloc && realCalloc && realRealloc);
  const long probeBefore = allocations;
  void* volatile probe = std::malloc(16);
  std::free(probe);
  ASSERT_EQ(allocations - probeBefore, 1) << "the counters see this program's allocations";

  const long allocationsBefore = allocations;
  const long blocksBefore = HeapBlocks();
  // Enough to see one allocation a tick or a frame, few enough that a
  // thousand satellites on a software renderer stay quick on a busy machine.
  for (int i = 0; i < 30; ++i) {
    AdvanceScene();
    DrawScene();
  }
  const long blocksAfter = HeapBlocks();
  EXPECT_EQ(allocations - allocationsBefore, 0);
  EXPECT_EQ(blocksAfter, blocksBefore);

  ShutdownGl(window);
  DestroyWindow(window);
}

}  // namespace
