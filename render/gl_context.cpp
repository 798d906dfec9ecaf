#include "renderer.h"

void InitGl(HWND hwnd) {
  RendererState& r = rendererState;

  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  // The saver's pixel format request, without PFD_DRAW_TO_WINDOW, kept as it
  // is: it is part of the saver's fixed GL call stream.
  pfd.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 16;
  pfd.iLayerType = PFD_MAIN_PLANE;

  // The window class has CS_OWNDC, so this DC stays valid until ShutdownGl.
  r.deviceContext = GetDC(hwnd);
  const int format = ChoosePixelFormat(r.deviceContext, &pfd);
  SetPixelFormat(r.deviceContext, format, &pfd);
  r.renderContext = wglCreateContext(r.deviceContext);
  wglMakeCurrent(r.deviceContext, r.renderContext);

  InitSceneGl();
}

void ShutdownGl(HWND hwnd) {
  RendererState& r = rendererState;
  FreeSceneResources();
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(r.renderContext);
  ReleaseDC(hwnd, r.deviceContext);
}
