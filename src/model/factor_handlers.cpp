#include "ui/handlers.h"

namespace brasket {

void registerfactorhandlers(HandlerRegistry&) {}

}  // namespace brasket
