#include "app/AttachSkin.h"

// Stand-in until the skin engine lands.
void AttachSkin() {}
