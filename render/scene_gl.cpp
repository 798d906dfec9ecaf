#include "renderer.h"
#include "scene.h"

RendererState rendererState;

const GLfloat lightAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat materialAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat materialDiffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat materialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat materialShininess[1] = {50.0f};

// The single-precision 0.1, widened: the near plane and the satellite radius.
static const double kSinglePointOne = 0.10000000149011612;

void ApplyViewport(const Viewport& v, double fieldOfView) {
  glViewport(v.x, v.y, v.width, v.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // An empty area counts as one pixel, so that the aspect stays finite and
  // the projection never holds an infinity or a NaN.
  const double width = v.width > 0 ? v.width : 1;
  const double height = v.height > 0 ? v.height : 1;
  gluPerspective(fieldOfView, width / height, kSinglePointOne, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetupProjection() {
  const RendererState& r = rendererState;
  ApplyViewport({0, 0, r.clientWidth, r.clientHeight}, 45.0);
}

void ResizeClient(int32_t width, int32_t height) {
  rendererState.clientWidth = width;
  rendererState.clientHeight = height;
  SetupProjection();
}

// Tessellates each sphere once; a frame only replays the lists.
static void BuildSphereLists() {
  RendererState& r = rendererState;
  r.centralSphereList = glGenLists(1);
  glNewList(r.centralSphereList, GL_COMPILE);
  gluSphere(r.quadric, 0.5, 32, 32);
  glEndList();
  r.satelliteSphereList = glGenLists(1);
  glNewList(r.satelliteSphereList, GL_COMPILE);
  gluSphere(r.quadric, kSinglePointOne, 32, 32);
  glEndList();
}

void InitSceneGl() {
  RendererState& r = rendererState;
  SetupProjection();

  r.quadric = gluNewQuadric();
  gluQuadricNormals(r.quadric, GLU_SMOOTH);
  gluQuadricTexture(r.quadric, GL_TRUE);
  BuildSphereLists();

  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
  // The modelview matrix is the identity here: the light is in eye space.
  glLightfv(GL_LIGHT0, GL_POSITION, sceneState.lightPosition);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  // GL's default colour-material mode: glColor sets ambient and diffuse.
  glEnable(GL_COLOR_MATERIAL);
}

void FreeSceneResources() {
  RendererState& r = rendererState;
  glDeleteLists(r.centralSphereList, 1);
  glDeleteLists(r.satelliteSphereList, 1);
  gluDeleteQuadric(r.quadric);
}
