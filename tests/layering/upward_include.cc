// Must not compile with the platform library's include path: platform is below errors.
#include "errors/error.h"
