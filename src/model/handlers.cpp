#include "ui/handlers.h"

namespace brasket {

void registermodelhandlers(HandlerRegistry&) {}

}  // namespace brasket
