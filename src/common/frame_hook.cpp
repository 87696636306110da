#include "common/frame_hook.h"

void (*frameHook)(int screen_id) = nullptr;
