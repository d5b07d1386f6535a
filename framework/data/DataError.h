// EDatabaseError: a failure of the catalogue's connection or query objects; the message is
// the engine's or ours, in the words a user can act on.
#pragma once

#include "framework/core/Exception.h"

PANTREL_EXCEPTION(EDatabaseError, Exception);
