#include "ui/handlers.h"

namespace brasket {

void registersummaryreporthandlers(HandlerRegistry&) {}

}  // namespace brasket
