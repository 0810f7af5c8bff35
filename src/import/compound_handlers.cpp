#include "ui/handlers.h"

namespace brasket {

void registercompoundimporthandlers(HandlerRegistry&) {}

}  // namespace brasket
