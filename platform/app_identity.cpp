#include "platform/app_identity.h"

#include "platform/build_facts.h"

namespace kalup::app_identity {

// The id the desktop entry and metainfo are installed under.
const char* const APP_ID = KALUP_APP_ID;

} // namespace kalup::app_identity
