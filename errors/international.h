// SETINTERNATIONAL: sets the process-wide conventions for numbers, dates, times and text
// ordering (platform/runtime_settings.h) from the user's locale.
#ifndef IVARSCAN_ERRORS_INTERNATIONAL_H_
#define IVARSCAN_ERRORS_INTERNATIONAL_H_

#include "platform/locale_info.h"
#include "platform/symbol_table.h"
#include "platform/variant.h"

namespace ivarscan {

// The mode symbol of the user's locale conventions.
Symbol WindowsMode();

// Applies `mode` and returns the mode in force before, as a symbol (the empty symbol before
// any mode was applied). Only WINDOWS is known: the settings are read item by item from
// `locale`, each failed item falling back to its default; any other symbol changes nothing.
// In the IDE 2.5 variant an error raised while the items are read ends the reading
// silently (settings made so far stay) and century display and epoch 1910 are switched on;
// the IDE 2.0 variant sets neither and lets such an error reach the installed handler.
Symbol SETINTERNATIONAL(Symbol mode, const Variant& variant, LocaleInfo& locale);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_INTERNATIONAL_H_
