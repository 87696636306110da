#include "core/startup.h"

int main() { return Game_Main(); }
