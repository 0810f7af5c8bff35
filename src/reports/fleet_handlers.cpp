#include "ui/handlers.h"

namespace brasket {

void registerfleetreporthandlers(HandlerRegistry&) {}

}  // namespace brasket
