#include "ui/handlers.h"

namespace brasket {

void registertestreporthandlers(HandlerRegistry&) {}

}  // namespace brasket
