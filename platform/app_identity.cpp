#include "platform/app_identity.h"

namespace kalup::app_identity {

// The build passes the id the desktop entry and metainfo are installed under.
const char* const APP_ID = KALUP_APP_ID;

} // namespace kalup::app_identity
