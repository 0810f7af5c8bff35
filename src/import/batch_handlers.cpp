#include "ui/handlers.h"

namespace brasket {

void registerbatchhandlers(HandlerRegistry&) {}

}  // namespace brasket
