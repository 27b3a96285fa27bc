// Must not compile with the engine library's include path: engine does not use store.
#include "store/folder_repository.h"
