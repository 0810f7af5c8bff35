#include "ui/handlers.h"

namespace brasket {

void registerreporthandlers(HandlerRegistry&) {}

}  // namespace brasket
