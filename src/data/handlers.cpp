#include "ui/handlers.h"

namespace brasket {

void registerdatahandlers(HandlerRegistry&) {}

}  // namespace brasket
