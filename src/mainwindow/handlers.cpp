#include "ui/handlers.h"

namespace brasket {

void registermainwindowhandlers(HandlerRegistry&) {}

}  // namespace brasket
