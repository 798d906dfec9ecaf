#include "renderer.h"

#include "dll_search.h"

// OpenGL and GLU are not in the import table: a DLL named there is looked
// for in the program's own folder first, before any of our code runs, so a
// saver opened from a Downloads folder would run a planted opengl32.dll or
// glu32.dll. They are loaded here from the system folder instead.
//
// GL's functions are declared dllimport, so the compiler calls them through
// the pointers __imp_<name>; those pointers are defined here and filled from
// the loaded DLL. GLU's are plain functions, defined here to call through
// pointers of their own. The 32-bit build, kept only to keep the code
// portable and not shipped, decorates these names differently and still
// takes both DLLs from its import table.
#ifdef _WIN64

// Every function of each DLL that the saver calls.
// clang-format off
#define KELVARIS_GL_ENTRIES(X) \
  X(glCallList)                \
  X(glClear)                   \
  X(glClearColor)              \
  X(glClearDepth)              \
  X(glColor4f)                 \
  X(glDeleteLists)             \
  X(glDepthFunc)               \
  X(glEnable)                  \
  X(glEndList)                 \
  X(glGenLists)                \
  X(glHint)                    \
  X(glLightfv)                 \
  X(glLoadIdentity)            \
  X(glMaterialfv)              \
  X(glMatrixMode)              \
  X(glNewList)                 \
  X(glRotatef)                 \
  X(glShadeModel)              \
  X(glTranslatef)              \
  X(glViewport)                \
  X(wglCreateContext)          \
  X(wglDeleteContext)          \
  X(wglMakeCurrent)

#define KELVARIS_GLU_ENTRIES(X) \
  X(gluDeleteQuadric)           \
  X(gluNewQuadric)              \
  X(gluPerspective)             \
  X(gluQuadricNormals)          \
  X(gluQuadricTexture)          \
  X(gluSphere)
// clang-format on

extern "C" {
#define KELVARIS_DEFINE_IMPORT(name) void* __imp_##name = nullptr;
KELVARIS_GL_ENTRIES(KELVARIS_DEFINE_IMPORT)
}

namespace {

#define KELVARIS_DEFINE_ENTRY(name) decltype(&name) name##Entry = nullptr;
KELVARIS_GLU_ENTRIES(KELVARIS_DEFINE_ENTRY)

HMODULE openglLibrary;
HMODULE gluLibrary;

template <typename Pointer>
bool Resolve(HMODULE library, const char* name, Pointer* entry) {
  *entry = reinterpret_cast<Pointer>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return *entry != nullptr;
}

}  // namespace

extern "C" {
GLUquadric* APIENTRY gluNewQuadric() { return gluNewQuadricEntry(); }
void APIENTRY gluDeleteQuadric(GLUquadric* quadric) { gluDeleteQuadricEntry(quadric); }
void APIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  gluPerspectiveEntry(fovy, aspect, zNear, zFar);
}
void APIENTRY gluQuadricNormals(GLUquadric* quadric, GLenum normals) {
  gluQuadricNormalsEntry(quadric, normals);
}
void APIENTRY gluQuadricTexture(GLUquadric* quadric, GLboolean texture) {
  gluQuadricTextureEntry(quadric, texture);
}
void APIENTRY gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
  gluSphereEntry(quadric, radius, slices, stacks);
}
}

bool LoadGlLibraries() {
  if (openglLibrary && gluLibrary) return true;
  // The saver restricts the DLL search as its first act on the NT family;
  // the older family (after its password library) and a program that draws
  // without the saver's entry (a test, a benchmark) get it here.
  RestrictDllSearch();
  openglLibrary = LoadSystemLibrary(L"opengl32.dll");
  gluLibrary = LoadSystemLibrary(L"glu32.dll");
  bool resolved = openglLibrary && gluLibrary;
#define KELVARIS_RESOLVE_IMPORT(name) resolved = resolved && Resolve(openglLibrary, #name, &__imp_##name);
#define KELVARIS_RESOLVE_ENTRY(name) resolved = resolved && Resolve(gluLibrary, #name, &name##Entry);
  KELVARIS_GL_ENTRIES(KELVARIS_RESOLVE_IMPORT)
  KELVARIS_GLU_ENTRIES(KELVARIS_RESOLVE_ENTRY)
  if (resolved) return true;
  // Half a set is no set: drawing with a missing entry would crash.
  if (openglLibrary) FreeLibrary(openglLibrary);
  if (gluLibrary) FreeLibrary(gluLibrary);
  openglLibrary = gluLibrary = nullptr;
  return false;
}

#else

bool LoadGlLibraries() { return true; }

#endif
