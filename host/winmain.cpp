#include "host.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HostEntry();
  return 0;
}
