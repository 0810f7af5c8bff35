#include "ui/handlers.h"

namespace brasket {

void registercompoundreporthandlers(HandlerRegistry&) {}

}  // namespace brasket
