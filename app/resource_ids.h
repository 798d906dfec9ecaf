// The ids of the saver's resources, shared by the resource script and the
// code that loads them.
#pragma once

// The settings dialog, which edits the satellite count.
#define KELVARIS_CONFIG_DIALOG 2003
// The window class's icon: the resources hold none under this id, so the
// class gets none, and the system shows its own.
#define KELVARIS_CLASS_ICON 100
