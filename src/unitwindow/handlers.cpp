#include "ui/handlers.h"

namespace brasket {

void registerunitwindowhandlers(HandlerRegistry&) {}

}  // namespace brasket
