#include "renderer.h"

#include "scene.h"

// The scene in the current viewport: the central sphere, then every
// satellite on its ring.
static void DrawSceneInViewport() {
  const SceneState& s = sceneState;
  const RendererState& r = rendererState;

  glLoadIdentity();
  // Placed before the scene translation, so the light stays in eye space.
  glLightfv(GL_LIGHT0, GL_POSITION, s.lightPosition);
  glTranslatef(0.0f, 0.0f, -5.0f);
  glColor4f(s.centralColor.red, s.centralColor.green, s.centralColor.blue, s.centralColor.alpha);
  glMaterialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
  glMaterialfv(GL_FRONT, GL_SHININESS, materialShininess);
  glCallList(r.centralSphereList);

  const int32_t count = ActiveSatelliteCount();
  for (int32_t i = 0; i < count; ++i) {
    const Satellite& sat = s.satellites[i];
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
    // Turned about z, then y, then x, then moved to the scene centre.
    glRotatef(sat.tilt.x, 1.0f, 0.0f, 0.0f);
    glRotatef(sat.tilt.y, 0.0f, 1.0f, 0.0f);
    glRotatef(sat.tilt.z, 0.0f, 0.0f, 1.0f);
    glTranslatef(sat.position.x, sat.position.y, sat.position.z);
    glColor4f(sat.color.red, sat.color.green, sat.color.blue, sat.color.alpha);
    glCallList(r.satelliteSphereList);
  }
}

int DrawScene() {
  const RendererState& r = rendererState;
  // The clear ignores the viewport: what no monitor shows stays black.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (r.viewportCount <= 1) {
    DrawSceneInViewport();  // the viewport and projection of InitGl
    return 1;
  }
  for (int32_t i = 0; i < r.viewportCount && i < kMaxViewports; ++i) {
    const Viewport& v = r.viewports[i];
    ApplyViewport(v, MonitorFieldOfView(v.width, v.height));
    DrawSceneInViewport();
  }
  return 1;
}
