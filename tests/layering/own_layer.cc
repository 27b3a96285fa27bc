// Compiles with the platform library's include path: a layer sees its own headers.
#include "platform/text.h"
