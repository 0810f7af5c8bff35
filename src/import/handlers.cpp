#include "ui/handlers.h"

namespace brasket {

void registerimporthandlers(HandlerRegistry&) {}

}  // namespace brasket
