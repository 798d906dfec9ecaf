// The OpenGL side of the saver: one context on the saver window, two sphere
// display lists, fixed lighting, and the drawing of one frame. Everything
// but the context itself is plain OpenGL 1.1 and GLU, shared by every host.
#pragma once

#ifdef _WIN32
#include <windows.h>  // before the GL headers, which use its calling conventions
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>

#include "viewports.h"

struct RendererState {
#ifdef _WIN32
  HDC deviceContext;
  HGLRC renderContext;
#endif
  GLUquadric* quadric;  // only used to compile the two sphere lists
  GLuint centralSphereList;
  GLuint satelliteSphereList;
  int32_t clientWidth;  // stored by the window's owner before InitGl
  int32_t clientHeight;
  // With more than one, each frame draws the scene once into each of these
  // (one per monitor); otherwise once into the whole client area.
  int32_t viewportCount;
  Viewport viewports[kMaxViewports];
};

extern RendererState rendererState;

extern const GLfloat lightAmbient[4];
extern const GLfloat lightDiffuse[4];
extern const GLfloat materialAmbient[4];
extern const GLfloat materialDiffuse[4];
extern const GLfloat materialSpecular[4];
extern const GLfloat materialShininess[1];

#ifdef _WIN32
// Loads OpenGL and GLU from the system folder, after restricting the DLL
// search of the whole process to that folder where the system can, and
// resolves every function the saver calls. False when either DLL or any
// function is missing; nothing of OpenGL may be called then. Only the first
// successful call does anything.
bool LoadGlLibraries();

// Gives hwnd a current OpenGL context, the projection for the stored client
// size, the sphere lists and the fixed lighting state. Failures are not
// reported: without a context every later GL call simply has no effect.
void InitGl(HWND hwnd);

// Releases the lists, the quadric, the context and the device context.
void ShutdownGl(HWND hwnd);
#endif

// With a context current: the projection for the stored client size, the
// sphere lists and the fixed depth, shading and lighting state.
void InitSceneGl();

// Deletes the sphere lists and the quadric, while the context is current.
void FreeSceneResources();

// Sets the viewport, and a perspective projection of its own aspect with the
// given vertical field of view in degrees.
void ApplyViewport(const Viewport& viewport, double fieldOfView);

// The viewport and projection (45 degrees across its height) of the whole
// client area of the stored size: at set-up, and again when the window's
// size changes.
void SetupProjection();

// Stores the client area's new size and sets its projection.
void ResizeClient(int32_t width, int32_t height);

// Draws the current scene into the back buffer; the caller presents it.
// Returns 1 (TRUE) always.
int DrawScene();
